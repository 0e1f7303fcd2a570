#pragma once

#include "printdocument.h"

#include <QString>

#include <memory>

// Writes a PDF page by page on a second thread while the next pages are still being drawn.
class PdfStream {
public:
    PdfStream(const QString& path, QSizeF paper);
    ~PdfStream();
    PdfStream(const PdfStream&) = delete;
    PdfStream& operator=(const PdfStream&) = delete;

    // Hands over a finished page with the styles and pictures it refers to.
    void addPage(PrintPage page, std::vector<DrawStyle> styles, std::vector<QImage> pictures);
    // Waits for the last page; false with a reason when the file could not be written.
    bool finish(QString* error = nullptr);

    const QString& path() const { return m_path; }

private:
    struct Worker;
    QString m_path;
    std::unique_ptr<Worker> m_worker;
};
