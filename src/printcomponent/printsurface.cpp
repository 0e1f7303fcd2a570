// SPDX-License-Identifier: GPL-3.0-or-later
#include "printcomponent/printsurface.h"

#include "common/colors.h"
#include "common/units.h"
#include "printcomponent/pagerenderer.h"
#include "printcomponent/pdfstream.h"
#include "printcomponent/pressivocodes.h"
#include "printcomponent/printerdelivery.h"

#include <QFile>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QScreen>

#include <cmath>

PrintSurface::PrintSurface(QObject* parent)
    : QObject(parent)
    , m_printer(std::make_shared<NoPrinter>()) {}

PrintSurface::~PrintSurface() {
    dropStream();
}

void PrintSurface::streamToPdf(const QString& path) {
    dropStream();
    m_stream = std::make_unique<PdfStream>(path, m_document.paper);
    m_streamed = 0;
}

void PrintSurface::streamFinishedPages(bool all) {
    if (!m_stream)
        return;
    const int finished = all ? PageCount() : PageCount() - 1;
    for (; m_streamed < finished; ++m_streamed) {
        PrintPage page = std::move(m_document.pages[std::size_t(m_streamed)]);
        m_document.pages[std::size_t(m_streamed)] = PrintPage{};
        m_stream->addPage(std::move(page), m_document.styles, m_document.pictures);
    }
}

bool PrintSurface::finishPdf(QString* error) {
    if (!m_stream)
        return false;
    streamFinishedPages(true);
    const bool written = m_stream->finish(error);
    m_stream.reset();
    return written;
}

void PrintSurface::dropStream() {
    if (!m_stream)
        return;
    m_stream->abandon(); // a document given up leaves the target as it was
    m_stream.reset();
}

void PrintSurface::setPrinterBackend(std::shared_ptr<PrinterBackend> backend) {
    m_printer = backend ? std::move(backend) : std::make_shared<NoPrinter>();
}

double PrintSurface::TwipsPerPixel() const {
    const QScreen* screen = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
                                ? QGuiApplication::primaryScreen()
                                : nullptr;
    const double dpi = screen ? screen->logicalDotsPerInchX() : units::DefaultDotsPerInch;
    return units::twipsPerPixel(dpi > 0 ? dpi : units::DefaultDotsPerInch);
}

QSizeF PrintSurface::portraitPaper() const {
    // A paper the job names is the page as it prints, whatever the orientation.
    if (m_jobPaper)
        return m_orientation == 1 ? m_jobPaper->transposed() : *m_jobPaper;
    return m_printer->paperSize();
}

double PrintSurface::PaperWidth() const {
    return portraitPaper().width();
}
double PrintSurface::PaperHeight() const {
    return portraitPaper().height();
}

QSizeF PrintSurface::orientedPaper() const {
    const QSizeF paper = portraitPaper();
    return m_orientation == 1 ? paper.transposed() : paper;
}

void PrintSurface::setOrientation(int orientation) {
    if (orientation == 0 || orientation == 1)
        m_orientation = orientation;
}

void PrintSurface::setPenColor(qint32 colour) {
    m_penColor = colour;
    m_style.penColor = colors::toQColor(colour).rgb();
}

void PrintSurface::setBrushColor(qint32 colour) {
    m_brushColor = colour;
    m_style.brushColor = colors::toQColor(colour).rgb();
}

void PrintSurface::setTextColor(qint32 colour) {
    m_textColor = colour;
    m_style.textColor = colors::toQColor(colour).rgb();
}

void PrintSurface::StartDoc() {
    dropStream();
    m_document.clear();
    m_document.paper = orientedPaper();
    m_document.pages.emplace_back();
    m_open = true;
    m_currentX = m_marginLeft;
    m_currentY = m_marginTop;
    m_previewPage = 1;
    emit documentChanged();
}

void PrintSurface::NewPage() {
    if (!m_open)
        return;
    // A finished page is kept small until it is shown or written: a long job's pages would
    // otherwise take the machine's memory.
    const std::size_t steps = m_document.pages.back().ops.size();
    if (!m_stream)
        m_document.pages.back().pack();
    m_document.pages.emplace_back();
    // Pages of labels are alike: one block for the next page's steps, the size of the last.
    m_document.pages.back().ops.reserve(steps);
    m_currentX = m_marginLeft;
    m_currentY = m_marginTop;
    streamFinishedPages(false);
}

void PrintSurface::EndDoc() {
    if (m_open && !m_stream && !m_document.pages.empty())
        m_document.pages.back().pack();
    m_open = false;
    emit documentChanged();
}

void PrintSurface::KillDoc() {
    dropStream();
    m_open = false;
    m_document.clear();
    m_previewPage = 1;
    emit documentChanged();
}

bool PrintSurface::SaveDoc(const QString& path, QString* error) const {
    return printoutput::save(m_document, path, error);
}

std::optional<printoutput::LoadError> PrintSurface::LoadDoc(const QString& path) {
    PrintDocument loaded;
    if (auto error = printoutput::load(path, loaded))
        return error;
    m_document = std::move(loaded);
    m_open = false;
    m_previewPage = 1;
    emit documentChanged();
    return std::nullopt;
}

void PrintSurface::setPreviewPage(int page) {
    m_previewPage = std::clamp(page, 1, std::max(1, PageCount()));
    emit previewPageChanged();
}

void PrintSurface::setZoom(double percent) {
    if (m_zoom.choose(percent))
        emit zoomChanged();
}

void PrintSurface::setViewportSize(QSize pixels, int scrollBarExtent) {
    m_zoom.setViewport(pixels, scrollBarExtent);
    if (m_zoom.mode() != pressivo::FreeZoom)
        setZoomMode(m_zoom.mode());
}

void PrintSurface::setZoomMode(pressivo::ZoomMode mode) {
    const QSizeF paper = m_document.pages.empty() ? orientedPaper() : m_document.paper;
    if (m_zoom.fit(mode, paper / TwipsPerPixel()))
        emit zoomChanged();
}

bool PrintSurface::setAction(pressivo::Action action) {
    switch (action) {
    case pressivo::PageSetup:
        if (const auto orientation = printerdelivery::pageSetup(*m_printer, m_orientation)) {
            setOrientation(*orientation);
            return true;
        }
        return false;
    case pressivo::PrinterSetup:
        return printerdelivery::printerSetup(*m_printer);
    case pressivo::PrintShownPage:
    case pressivo::PrintDocument:
    case pressivo::PrintAllPages: {
        PrinterJob job;
        const bool shownPage = action == pressivo::PrintShownPage;
        job.first = shownPage ? m_previewPage : 1;
        job.last = shownPage ? m_previewPage : PageCount();
        job.copies = m_copies;
        job.name = m_jobName;
        return printerdelivery::send(*m_printer, m_document, std::move(job), m_progressView);
    }
    }
    return false;
}

namespace {
DrawOp makeOp(DrawOp::Kind kind, const QRectF& area) {
    DrawOp op;
    op.kind = kind;
    op.area = area;
    return op;
}
} // namespace

void PrintSurface::add(DrawOp op) {
    if (!m_open || m_document.pages.empty())
        return;
    op.style = m_document.styleIndex(m_style);
    m_document.extended =
        m_document.extended || op.measure != 0 || op.kind == DrawOp::Kind::Ellipse;
    m_document.pages.back().ops.push_back(std::move(op));
}

void PrintSurface::DrawLine(double x1, double y1, double x2, double y2) {
    add(makeOp(DrawOp::Kind::Line, QRectF(QPointF(x1, y1), QPointF(x2, y2))));
}

void PrintSurface::ClipTo(const QRectF& twips) {
    add(makeOp(DrawOp::Kind::Clip, twips));
}

void PrintSurface::TurnQuarter(const QRectF& twips) {
    add(makeOp(DrawOp::Kind::Turn, twips));
}

void PrintSurface::DrawRectangle(double x1, double y1, double x2, double y2) {
    add(makeOp(DrawOp::Kind::Rectangle, QRectF(QPointF(x1, y1), QPointF(x2, y2))));
}

void PrintSurface::DrawCircle(double x, double y, double radius) {
    add(makeOp(DrawOp::Kind::Circle, QRectF(x, y, radius, radius)));
}

void PrintSurface::Rotate(QPointF centre, double degrees) {
    DrawOp op = makeOp(DrawOp::Kind::Rotate, QRectF(centre, QSizeF(0, 0)));
    op.measure = degrees;
    add(std::move(op));
}

void PrintSurface::DrawEllipse(const QRectF& box) {
    add(makeOp(DrawOp::Kind::Ellipse, box));
}

void PrintSurface::DrawRoundedRectangle(const QRectF& box, double radius) {
    DrawOp op = makeOp(DrawOp::Kind::Rectangle, box);
    op.measure = radius;
    add(std::move(op));
}

void PrintSurface::DrawPicture(const QImage& picture, double x, double y,
                               std::optional<double> width, std::optional<double> height) {
    if (picture.isNull() || !m_open)
        return;
    // Its own size comes from its resolution (96 dpi when it has none).
    const auto dpi = [](int dotsPerMetre) {
        return dotsPerMetre > 0 ? units::dotsPerInch(dotsPerMetre) : units::DefaultDotsPerInch;
    };
    const double w = width.value_or(
        units::Length::pixels(picture.width(), dpi(picture.dotsPerMeterX())).inTwips());
    const double h = height.value_or(
        units::Length::pixels(picture.height(), dpi(picture.dotsPerMeterY())).inTwips());
    DrawOp op = makeOp(DrawOp::Kind::Picture, QRectF(x, y, w, h));
    op.picture = m_document.pictureIndex(picture);
    add(std::move(op));
}

void PrintSurface::TextBox(const QString& text, double x, double y, double width, double height,
                           bool shade) {
    DrawOp op = makeOp(DrawOp::Kind::TextBox, QRectF(x, y, width, height));
    op.text = text;
    op.shade = shade;
    if (m_open && !printoutput::textFits(m_style, op.area, text))
        ++m_cutTexts;
    add(std::move(op));
}

void PrintSurface::setText(const QString& text) {
    const QSizeF paper = m_document.pages.empty() ? orientedPaper() : m_document.paper;
    const double right = std::max(m_currentX + 1, paper.width() - m_marginRight);
    const double left = m_style.textAlign == printcodes::AlignLeft
                            ? m_currentX
                            : std::min(m_marginLeft, m_currentX);
    DrawOp op = makeOp(DrawOp::Kind::Text, QRectF(left, m_currentY, right - left,
                                                  std::max(1.0, paper.height() - m_currentY)));
    op.text = text;
    add(std::move(op));

    const QFontMetricsF& metrics = this->metrics();
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    const bool paragraphEnds = shown.endsWith(u'\n');
    if (paragraphEnds)
        shown.chop(1);
    const QRectF block =
        metrics.boundingRect(QRectF(0, 0, right - left, 1e9), int(Qt::TextWordWrap), shown);
    if (paragraphEnds) {
        m_currentY += std::max(block.height(), metrics.lineSpacing());
        m_currentX = m_marginLeft;
    } else {
        m_currentX += metrics.horizontalAdvance(shown.section(u'\n', -1));
        if (shown.contains(u'\n'))
            m_currentY += block.height() - metrics.lineSpacing();
    }
}

const QFontMetricsF& PrintSurface::metrics() const {
    const auto sameFont = [&](const DrawStyle& other) {
        return other.fontName == m_style.fontName && other.fontSize == m_style.fontSize &&
               other.fontBold == m_style.fontBold && other.fontItalic == m_style.fontItalic;
    };
    if (!m_metrics || !sameFont(m_metrics->first))
        m_metrics.emplace(m_style, QFontMetricsF(printoutput::fontInTwips(m_style)));
    return m_metrics->second;
}

double PrintSurface::TextWidth(const QString& text) const {
    const QFontMetricsF& metrics = this->metrics();
    double widest = 0;
    for (const QString& line : QString(text).replace(u'\r', u'\n').split(u'\n'))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest;
}

double PrintSurface::TextHeight(const QString& text) const {
    const QFontMetricsF& metrics = this->metrics();
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    return metrics.height() + metrics.lineSpacing() * double(lines.count(u'\n'));
}
