// SPDX-License-Identifier: GPL-3.0-or-later
#include "barcode/widgets/barcodecontrol.h"

#include "barcode/zintsymbol.h"

#include "barcode/barcodeencoding.h"
#include "common/colors.h"
#include "common/messageservice.h"
#include "common/propertybag.h"
#include "common/units.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr qint32 ButtonText = qint32(0x80000012);

int shiftState(Qt::KeyboardModifiers modifiers) {
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

int buttonCode(Qt::MouseButtons buttons) {
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
           (buttons & Qt::MiddleButton ? 4 : 0);
}

} // namespace

// The inner picture: background, bars, then what Line drew.
class BarcodeControl::PictureBox : public QWidget {
public:
    struct Shape {
        QString flags;
        QRectF twips; // from (x1, y1) to (x2, y2), not normalised
        qint32 colour;
    };

    explicit PictureBox(BarcodeControl* owner)
        : QWidget(owner)
        , m_owner(owner) {
        setObjectName(QStringLiteral("picBarcode"));
        setFocusPolicy(Qt::StrongFocus);
    }

    double twipsPerPixel() const { return units::twipsPerPixel(logicalDpiX()); }

    qint32 backColor = colors::White;
    qint32 foreColor = ButtonText;
    qint16 borderStyle = 0;
    bool autoRedraw = false;
    bool fontTransparent = false;
    float currentX = 0;
    float currentY = 0;
    std::vector<Shape> shapes;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), colors::toQColor(backColor));
        m_owner->DrawBarcode(painter);
        const double scale = 1.0 / twipsPerPixel();
        for (const Shape& shape : shapes) {
            const QColor colour = colors::toQColor(shape.colour);
            const QRectF pixels(shape.twips.topLeft() * scale, shape.twips.bottomRight() * scale);
            painter.setPen(colour);
            if (shape.flags.compare(u"BF", Qt::CaseInsensitive) == 0)
                painter.fillRect(pixels.normalized(), colour);
            else if (shape.flags.compare(u"B", Qt::CaseInsensitive) == 0)
                painter.drawRect(pixels.normalized());
            else
                painter.drawLine(pixels.topLeft(), pixels.bottomRight());
        }
        if (borderStyle == 1) {
            painter.setPen(Qt::black);
            painter.drawRect(rect().adjusted(0, 0, -1, -1));
        }
    }

    void mousePressEvent(QMouseEvent* event) override {
        const QPointF at = event->position() * twipsPerPixel();
        emit m_owner->MouseDown(buttonCode(event->button()), shiftState(event->modifiers()),
                                float(at.x()), float(at.y()));
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        const QPointF at = event->position() * twipsPerPixel();
        emit m_owner->MouseMove(buttonCode(event->buttons()), shiftState(event->modifiers()),
                                float(at.x()), float(at.y()));
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        const QPointF at = event->position() * twipsPerPixel();
        emit m_owner->MouseUp(buttonCode(event->button()), shiftState(event->modifiers()),
                              float(at.x()), float(at.y()));
        if (rect().contains(event->position().toPoint()))
            emit m_owner->Click();
    }
    void mouseDoubleClickEvent(QMouseEvent*) override { emit m_owner->DblClick(); }
    void keyPressEvent(QKeyEvent* event) override {
        emit m_owner->KeyDown(event->key(), shiftState(event->modifiers()));
        if (!event->text().isEmpty())
            emit m_owner->KeyPress(event->text().front().unicode());
    }
    void keyReleaseEvent(QKeyEvent* event) override {
        emit m_owner->KeyUp(event->key(), shiftState(event->modifiers()));
    }

private:
    BarcodeControl* m_owner;
};

BarcodeControl::BarcodeControl(QWidget* parent)
    : QWidget(parent)
    , m_picture(new PictureBox(this)) {
    setObjectName(QStringLiteral("barcode"));
    m_picture->move(0, 0);
    m_picture->resize(size());
}

BarcodeControl::~BarcodeControl() = default;

QWidget* BarcodeControl::picBarcode() const {
    return m_picture;
}

void BarcodeControl::setBarcode(const QString& text) {
    m_barcode = text;
    emit PropertyChanged(QStringLiteral("Barcode"));
    // An invalid EAN is reported here, once per text, never from inside a paint.
    if (m_tipoBarcode == Ean) {
        const auto encoding = barcode::encodeEan(text);
        if (encoding.problem != barcode::EanProblem::None)
            MessageService::current().message(barcode::eanProblemText(encoding.problem),
                                              QStringLiteral("EAN2Bin"), MessageIcon::Exclamation);
    }
    m_picture->update();
}

void BarcodeControl::setTipoBarcode(qint16 tipo) {
    m_tipoBarcode = tipo;
    emit PropertyChanged(QStringLiteral("TipoBarcode"));
}

void BarcodeControl::setTesto(const QString& testo) {
    m_testo = testo;
    emit PropertyChanged(QStringLiteral("Testo"));
}

void BarcodeControl::DrawBarcode(QPainter& painter) const {
    const QRectF area(0, 0, m_picture->width(), m_picture->height());
    std::vector<barcode::Box> boxes;
    if (m_tipoBarcode == Ean)
        boxes = barcode::layoutEan(barcode::encodeEan(m_barcode).modules, area);
    else if (m_tipoBarcode == Code39)
        boxes = barcode::layoutCode39(m_barcode, area);
    else if (const auto kind = zintsymbol::fromTagDigit(m_tipoBarcode)) {
        // The other symbologies by their list position, as in a barcode element's Tag.
        if (const auto encoding = zintsymbol::encode(*kind, m_barcode); encoding.symbol)
            boxes = zintsymbol::layout(*encoding.symbol, *kind, area);
    }
    for (const barcode::Box& box : boxes)
        painter.fillRect(box.rect, box.dark ? Qt::black : Qt::white);
}

qint32 BarcodeControl::BackColor() const {
    return m_picture->backColor;
}
void BarcodeControl::setBackColor(qint32 colour) {
    m_picture->backColor = colour;
    m_picture->update();
}
qint32 BarcodeControl::ForeColor() const {
    return m_picture->foreColor;
}
void BarcodeControl::setForeColor(qint32 colour) {
    m_picture->foreColor = colour;
}
bool BarcodeControl::Enabled() const {
    return m_picture->isEnabled();
}
void BarcodeControl::setEnabled(bool enabled) {
    m_picture->setEnabled(enabled);
}
QFont BarcodeControl::Font() const {
    return m_picture->font();
}
void BarcodeControl::setFont(const QFont& font) {
    m_picture->setFont(font);
}
qint16 BarcodeControl::BorderStyle() const {
    return m_picture->borderStyle;
}
void BarcodeControl::setBorderStyle(qint16 style) {
    m_picture->borderStyle = style;
    m_picture->update();
}
bool BarcodeControl::AutoRedraw() const {
    return m_picture->autoRedraw;
}
void BarcodeControl::setAutoRedraw(bool autoRedraw) {
    m_picture->autoRedraw = autoRedraw;
}
float BarcodeControl::CurrentX() const {
    return m_picture->currentX;
}
void BarcodeControl::setCurrentX(float x) {
    m_picture->currentX = x;
}
float BarcodeControl::CurrentY() const {
    return m_picture->currentY;
}
void BarcodeControl::setCurrentY(float y) {
    m_picture->currentY = y;
}
bool BarcodeControl::FontTransparent() const {
    return m_picture->fontTransparent;
}
void BarcodeControl::setFontTransparent(bool transparent) {
    m_picture->fontTransparent = transparent;
}

namespace {
template <typename Change> void changeFont(QWidget* widget, Change change) {
    QFont font = widget->font();
    change(font);
    widget->setFont(font);
}
} // namespace

void BarcodeControl::setFontBold(bool bold) {
    changeFont(m_picture, [&](QFont& f) { f.setBold(bold); });
}
void BarcodeControl::setFontItalic(bool italic) {
    changeFont(m_picture, [&](QFont& f) { f.setItalic(italic); });
}
void BarcodeControl::setFontName(const QString& name) {
    changeFont(m_picture, [&](QFont& f) { f.setFamily(name); });
}
void BarcodeControl::setFontSize(float size) {
    if (size > 0)
        changeFont(m_picture, [&](QFont& f) { f.setPointSizeF(size); });
}
void BarcodeControl::setFontStrikethru(bool strikethru) {
    changeFont(m_picture, [&](QFont& f) { f.setStrikeOut(strikethru); });
}
void BarcodeControl::setFontUnderline(bool underline) {
    changeFont(m_picture, [&](QFont& f) { f.setUnderline(underline); });
}

void BarcodeControl::Refresh() {
    // Without AutoRedraw what Line drew does not survive a repaint.
    if (!m_picture->autoRedraw)
        m_picture->shapes.clear();
    m_picture->update();
}

void BarcodeControl::Line(const QString& flags, float x1, float y1, float x2, float y2,
                          qint32 colour) {
    m_picture->shapes.push_back({flags, QRectF(QPointF(x1, y1), QPointF(x2, y2)), colour});
    m_picture->currentX = x2;
    m_picture->currentY = y2;
    m_picture->update();
}

float BarcodeControl::TextHeight(const QString& text) const {
    const QFontMetricsF metrics(m_picture->font(), m_picture);
    const int lines = std::max<int>(1, int(text.count(u'\n')) + 1);
    return float(metrics.height() * lines * m_picture->twipsPerPixel());
}

float BarcodeControl::TextWidth(const QString& text) const {
    const QFontMetricsF metrics(m_picture->font(), m_picture);
    qreal widest = 0;
    for (const QString& line : text.split(u'\n'))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return float(widest * m_picture->twipsPerPixel());
}

void BarcodeControl::resizeEvent(QResizeEvent*) {
    m_picture->resize(size());
    m_picture->update();
    emit Resize();
}

void BarcodeControl::ReadProperties(const PropertyBag& bag) {
    m_picture->backColor = bag.ReadProperty(QStringLiteral("BackColor"), colors::White).toInt();
    m_picture->foreColor = bag.ReadProperty(QStringLiteral("ForeColor"), ButtonText).toInt();
    m_picture->setEnabled(bag.ReadProperty(QStringLiteral("Enabled"), false).toBool());
    const QVariant font = bag.ReadProperty(QStringLiteral("Font"));
    m_picture->setFont(font.canConvert<QFont>() && font.isValid() ? font.value<QFont>()
                                                                  : this->font());
    m_picture->borderStyle = qint16(bag.ReadProperty(QStringLiteral("BorderStyle"), 0).toInt());
    m_picture->autoRedraw = bag.ReadProperty(QStringLiteral("AutoRedraw"), false).toBool();
    m_picture->currentX = bag.ReadProperty(QStringLiteral("CurrentX"), 0).toFloat();
    m_picture->currentY = bag.ReadProperty(QStringLiteral("CurrentY"), 0).toFloat();
    setFontBold(bag.ReadProperty(QStringLiteral("FontBold"), 0).toBool());
    setFontItalic(bag.ReadProperty(QStringLiteral("FontItalic"), 0).toBool());
    const QString fontName = bag.ReadProperty(QStringLiteral("FontName"), QString()).toString();
    if (!fontName.isEmpty())
        setFontName(fontName);
    setFontSize(bag.ReadProperty(QStringLiteral("FontSize"), 0).toFloat());
    setFontStrikethru(bag.ReadProperty(QStringLiteral("FontStrikethru"), 0).toBool());
    m_picture->fontTransparent =
        bag.ReadProperty(QStringLiteral("FontTransparent"), false).toBool();
    setFontUnderline(bag.ReadProperty(QStringLiteral("FontUnderline"), 0).toBool());
    m_testo = bag.ReadProperty(QStringLiteral("Testo"), QString()).toString();
    m_barcode = bag.ReadProperty(QStringLiteral("Barcode"), QStringLiteral("000000")).toString();
    m_tipoBarcode = qint16(bag.ReadProperty(QStringLiteral("TipoBarcode"), 1).toInt());
    m_picture->resize(size());
    m_picture->update();
}

void BarcodeControl::WriteProperties(PropertyBag& bag) const {
    bag.WriteProperty(QStringLiteral("BackColor"), BackColor());
    bag.WriteProperty(QStringLiteral("ForeColor"), ForeColor());
    bag.WriteProperty(QStringLiteral("Enabled"), Enabled());
    bag.WriteProperty(QStringLiteral("Font"), Font());
    bag.WriteProperty(QStringLiteral("BorderStyle"), BorderStyle());
    bag.WriteProperty(QStringLiteral("AutoRedraw"), AutoRedraw());
    bag.WriteProperty(QStringLiteral("CurrentX"), CurrentX());
    bag.WriteProperty(QStringLiteral("CurrentY"), CurrentY());
    bag.WriteProperty(QStringLiteral("FontBold"), FontBold());
    bag.WriteProperty(QStringLiteral("FontItalic"), FontItalic());
    bag.WriteProperty(QStringLiteral("FontName"), FontName());
    bag.WriteProperty(QStringLiteral("FontSize"), FontSize());
    bag.WriteProperty(QStringLiteral("FontStrikethru"), FontStrikethru());
    bag.WriteProperty(QStringLiteral("FontTransparent"), FontTransparent());
    bag.WriteProperty(QStringLiteral("FontUnderline"), FontUnderline());
    bag.WriteProperty(QStringLiteral("Testo"), Testo());
    bag.WriteProperty(QStringLiteral("Barcode"), barcode());
    bag.WriteProperty(QStringLiteral("TipoBarcode"), TipoBarcode());
}
