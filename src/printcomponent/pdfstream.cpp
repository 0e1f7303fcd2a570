#include "pdfstream.h"

#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

struct PdfStream::Worker {
    std::mutex mutex;
    std::condition_variable ready;
    std::deque<PrintDocument> queue; // one page each
    bool closing = false;
    bool failed = false;
    QString error;
    std::thread thread;

    void run(const QString& path, QSizeF paper) {
        {
            QFile probe(path);
            if (!probe.open(QIODevice::WriteOnly)) {
                std::lock_guard lock(mutex);
                failed = true;
                error = probe.errorString();
            }
        }
        std::unique_ptr<QPdfWriter> pdf;
        QPainter painter;
        bool first = true;
        if (!failed) {
            pdf = std::make_unique<QPdfWriter>(path);
            pdf->setCreator(QStringLiteral("Marvello"));
            pdf->setResolution(1440);
            pdf->setPageSize(
                QPageSize(paper / 20.0, QPageSize::Point, QString(), QPageSize::ExactMatch));
            pdf->setPageMargins(QMarginsF(0, 0, 0, 0));
            if (!painter.begin(pdf.get())) {
                std::lock_guard lock(mutex);
                failed = true;
                error = QStringLiteral("impossibile scrivere %1").arg(path);
            }
        }
        for (;;) {
            PrintDocument page;
            {
                std::unique_lock lock(mutex);
                ready.wait(lock, [&] { return closing || !queue.empty(); });
                if (queue.empty())
                    break;
                page = std::move(queue.front());
                queue.pop_front();
            }
            if (failed)
                continue; // keep emptying the queue
            if (!first)
                pdf->newPage();
            first = false;
            printoutput::renderPage(page, 0, painter);
        }
        if (!failed && !painter.end()) {
            std::lock_guard lock(mutex);
            failed = true;
            error = QStringLiteral("impossibile scrivere %1").arg(path);
        }
    }
};

PdfStream::PdfStream(const QString& path, QSizeF paper)
    : m_path(path)
    , m_worker(std::make_unique<Worker>()) {
    m_worker->thread = std::thread([this, path, paper] { m_worker->run(path, paper); });
}

PdfStream::~PdfStream() {
    finish();
}

void PdfStream::addPage(PrintPage page, std::vector<DrawStyle> styles,
                        std::vector<QImage> pictures) {
    PrintDocument single;
    single.pages.push_back(std::move(page));
    single.styles = std::move(styles);
    single.pictures = std::move(pictures);
    {
        std::lock_guard lock(m_worker->mutex);
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
