// SPDX-License-Identifier: GPL-3.0-or-later
#include "printcomponent/cupsjob.h"

#include <QPageSize>
#include <QThread>

#include <cups/cups.h>

#include <chrono>
#include <cstring>
#include <memory>

namespace cupsjob {

namespace {

struct DestDeleter {
    void operator()(cups_dest_t* dest) const { cupsFreeDests(1, dest); }
};
using Dest = std::unique_ptr<cups_dest_t, DestDeleter>;

Dest namedDest(const QString& queue) {
    return Dest(cupsGetNamedDest(CUPS_HTTP_DEFAULT,
                                 queue.isEmpty() ? nullptr : queue.toUtf8().constData(), nullptr));
}

QString option(const Dest& dest, const char* name) {
    return QString::fromUtf8(cupsGetOption(name, dest->num_options, dest->options));
}

// The printer's state as CUPS reports it now: IPP_PSTATE_STOPPED is 5.
bool stopped(const QString& queue) {
    const Dest dest = namedDest(queue);
    return dest && option(dest, "printer-state").toInt() == IPP_PSTATE_STOPPED;
}

// The job's state, 0 when CUPS no longer lists it.
int jobState(const QString& queue, int jobId) {
    cups_job_t* jobs = nullptr;
    const int count =
        cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.toUtf8().constData(), 0, CUPS_WHICHJOBS_ALL);
    if (count < 0)
        return -1; // CUPS could not be asked: not a finished job
    int state = 0;
    for (int i = 0; i < count; ++i) {
        if (jobs[i].id == jobId)
            state = jobs[i].state;
    }
    cupsFreeJobs(count, jobs);
    return state;
}

// The paper by the name CUPS knows it, when it is a standard size.
QByteArray mediaName(QSizeF paperTwips) {
    const QPageSize size(paperTwips / 20.0, QPageSize::Point, QString(), QPageSize::FuzzyMatch);
    return size.id() == QPageSize::Custom ? QByteArray() : size.key().toUtf8();
}

class Options {
public:
    ~Options() { cupsFreeOptions(m_count, m_options); }
    void add(const char* name, const QByteArray& value) {
        m_count = cupsAddOption(name, value.constData(), m_count, &m_options);
    }
    int count() const { return m_count; }
    cups_option_t* list() const { return m_options; }

private:
    int m_count = 0;
    cups_option_t* m_options = nullptr;
};

} // namespace

bool queueExists(const QString& queue) {
    return !queue.isEmpty() && namedDest(queue) != nullptr;
}

QString defaultQueue() {
    const Dest dest = namedDest({});
    return dest ? QString::fromUtf8(dest->name) : QString();
}

Outcome submit(const Request& request) {
    Outcome outcome;
    const Dest dest = namedDest(request.queue);
    if (!dest) {
        outcome.message = request.queue.isEmpty()
                              ? QStringLiteral("Nessuna stampante installata.")
                              : QStringLiteral("Stampante %1 non trovata.").arg(request.queue);
        return outcome;
    }
    const QString queue = QString::fromUtf8(dest->name);
    if (option(dest, "printer-is-accepting-jobs") == u"false") {
        outcome.message =
            QStringLiteral("La stampante %1 non accetta lavori: la coda li rifiuta.").arg(queue);
        return outcome;
    }

    Options options;
    options.add("copies", QByteArray::number(std::max(1, request.copies)));
    if (const QByteArray media = mediaName(request.paper); !media.isEmpty())
        options.add("media", media);
    options.add("sides", request.duplex ? "two-sided-long-edge" : "one-sided");
    options.add("fit-to-page", "false");
    const int jobId = cupsPrintFile2(
        CUPS_HTTP_DEFAULT, queue.toUtf8().constData(), request.pdfPath.toUtf8().constData(),
        request.title.toUtf8().constData(), options.count(), options.list());
    if (jobId == 0) {
        outcome.message = QStringLiteral("La stampante %1 ha rifiutato il lavoro: %2")
                              .arg(queue, QString::fromUtf8(cupsLastErrorString()));
        return outcome;
    }
    outcome.jobId = jobId;

    // Follow the job until CUPS has done with it, or for a few seconds: a long job on a real
    // printer is still processing then, and that is delivered.
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    for (;;) {
        const int state = jobState(queue, jobId);
        if (state == IPP_JSTATE_ABORTED || state == IPP_JSTATE_CANCELED) {
            outcome.message = QStringLiteral("CUPS ha interrotto il lavoro %1 sulla stampante %2.")
                                  .arg(jobId)
                                  .arg(queue);
            return outcome;
        }
        if (state == IPP_JSTATE_COMPLETED || state == 0)
            break;
        if (stopped(queue)) {
            outcome.message = QStringLiteral("La stampante %1 è ferma: il lavoro %2 resta in "
                                             "coda e sarà stampato quando verrà riattivata.")
                                  .arg(queue)
                                  .arg(jobId);
            break;
        }
        if (Clock::now() >= deadline)
            break;
        QThread::msleep(100);
    }
    outcome.delivered = true;
    return outcome;
}

} // namespace cupsjob
