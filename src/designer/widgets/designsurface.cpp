// SPDX-License-Identifier: GPL-3.0-or-later
#include "designer/widgets/designsurface.h"

#include "common/colors.h"
#include "common/units.h"
#include "designer/designcontent.h"
#include "designer/widgets/surfacebackground.h"
#include "document/labeldocument.h"
#include "printcomponent/clspressivo.h"
#include "printcomponent/pressivoui.h"
#include "printcomponent/printdocument.h"
#include "printcomponent/printsurface.h"
#include "printing/elementrenderer.h"

#include "common/rounding.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

using units::Length;

constexpr double Millimetre = Length::millimetres(1).inTwips();

} // namespace

// The frame that follows the mouse: drawn over the surface, which is not repainted while it
// moves, inverting what is under it like the label program's frame.
class FrameOverlay : public QWidget {
public:
    explicit FrameOverlay(DesignSurface* surface)
        : QWidget(surface)
        , m_surface(surface) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        if (m_surface->StatoTrascinamento() == 0)
            return;
        QPainter painter(this);
        painter.setCompositionMode(QPainter::CompositionMode_Difference);
        painter.setPen(QPen(Qt::white, 2));
        painter.drawRect(m_surface->frame());
    }

private:
    DesignSurface* m_surface;
};

DesignSurface::DesignSurface(LabelDocument& document, QWidget* parent)
    : QWidget(parent)
    , m_document(document)
    , m_overlay(new FrameOverlay(this)) {
    setMouseTracking(true);
    connect(&m_document, &LabelDocument::elementsChanged, this, [this] {
        // A removed element cannot stay selected.
        const auto& all = m_document.stackingOrder();
        if (m_current && std::find(all.begin(), all.end(), m_current) == all.end())
            Deseleziona();
    });
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
    m_overlay->resize(sizeHint());
    update();
}

void DesignSurface::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.save();
    painter.scale(1.0 / twipsPerPixel(), 1.0 / twipsPerPixel());
    DisegnaSfondo(painter);
    paintElements(painter, event->rect());
    painter.restore();
    for (const QRect& grip : grips()) {
        if (!grip.isNull())
            painter.fillRect(grip, Qt::black);
    }
}

void DesignSurface::armTool(Tool tool) {
    Deseleziona();
    m_tool = tool;
    setCursor(tool == Tool::None ? Qt::ArrowCursor : Qt::CrossCursor);
}

void DesignSurface::Deseleziona() {
    const bool had = m_current != nullptr;
    m_selecting = false;
    m_current = nullptr;
    m_dragState = 0;
    update();
    if (had)
        emit selectionChanged();
}

std::array<QRect, 8> DesignSurface::grips() const {
    std::array<QRect, 8> result{};
    if (!m_current || m_dragState != 0)
        return result;
    clsGrip r;
    r.SetRectToCtrl(*m_current);
    r.TwipsToPixels(twipsPerPixel());
    const int xs[3] = {r.Left, r.Left + r.Width() / 2, r.Right - 1};
    const int ys[3] = {r.Top, r.Top + r.Height() / 2, r.Bottom - 1};
    // Grip order: top-left, top, top-right, right, bottom-right, bottom, bottom-left, left.
    const int column[8] = {0, 1, 2, 2, 2, 1, 0, 0};
    const int row[8] = {0, 0, 0, 1, 2, 2, 2, 1};
    for (int i = 0; i < 8; ++i)
        result[std::size_t(i)] = QRect(xs[column[i]] - 2, ys[row[i]] - 2, 5, 5);
    return result;
}

int DesignSurface::gripAt(QPoint pixel) const {
    const auto all = grips();
    for (int i = 0; i < 8; ++i) {
        if (all[std::size_t(i)].adjusted(-1, -1, 1, 1).contains(pixel))
            return i;
    }
    return -1;
}

LabelElement* DesignSurface::elementAt(QPoint pixel) const {
    // The frontmost element under the point wins, as the user sees it.
    const double x = pixel.x() * twipsPerPixel(), y = pixel.y() * twipsPerPixel();
    const auto& stack = m_document.stackingOrder();
    for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
        clsGrip r;
        r.SetRectToCtrl(**it);
        if ((*it)->Visible && r.PtInRect(x, y))
            return *it;
    }
    return nullptr;
}

double DesignSurface::snappedTwips(double twips, double origin) const {
    if (!m_snap)
        return twips;
    return origin + std::round((twips - origin) / Millimetre) * Millimetre;
}

QSizeF DesignSurface::surfaceTwips() const {
    return QSizeF(width(), height()) * twipsPerPixel();
}

QPoint DesignSurface::inside(QPoint pixel) const {
    // The frame stays on the surface: the cursor's position is kept inside it.
    return QPoint(std::clamp(pixel.x(), 0, width() - 1), std::clamp(pixel.y(), 0, height() - 1));
}

void DesignSurface::confinePointer(QPoint pixel) {
    // The part of the surface the scroll area shows; the whole surface without one.
    QRect visible = visibleRegion().boundingRect();
    if (visible.isEmpty())
        visible = rect();
    const QPoint kept(std::clamp(pixel.x(), visible.left(), visible.right()),
                      std::clamp(pixel.y(), visible.top(), visible.bottom()));
    if (kept != pixel)
        QCursor::setPos(mapToGlobal(kept));
}

void DesignSurface::IniziaSpostamento(LabelElement* element, QPoint pixel) {
    m_current = element;
    m_pressPixel = pixel;
    m_startTwips = QRectF(element->Left, element->Top, element->Width, element->Height);
    m_targetTwips = m_startTwips;
    showTarget();
    m_dragState = 1;
    update(); // the grips go away before the frame appears
    m_overlay->raise();
    m_overlay->update();
    emit selectionChanged();
}

void DesignSurface::showTarget() {
    m_frame.Left = int(std::lround(m_targetTwips.left() / twipsPerPixel()));
    m_frame.Top = int(std::lround(m_targetTwips.top() / twipsPerPixel()));
    m_frame.Right = int(std::lround(m_targetTwips.right() / twipsPerPixel()));
    m_frame.Bottom = int(std::lround(m_targetTwips.bottom() / twipsPerPixel()));
}

void DesignSurface::updateFrame(const QRect& before) {
    // Only the old and the new frame are repainted, never the whole surface.
    m_overlay->update(before.adjusted(-2, -2, 2, 2));
    m_overlay->update(frame().adjusted(-2, -2, 2, 2));
}

void DesignSurface::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint pixel = event->position().toPoint();
    if (m_current && m_dragState == 0) {
        const int grip = gripAt(pixel);
        if (grip >= 0) {
            m_pressPixel = pixel;
            m_startTwips =
                QRectF(m_current->Left, m_current->Top, m_current->Width, m_current->Height);
            m_targetTwips = m_startTwips;
            showTarget();
            m_grip = grip;
            m_dragState = 2;
            update();
            m_overlay->raise();
            m_overlay->update();
            return;
        }
    }
    if (!m_selecting) {
        if (m_tool == Tool::None)
            return;
        // The new element's corner is where the user clicked (on the millimetre of the label
        // nearest to it with snap on).
        const double tpp = twipsPerPixel();
        const float x = float(snappedTwips(pixel.x() * tpp, units::LabelOriginXTwips));
        const float y = float(snappedTwips(pixel.y() * tpp, units::LabelOriginYTwips));
        LabelElement* created = nullptr;
        switch (m_tool) {
        case Tool::Testo:
            created = m_document.CreaOggTesto(x, y, 1000, 255);
            break;
        case Tool::Immagine:
            created = m_document.CreaOggPicture(x, y, 1935, 1035);
            break;
        case Tool::Rettangolo:
            created = m_document.CreaOggRettangolo(x, y, 1935, 1035);
            break;
        case Tool::CodiceBarre:
            created = m_document.CreaOggImmagine(x, y, 1935, 1035);
            break;
        case Tool::None:
            break;
        }
        m_tool = Tool::None;
        setCursor(Qt::ArrowCursor);
        m_selecting = true;
        if (created) {
            emit elementChanged();
            IniziaSpostamento(created, pixel);
        }
        return;
    }
    if (LabelElement* hit = elementAt(pixel)) {
        IniziaSpostamento(hit, pixel);
        return;
    }
    m_current = nullptr;
    update();
    emit selectionChanged();
}

void DesignSurface::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragState == 0) {
        // Over a grip the pointer shows which way it resizes.
        static const Qt::CursorShape shapes[8] = {
            Qt::SizeFDiagCursor, Qt::SizeVerCursor, Qt::SizeBDiagCursor, Qt::SizeHorCursor,
            Qt::SizeFDiagCursor, Qt::SizeVerCursor, Qt::SizeBDiagCursor, Qt::SizeHorCursor};
        const int grip = gripAt(event->position().toPoint());
        if (grip >= 0)
            setCursor(shapes[grip]);
        else if (m_tool == Tool::None)
            setCursor(Qt::ArrowCursor);
        return;
    }
    const QRect before = frame();
    confinePointer(event->position().toPoint());
    const QPoint p = inside(event->position().toPoint());
    const double tpp = twipsPerPixel();
    const QSizeF area = surfaceTwips();
    const double originX = units::LabelOriginXTwips, originY = units::LabelOriginYTwips;
    if (m_dragState == 1) {
        // The element follows the pointer, snapped, and never leaves the surface.
        const QPointF moved = m_startTwips.topLeft() + QPointF(p - m_pressPixel) * tpp;
        const double width = m_startTwips.width(), height = m_startTwips.height();
        const double left =
            std::clamp(snappedTwips(moved.x(), originX), 0.0, std::max(0.0, area.width() - width));
        const double top = std::clamp(snappedTwips(moved.y(), originY), 0.0,
                                      std::max(0.0, area.height() - height));
        m_targetTwips = QRectF(left, top, width, height);
    } else {
        const double x = snappedTwips(p.x() * tpp, originX);
        const double y = snappedTwips(p.y() * tpp, originY);
        const bool left = m_grip == 0 || m_grip == 6 || m_grip == 7;
        const bool right = m_grip >= 2 && m_grip <= 4;
        const bool top = m_grip <= 2;
        const bool bottom = m_grip >= 4 && m_grip <= 6;
        QRectF edges = m_startTwips;
        if (left)
            edges.setLeft(x);
        if (right)
            edges.setRight(x);
        if (top)
            edges.setTop(y);
        if (bottom)
            edges.setBottom(y);
        m_targetTwips = edges;
    }
    showTarget();
    updateFrame(before);
}

void DesignSurface::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || m_dragState == 0 || !m_current)
        return;
    const float left = m_current->Left, top = m_current->Top, width = m_current->Width,
                height = m_current->Height;
    // A click that does not move leaves the element exactly where it was; a frame dragged
    // past its opposite edge is put in order.
    if (m_targetTwips != m_startTwips) {
        const QRectF target = m_targetTwips.normalized();
        m_current->Left = float(target.left());
        m_current->Top = float(target.top());
        m_current->Width = float(target.width());
        m_current->Height = float(target.height());
    }
    m_dragState = 0;
    m_overlay->update();
    update();
    if (m_current->Left != left || m_current->Top != top || m_current->Width != width ||
        m_current->Height != height)
        emit elementChanged();
}

void DesignSurface::DisegnaSfondo(QPainter& painter) const {
    paintSurfaceBackground(painter, m_document.layout(), m_griglia);
}

namespace {

// Where a picture element has no picture yet: a grey box with a cross.
void drawPicturePlaceholder(QPainter& painter, const QRectF& box) {
    painter.fillRect(box, QColor(230, 230, 230));
    QPen pen(QColor(150, 150, 150));
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.drawRect(box);
    painter.drawLine(box.topLeft(), box.bottomRight());
    painter.drawLine(box.topRight(), box.bottomLeft());
}

} // namespace

void DesignSurface::paintElements(QPainter& painter, const QRect& pixels) const {
    const double pixel = twipsPerPixel();
    const QRectF area(pixels.x() * pixel, pixels.y() * pixel, pixels.width() * pixel,
                      pixels.height() * pixel);
    // The elements are drawn as they print: through the print component onto a page of
    // their own, which is then painted at the screen's scale.
    HeadlessPressivoUi scratch;
    clsPressivo pressivo(scratch, clsPressivo::DrawingOnly{});
    PrintSurface& page = scratch.surface();
    const double margin = units::Length::millimetres(1).inTwips();
    for (const LabelElement* e : m_document.stackingOrder()) {
        const QRectF box(e->Left, e->Top, e->Width, e->Height);
        if (!e->Visible ||
            !box.normalized().adjusted(-margin, -margin, margin, margin).intersects(area))
            continue; // only what the repaint needs
        if (e->kind == ElementKind::Picture && e->Picture.isNull()) {
            // Painted in its place in the stacking order: what lies under it first.
            printoutput::renderPage(page.document(), 0, painter);
            page.StartDoc();
            drawPicturePlaceholder(painter, box);
        } else {
            drawElement(*e, designContent(*e), elementBoxOnSurface(*e), pressivo);
        }
    }
    printoutput::renderPage(page.document(), 0, painter);
}

void DesignSurface::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_current || m_current->Index <= 0)
        return;
    if (elementAt(event->position().toPoint()) == m_current)
        emit elementDoubleClicked();
}
