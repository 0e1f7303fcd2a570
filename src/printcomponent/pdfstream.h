// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printcomponent/printdocument.h"

#include <QString>

#include <memory>

class QPainter;

// A PDF that reaches its path whole or not at all: pages are written to a temporary file in
// the target's folder, which replaces the target only once complete and flushed to disk.
// Given up (or destroyed before commit), it leaves the previous file untouched.
class PdfFile {
public:
    PdfFile(const QString& path, QSizeF paper);
    ~PdfFile();
    PdfFile(const PdfFile&) = delete;
    PdfFile& operator=(const PdfFile&) = delete;

    // False with the reason when the temporary file cannot be made.
    bool open(QString* error);
    // Draws the next page, moved by `shift`; its coordinates are twips.
    void addPage(const PrintDocument& document, int pageIndex, QPointF shift = {});
    // Completes the file and puts it in place; false with the reason when it could not.
    bool commit(QString* error);
    // Drops everything written; the target stays as it was.
    void abandon();

private:
    struct Parts;
    QString m_path;
    QSizeF m_paper;
    std::unique_ptr<Parts> m_parts;
    bool m_firstPage = true;
};

// Writes a PDF page by page on a second thread while the next pages are still being drawn.
class PdfStream {
public:
    PdfStream(const QString& path, QSizeF paper);
    ~PdfStream(); // abandons an unfinished file
    PdfStream(const PdfStream&) = delete;
    PdfStream& operator=(const PdfStream&) = delete;

    // Hands over a finished page with the styles and pictures it refers to.
    void addPage(PrintPage page, std::vector<DrawStyle> styles, std::vector<QImage> pictures);
    // Waits for the last page and puts the file in place; false with a reason when the file
    // could not be written (the target is then untouched).
    bool finish(QString* error = nullptr);
    // Stops writing; the target stays as it was.
    void abandon();

    const QString& path() const { return m_path; }

private:
    struct Worker;
    QString m_path;
    std::unique_ptr<Worker> m_worker;
};

namespace printoutput {

// Writes every page to a PDF of the document's paper size. False with a reason on failure.
bool writePdf(const PrintDocument& document, const QString& path, QString* error = nullptr);

} // namespace printoutput
