// SPDX-License-Identifier: GPL-3.0-or-later
#include "printcomponent/cupsjob.h"

#include "common/units.h"

#include <QPageSize>
#include <QThread>

#include <cups/cups.h>
#include <cups/pwg.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <tuple>

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

// What the queue's state says in words (the reason given with cupsreject -r); empty when
// nothing.
QString stateMessage(const QString& queue) {
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0,
                     "/printers/%s", queue.toUtf8().constData());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                 "printer-state-message");
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    ipp_attribute_t* message =
        response ? ippFindAttribute(response, "printer-state-message", IPP_TAG_TEXT) : nullptr;
    const QString text =
        message ? QString::fromUtf8(ippGetString(message, 0, nullptr)).trimmed() : QString();
    ippDelete(response);
    return text;
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

struct InfoDeleter {
    void operator()(cups_dinfo_t* info) const { cupsFreeDestInfo(info); }
};
using DestInfo = std::unique_ptr<cups_dinfo_t, InfoDeleter>;

constexpr double TwipsPerHundredthMm = units::TwipsPerHundredthMillimetre;

// The queue's own media of a size (hundredths of a millimetre), width across the head: the
// nearest within half a millimetre (printers round to a dot). CUPS' lookup by size can answer
// with another size altogether, so the queue's list is read.
std::optional<cups_size_t> queueMedia(const Dest& dest, int width, int length) {
    const DestInfo info(cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest.get()));
    if (!info)
        return std::nullopt;
    std::optional<cups_size_t> nearest;
    // The nearest size; of the same size, one with margins before a borderless one (which a
    // driver would enlarge the page for), the narrowest margins first, as CUPS chooses.
    const auto rank = [&](const cups_size_t& size) {
        const int margins = size.left + size.right + size.top + size.bottom;
        return std::tuple(std::abs(size.width - width) + std::abs(size.length - length),
                          margins == 0, margins);
    };
    const int count =
        cupsGetDestMediaCount(CUPS_HTTP_DEFAULT, dest.get(), info.get(), CUPS_MEDIA_FLAGS_DEFAULT);
    for (int i = 0; i < count; ++i) {
        cups_size_t size{};
        if (cupsGetDestMediaByIndex(CUPS_HTTP_DEFAULT, dest.get(), info.get(), i,
                                    CUPS_MEDIA_FLAGS_DEFAULT, &size) &&
            std::abs(size.width - width) <= 50 && std::abs(size.length - length) <= 50 &&
            (!nearest || rank(size) < rank(*nearest)))
            nearest = size;
    }
    return nearest;
}

// The paper by the name the queue knows it: the queue's own media of that size (a label
// printer's w288h432), a standard size by its name, or a size of its own.
QByteArray mediaName(const Dest& dest, QSizeF paperTwips) {
    // Width across the head, length along the feed: a 100 x 50 mm roll label is not a
    // 50 x 100 mm one. The page as it is first, then turned.
    const int width = int(std::lround(paperTwips.width() / TwipsPerHundredthMm));
    const int length = int(std::lround(paperTwips.height() / TwipsPerHundredthMm));
    for (const auto& [across, along] : {std::pair{width, length}, std::pair{length, width}}) {
        if (const auto media = queueMedia(dest, across, along))
            return QByteArray(media->media);
    }
    const QPageSize standard(paperTwips / 20.0, QPageSize::Point, QString(), QPageSize::FuzzyMatch);
    if (standard.id() != QPageSize::Custom)
        return standard.key().toUtf8();
    return QStringLiteral("Custom.%1x%2mm")
        .arg(width / 100.0, 0, 'f', 2)
        .arg(length / 100.0, 0, 'f', 2)
        .toUtf8();
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

int defaultResolution(const QString& queue) {
    const Dest dest = namedDest(queue);
    if (!dest)
        return 0;
    const DestInfo info(cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest.get()));
    ipp_attribute_t* resolution =
        info ? cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest.get(), info.get(), "printer-resolution")
             : nullptr;
    if (!resolution)
        return 0;
    ipp_res_t units{};
    int down = 0;
    const int across = ippGetResolution(resolution, 0, &down, &units);
    if (across <= 0)
        return 0;
    return units == IPP_RES_PER_CM ? int(std::lround(across * 2.54)) : across;
}

std::optional<QPointF> printableCorner(const QString& queue, const std::optional<QSizeF>& paper) {
    const Dest dest = namedDest(queue);
    const std::optional<QSizeF> page = paper ? paper : defaultPaper(queue);
    if (!dest || !page)
        return std::nullopt;
    // As the job asks for it: the page as it is, else turned.
    const int width = int(std::lround(page->width() / TwipsPerHundredthMm));
    const int length = int(std::lround(page->height() / TwipsPerHundredthMm));
    auto media = queueMedia(dest, width, length);
    if (!media)
        media = queueMedia(dest, length, width);
    if (!media)
        return std::nullopt;
    return QPointF(media->left * TwipsPerHundredthMm, media->top * TwipsPerHundredthMm);
}

std::optional<QSizeF> defaultPaper(const QString& queue) {
    const Dest dest = namedDest(queue);
    if (!dest)
        return std::nullopt;
    const DestInfo info(cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest.get()));
    if (!info)
        return std::nullopt;
    // media-col-default holds the size itself; media-default only its name.
    int width = 0, length = 0;
    if (ipp_attribute_t* col =
            cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest.get(), info.get(), "media-col")) {
        if (ipp_t* media = ippGetCollection(col, 0)) {
            if (ipp_t* size = ippGetCollection(
                    ippFindAttribute(media, "media-size", IPP_TAG_BEGIN_COLLECTION), 0)) {
                width = ippGetInteger(ippFindAttribute(size, "x-dimension", IPP_TAG_INTEGER), 0);
                length = ippGetInteger(ippFindAttribute(size, "y-dimension", IPP_TAG_INTEGER), 0);
            }
        }
    }
    if (width <= 0 || length <= 0) {
        ipp_attribute_t* named =
            cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest.get(), info.get(), "media");
        if (const pwg_media_t* media =
                named ? pwgMediaForPWG(ippGetString(named, 0, nullptr)) : nullptr) {
            width = media->width;
            length = media->length;
        }
    }
    if (width <= 0 || length <= 0)
        return std::nullopt;
    return QSizeF(width * TwipsPerHundredthMm, length * TwipsPerHundredthMm);
}

int jobTitled(const QString& queue, const QString& title) {
    cups_job_t* jobs = nullptr;
    const int count =
        cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.toUtf8().constData(), 0, CUPS_WHICHJOBS_ALL);
    if (count < 0)
        return -1;
    int found = 0;
    const QByteArray wanted = title.toUtf8();
    for (int i = 0; i < count; ++i)
        if (jobs[i].title && wanted == jobs[i].title && jobs[i].state != IPP_JSTATE_ABORTED &&
            jobs[i].state != IPP_JSTATE_CANCELED)
            found = jobs[i].id;
    cupsFreeJobs(count, jobs);
    return found;
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
        // The reason the queue was stopped for (cupsreject -r), when one was given.
        const QString reason = stateMessage(queue);
        outcome.message =
            QStringLiteral("La stampante %1 non accetta lavori: la coda li rifiuta.").arg(queue) +
            (reason.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(reason));
        return outcome;
    }

    Options options;
    if (request.raw) {
        options.add("raw", "true");
    } else {
        options.add("copies", QByteArray::number(std::max(1, request.copies)));
        if (!request.paper.isEmpty())
            options.add("media", mediaName(dest, request.paper));
        options.add("sides", request.duplex ? "two-sided-long-edge" : "one-sided");
        // The page is the paper: never scaled to fit another, never turned by CUPS.
        options.add("fit-to-page", "false");
        options.add("print-scaling", "none");
    }
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
