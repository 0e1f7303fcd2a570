#include "designsurface.h"

#include "barcode/barcodeencoding.h"
#include "common/colors.h"
#include "common/units.h"
#include "document/labeldocument.h"

#include <QPainter>

namespace {

constexpr double Shadow = 73.71;
constexpr double GridPitch = 113.4;

QRectF twipsRect(double x1, double y1, double x2, double y2) {
    return QRectF(QPointF(x1, y1), QPointF(x2, y2));
}

} // namespace

DesignSurface::DesignSurface(LabelDocument& document, QWidget* parent)
    : QWidget(parent)
    , m_document(document) {
    setObjectName(QStringLiteral("PicBox"));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(128, 128, 128));
    setPalette(palette);
    resize(sizeHint());
}

double DesignSurface::twipsPerPixel() const {
    return units::twipsPerPixel(logicalDpiX());
}

QSize DesignSurface::sizeHint() const {
    // The rulers reach 30 cm; the surface leaves room around them.
    const double scale = 1.0 / twipsPerPixel();
    return QSize(int(18500 * scale), int(19300 * scale));
}

void DesignSurface::setGriglia(bool on) {
    m_griglia = on;
    RidisegnaSuperficie();
}

void DesignSurface::RidisegnaSuperficie() {
    resize(sizeHint());
    update();
}

void DesignSurface::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.scale(1.0 / twipsPerPixel(), 1.0 / twipsPerPixel());
    DisegnaSfondo(painter);
    paintElements(painter);
}

void DesignSurface::DisegnaSfondo(QPainter& painter) const {
    const LayoutEtichetta& layout = m_document.layout();
    const double left = units::LabelOriginXTwips, top = units::LabelOriginYTwips;
    const double right = left + layout.LarghezzaEtichetta * units::TwipsPerMillimetre;
    const double bottom = top + layout.AltezzaEtichetta * units::TwipsPerMillimetre;
    const QColor grey(192, 192, 192);

    painter.fillRect(twipsRect(left + Shadow, bottom, right + Shadow, bottom + Shadow), grey);
    painter.fillRect(twipsRect(right, top + Shadow, right + Shadow, bottom), grey);
    painter.fillRect(twipsRect(left, top, right, bottom), Qt::white);
    QPen outline(Qt::black);
    outline.setCosmetic(true);
    painter.setPen(outline);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(twipsRect(left, top, right, bottom));

    QFont numbers(QStringLiteral("Arial"));
    numbers.setPixelSize(150); // 7.5 pt in twips
    painter.setFont(numbers);
    painter.fillRect(twipsRect(467, 770, 17860.5, 1100), Qt::white);
    for (int i = 0; i <= 30; ++i)
        painter.drawLine(QPointF(567 + i * 567.0, 980), QPointF(567 + i * 567.0, 1100));
    for (int i = 0; i <= 300; ++i)
        painter.drawLine(QPointF(567 + i * 56.7, 1025), QPointF(567 + i * 56.7, 1100));
    for (int i = 0; i <= 30; ++i)
        painter.drawText(QPointF(567 + i * 567.0 - 80, 960), QString::number(i));
    painter.fillRect(twipsRect(0, 1340, 300, 18711), Qt::white);
    for (int i = 0; i <= 30; ++i)
        painter.drawLine(QPointF(180, 1440 + i * 567.0), QPointF(300, 1440 + i * 567.0));
    for (int i = 0; i <= 300; ++i)
        painter.drawLine(QPointF(225, 1440 + i * 56.7), QPointF(300, 1440 + i * 56.7));
    for (int i = 0; i <= 30; ++i)
        painter.drawText(QPointF(10, 1440 + i * 567.0 + 60), QString::number(i));

    if (m_griglia) {
        std::vector<QPointF> dots;
        dots.reserve(161 * 161);
        for (int i = 0; i <= 160; ++i)
            for (int j = 0; j <= 160; ++j)
                dots.emplace_back(567 + i * GridPitch, 1440 + j * GridPitch);
        painter.drawPoints(dots.data(), int(dots.size()));
    }
}

void DesignSurface::paintElements(QPainter& painter) const {
    const double pixel = twipsPerPixel();
    for (const LabelElement* e : m_document.stackingOrder()) {
        if (!e->Visible)
            continue;
        const QRectF box(e->Left, e->Top, e->Width, e->Height);
        switch (e->kind) {
        case ElementKind::Testo: {
            if (e->BackStyle != 0)
                painter.fillRect(box, colors::toQColor(e->BackColor));
            QFont font(e->FontName);
            font.setPixelSize(std::max(1, int(std::lround(e->FontSize * 20))));
            font.setBold(e->FontBold);
            font.setItalic(e->FontItalic);
            painter.setFont(font);
            painter.setPen(colors::toQColor(e->ForeColor));
            const Qt::Alignment align = e->Alignment == 1   ? Qt::AlignRight
                                        : e->Alignment == 2 ? Qt::AlignHCenter
                                                            : Qt::AlignLeft;
            painter.save();
            painter.setClipRect(box);
            painter.drawText(box, int(align | Qt::AlignTop | Qt::TextWordWrap), e->Caption);
            painter.restore();
            break;
        }
        case ElementKind::Immagine:
            // A sample symbol: the real one is drawn when printing.
            painter.fillRect(box, Qt::white);
            for (const barcode::Box& bar : barcode::layoutCode39(QStringLiteral("000000"), box))
                if (bar.dark)
                    painter.fillRect(bar.rect, Qt::black);
            break;
        case ElementKind::Picture:
            if (!e->Picture.isNull()) {
                painter.drawImage(box, e->Picture);
            } else {
                painter.fillRect(box, QColor(230, 230, 230));
                QPen pen(QColor(150, 150, 150));
                pen.setCosmetic(true);
                painter.setPen(pen);
                painter.drawRect(box);
                painter.drawLine(box.topLeft(), box.bottomRight());
                painter.drawLine(box.topRight(), box.bottomLeft());
            }
            break;
        case ElementKind::Rettangolo: {
            const double width = e->BorderWidth * pixel;
            QPen pen(colors::toQColor(e->BorderColor), width);
            pen.setJoinStyle(Qt::MiterJoin);
            painter.setPen(pen);
            painter.setBrush(e->BackStyle != 0 ? QBrush(colors::toQColor(e->BackColor))
                                               : QBrush(Qt::NoBrush));
            painter.drawRect(box.adjusted(width / 2, width / 2, -width / 2, -width / 2));
            break;
        }
        }
    }
}
