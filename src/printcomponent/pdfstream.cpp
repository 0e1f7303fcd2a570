// SPDX-License-Identifier: GPL-3.0-or-later
#include "printcomponent/pdfstream.h"

#include "common/files.h"
#include "common/interruption.h"
#include "common/units.h"
#include "common/watchdog.h"
#include "printcomponent/pagerenderer.h"

#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <cerrno>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

struct PdfFile::Parts {
    QSaveFile file;
    std::unique_ptr<QPdfWriter> pdf;
    QPainter painter;
    printoutput::PrintResolution resolution;
};

PdfFile::PdfFile(const QString& path, QSizeF paper)
    : m_path(path)
    , m_paper(paper)
    , m_parts(std::make_unique<Parts>()) {}

PdfFile::~PdfFile() {
    abandon();
}

bool PdfFile::open(QString* error) {
    if (const QString problem = outputTargetProblem(m_path); !problem.isEmpty()) {
        if (error)
            *error = problem;
        return false;
    }
    watchdog::setOutput(m_path);
    m_parts->file.setFileName(m_path);
    errno = 0;
    if (!m_parts->file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = writeFailureReason(m_path, errno, m_parts->file.errorString());
        return false;
    }
    m_parts->pdf = std::make_unique<QPdfWriter>(&m_parts->file);
    QPdfWriter& pdf = *m_parts->pdf;
    pdf.setCreator(QStringLiteral("Marvello"));
    pdf.setResolution(int(units::TwipsPerInch)); // one unit a twip
    pdf.setPageSize(QPageSize(m_paper / 20.0, QPageSize::Point, QString(), QPageSize::ExactMatch));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    if (!m_parts->painter.begin(&pdf)) {
        if (error)
            *error = QStringLiteral("impossibile scrivere %1").arg(m_path);
        abandon();
        return false;
    }
    return true;
}

void PdfFile::addPage(const PrintDocument& document, int pageIndex, QPointF shift) {
    if (!m_parts->painter.isActive())
        return;
    if (!m_firstPage)
        m_parts->pdf->newPage();
    m_firstPage = false;
    printoutput::renderPage(document, pageIndex, m_parts->painter, &m_parts->resolution, shift);
}

bool PdfFile::commit(QString* error) {
    if (!m_parts->painter.isActive()) {
        if (error && error->isEmpty())
            *error = QStringLiteral("impossibile scrivere %1").arg(m_path);
        return false;
    }
    errno = 0;
    const bool ended = m_parts->painter.end();
    m_parts->pdf.reset();
    // QSaveFile flushes, syncs and renames; on failure it removes its temporary file.
    const bool committed = ended && m_parts->file.commit();
    if (!committed && error)
        *error = writeFailureReason(m_path, errno, m_parts->file.errorString());
    return committed;
}

void PdfFile::abandon() {
    if (m_parts->painter.isActive())
        m_parts->painter.end();
    m_parts->pdf.reset();
    if (m_parts->file.isOpen()) {
        // After cancelWriting, commit removes the temporary file and leaves the target alone.
        m_parts->file.cancelWriting();
        m_parts->file.commit();
    }
}

namespace {
constexpr std::size_t MostPagesWaiting = 16;
} // namespace

struct PdfStream::Worker {
    std::mutex mutex;
    std::condition_variable ready;
    std::condition_variable taken;
    std::deque<PrintDocument> queue; // one page each
    bool closing = false;
    bool abandoned = false;
    bool failed = false;
    bool done = false;
    QString error;
    std::thread thread;

    void run(const QString& path, QSizeF paper) {
        PdfFile file(path, paper);
        QString why;
        bool ok = file.open(&why);
        for (;;) {
            PrintDocument page;
            {
                std::unique_lock lock(mutex);
                ready.wait(lock, [&] { return closing || abandoned || !queue.empty(); });
                if (abandoned || (queue.empty() && closing))
                    break;
                page = std::move(queue.front());
                queue.pop_front();
            }
            taken.notify_one();
            if (ok && interruption::requested())
                ok = false, why = QStringLiteral("stampa interrotta");
            if (ok)
                file.addPage(page, 0);
        }
        bool abandon = false;
        {
            std::lock_guard lock(mutex);
            abandon = abandoned;
        }
        if (ok && !abandon)
            ok = file.commit(&why);
        else
            file.abandon();
        {
            std::lock_guard lock(mutex);
            failed = !ok || abandon;
            if (!ok)
                error = why;
            done = true;
        }
        taken.notify_all();
    }
};

PdfStream::PdfStream(const QString& path, QSizeF paper)
    : m_path(path)
    , m_worker(std::make_unique<Worker>()) {
    m_worker->thread = std::thread([this, path, paper] { m_worker->run(path, paper); });
}

PdfStream::~PdfStream() {
    abandon();
}

void PdfStream::addPage(PrintPage page, std::vector<DrawStyle> styles,
                        std::vector<QImage> pictures) {
    PrintDocument single;
    single.pages.push_back(std::move(page));
    single.styles = std::move(styles);
    single.pictures = std::move(pictures);
    {
        // Pages are drawn faster than they are written: the drawing waits, so that a job of any
        // size holds a few pages at a time, never all of them.
        std::unique_lock lock(m_worker->mutex);
        m_worker->taken.wait(lock, [&] {
            return m_worker->queue.size() < MostPagesWaiting || m_worker->done ||
                   m_worker->abandoned;
        });
        m_worker->queue.push_back(std::move(single));
    }
    m_worker->ready.notify_one();
}

bool PdfStream::finish(QString* error) {
    if (m_worker->thread.joinable()) {
        {
            std::lock_guard lock(m_worker->mutex);
            m_worker->closing = true;
        }
        m_worker->ready.notify_one();
        m_worker->thread.join();
    }
    if (m_worker->failed && error)
        *error = m_worker->error;
    return !m_worker->failed;
}

void PdfStream::abandon() {
    if (m_worker->thread.joinable()) {
        {
            std::lock_guard lock(m_worker->mutex);
            m_worker->abandoned = true;
            m_worker->queue.clear();
        }
        m_worker->ready.notify_one();
        m_worker->thread.join();
    }
}

namespace printoutput {

bool writePdf(const PrintDocument& document, const QString& path, QString* error) {
    PdfFile pdf(path, document.paper);
    if (!pdf.open(error))
        return false;
    const int pages = std::max<int>(1, int(document.pages.size()));
    for (int page = 0; page < pages; ++page)
        pdf.addPage(document, page);
    return pdf.commit(error);
}

} // namespace printoutput
