// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/units.h"
#include "printcomponent/pressivocodes.h"
#include "printcomponent/previewzoom.h"
#include "printcomponent/printdocument.h"
#include "printcomponent/printerbackend.h"
#include "printcomponent/savedprintformat.h"

#include <QFontMetricsF>
#include <QObject>
#include <QSize>

#include <functional>
#include <memory>
#include <optional>

// The print surface: builds a paged document from drawing calls, keeps the drawing state
// (pen, brush, font, margins, current position), shows pages at a zoom, prints, saves and
// loads documents. Measures are twips.
class PrintSurface : public QObject {
    Q_OBJECT

public:
    explicit PrintSurface(QObject* parent = nullptr);
    ~PrintSurface() override;

    void setPrinterBackend(std::shared_ptr<PrinterBackend> backend);
    PrinterBackend& printer() const { return *m_printer; }

    // Document.
    void StartDoc();
    void NewPage();
    void EndDoc();
    void KillDoc();
    bool SaveDoc(const QString& path, QString* error = nullptr) const;
    std::optional<printoutput::LoadError> LoadDoc(const QString& path);
    int PageCount() const { return int(m_document.pages.size()); }
    // From now on each finished page of the open document goes straight into a PDF, written
    // on a second thread; the document keeps only empty pages.
    void streamToPdf(const QString& path);
    bool isStreaming() const { return m_stream != nullptr; }
    // Completes the PDF after EndDoc; false with a reason when it could not be written.
    bool finishPdf(QString* error = nullptr);
    int CurrentPage() const { return PageCount(); }
    bool isOpen() const { return m_open; }
    const PrintDocument& document() const { return m_document; }

    // Preview.
    int PreviewPage() const { return m_previewPage; }
    void setPreviewPage(int page);
    double Zoom() const { return m_zoom.percent(); }
    void setZoom(double percent);
    pressivo::ZoomMode ZoomMode() const { return m_zoom.mode(); }
    void setZoomMode(pressivo::ZoomMode mode);
    // The area the preview shows pages in, without scroll bars; the fitting zoom modes follow
    // it. `scrollBarExtent` is the room a scroll bar takes when one is needed.
    void setViewportSize(QSize pixels, int scrollBarExtent = 0);
    static constexpr int PreviewMargin = PreviewZoom::Margin;
    bool showsTwoPages() const { return m_zoom.showsTwoPages(); }

    // What printing sends with the job: its name in the queue and the copies.
    void setJobName(const QString& name) { m_jobName = name; }
    const QString& jobName() const { return m_jobName; }
    void setCopies(int copies) { m_copies = std::max(1, copies); }
    // Shows the pages being sent to a printer; none by default. The caller keeps ownership.
    void setProgressView(PrintProgressView* view) { m_progressView = view; }

    // False when it could not be done (and the user was told why).
    bool setAction(pressivo::Action action);

    QString DeviceName() const { return m_printer->deviceName(); }
    QString PortName() const { return m_printer->portName(); }
    double TwipsPerPixel() const;

    int Orientation() const { return m_orientation; }
    void setOrientation(int orientation);
    double PaperWidth() const; // portrait sense
    double PaperHeight() const;
    // The paper the next documents are made on, in twips as they print; none: the printer's.
    void setJobPaper(std::optional<QSizeF> twips) { m_jobPaper = twips; }
    // The document being made is for a printer, its labels moved by `twips` for its head.
    void setCalibration(QPointF twips) { m_document.calibration = twips; }
    const std::optional<QSizeF>& jobPaper() const { return m_jobPaper; }

    double MarginLeft() const { return m_marginLeft; }
    double MarginTop() const { return m_marginTop; }
    double MarginRight() const { return m_marginRight; }
    double MarginBottom() const { return m_marginBottom; }
    void setMarginLeft(double twips) { m_marginLeft = twips; }
    void setMarginTop(double twips) { m_marginTop = twips; }
    void setMarginRight(double twips) { m_marginRight = twips; }
    void setMarginBottom(double twips) { m_marginBottom = twips; }

    double CurrentX() const { return m_currentX; }
    double CurrentY() const { return m_currentY; }
    void setCurrentX(double twips) { m_currentX = twips; }
    void setCurrentY(double twips) { m_currentY = twips; }

    int PenStyle() const { return m_style.penStyle; }
    void setPenStyle(int style) { m_style.penStyle = style; }
    double PenWidth() const { return m_style.penWidth; }
    void setPenWidth(double twips) { m_style.penWidth = std::max(0.0, twips); }
    qint32 PenColor() const { return m_penColor; }
    void setPenColor(qint32 colour);
    int BrushStyle() const { return m_style.brushStyle; }
    void setBrushStyle(int style) { m_style.brushStyle = style; }
    qint32 BrushColor() const { return m_brushColor; }
    void setBrushColor(qint32 colour);
    qint32 TextColor() const { return m_textColor; }
    void setTextColor(qint32 colour);
    int TextAlign() const { return m_style.textAlign; }
    void setTextAlign(int align) { m_style.textAlign = align; }
    QString FontName() const { return m_style.fontName; }
    void setFontName(const QString& name) { m_style.fontName = name; }
    double FontSize() const { return m_style.fontSize; }
    void setFontSize(double points) { m_style.fontSize = std::max(1.0, points); }
    bool FontBold() const { return m_style.fontBold; }
    void setFontBold(bool bold) { m_style.fontBold = bold; }
    bool FontItalic() const { return m_style.fontItalic; }
    void setFontItalic(bool italic) { m_style.fontItalic = italic; }
    void setFontUnderline(bool underline) { m_style.fontUnderline = underline; }
    void setTextVertical(int vertical) { m_style.textVertical = vertical; }
    // The style what is drawn next takes.
    const DrawStyle& style() const { return m_style; }

    // Drawing.
    void DrawLine(double x1, double y1, double x2, double y2);
    // How many text boxes so far could not show all of their text.
    int cutTexts() const { return m_cutTexts; }
    // What is drawn next stays inside the rectangle, until the next call; no corners: the
    // whole page again.
    void ClipTo(const QRectF& twips = {});
    // What is drawn next is turned a quarter clockwise from `twips` onto the page, its top-left
    // corner kept; an empty box stops turning.
    void TurnQuarter(const QRectF& twips = {});
    // What follows is turned `degrees` clockwise about `centre` (twips); 0: no more.
    void Rotate(QPointF centre, double degrees);
    void DrawRectangle(double x1, double y1, double x2, double y2);
    void DrawCircle(double x, double y, double radius);
    // In twips: the ellipse inside `box`; a rectangle with round corners of `radius`.
    void DrawEllipse(const QRectF& box);
    void DrawRoundedRectangle(const QRectF& box, double radius);
    // Stretched to width x height when given; its own size otherwise.
    void DrawPicture(const QImage& picture, double x, double y,
                     std::optional<double> width = std::nullopt,
                     std::optional<double> height = std::nullopt);
    void TextBox(const QString& text, double x, double y, double width, double height, bool shade);
    // Prints from the current position inside the margins; a trailing carriage return ends the
    // paragraph and moves to the next line.
    void setText(const QString& text);

    // Extent in the current font, in twips, whatever the screen.
    double TextWidth(const QString& text) const;
    double TextHeight(const QString& text) const;

signals:
    void zoomChanged();
    void previewPageChanged();
    void documentChanged();

private:
    void add(DrawOp op);
    void streamFinishedPages(bool all);
    void dropStream();
    const QFontMetricsF& metrics() const;
    QSizeF orientedPaper() const;
    QSizeF portraitPaper() const;

    std::shared_ptr<PrinterBackend> m_printer;
    std::unique_ptr<class PdfStream> m_stream;
    int m_streamed = 0; // pages already handed to the stream
    PrintDocument m_document;
    bool m_open = false;
    DrawStyle m_style;
    int m_cutTexts = 0;
    qint32 m_penColor = 0;
    qint32 m_brushColor = 16777215;
    qint32 m_textColor = 0;
    int m_orientation = 0;
    std::optional<QSizeF> m_jobPaper;
    static constexpr double DefaultMargin = units::DefaultPageMargin.inTwips();
    double m_marginLeft = DefaultMargin, m_marginTop = DefaultMargin;
    double m_marginRight = DefaultMargin, m_marginBottom = DefaultMargin;
    double m_currentX = 0, m_currentY = 0;
    QString m_jobName = QStringLiteral("Marvello");
    int m_copies = 1;
    PrintProgressView* m_progressView = nullptr;
    int m_previewPage = 1;
    PreviewZoom m_zoom;
    // Measuring text happens for every barcode: the metrics of the last font are kept.
    mutable std::optional<std::pair<DrawStyle, QFontMetricsF>> m_metrics;
};
