// SPDX-License-Identifier: GPL-3.0-or-later
#include "designer/widgets/designsurface.h"

#include "document/elementtype.h"

#include "common/units.h"
#include "designer/dragtarget.h"
#include "designer/elementselection.h"
#include "designer/widgets/frameoverlay.h"
#include "designer/widgets/surfacebackground.h"
#include "document/labeldocument.h"
#include "editing/arrange.h"

#include "common/rounding.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <map>

namespace {

using units::Length;

constexpr double Millimetre = Length::millimetres(1).inTwips();

} // namespace

DesignSurface::DesignSurface(LabelDocument& document, QWidget* parent)
    : QWidget(parent)
    , m_document(document)
    , m_overlay(new FrameOverlay(this, [this]() -> std::optional<QRect> {
        if (StatoTrascinamento() == 0)
            return std::nullopt;
        return frame();
    })) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    connect(&m_document, &LabelDocument::elementsChanged, this, [this] {
        // A removed element cannot stay selected.
        const auto& all = m_document.stackingOrder();
        const auto kept = elementselection::stillThere(m_selection, all);
        if (kept.size() != m_selection.size() ||
            (m_current && std::find(all.begin(), all.end(), m_current) == all.end())) {
            // An element dragged and taken away meanwhile (undone) ends the drag too.
            m_dragState = 0;
            m_overlay->update();
            select(kept);
        }
    });
    setObjectName(QStringLiteral("PicBox"));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(128, 128, 128));
    setPalette(palette);
    resize(sizeHint());
}

double DesignSurface::twipsPerPixel() const {
    return units::twipsPerPixel(logicalDpiX()) / m_zoom;
}

void DesignSurface::setZoom(double zoom) {
    zoom = std::clamp(zoom, MinimumZoom, MaximumZoom);
    if (zoom == m_zoom)
        return;
    m_zoom = zoom;
    RidisegnaSuperficie();
    emit zoomChanged(m_zoom);
}

double DesignSurface::fittingZoom(QSize pixels) const {
    // The label from the surface's corner (rulers included) and a millimetre beyond it.
    const LayoutEtichetta& layout = m_document.layout();
    const double right = units::LabelOriginXTwips + (layout.LarghezzaEtichetta + 1) * Millimetre;
    const double bottom = units::LabelOriginYTwips + (layout.AltezzaEtichetta + 1) * Millimetre;
    const double screen = units::twipsPerPixel(logicalDpiX());
    return std::clamp(std::min(pixels.width() * screen / right, pixels.height() * screen / bottom),
                      MinimumZoom, MaximumZoom);
}

QRect DesignSurface::labelPixels() const {
    const LayoutEtichetta& layout = m_document.layout();
    const double scale = 1.0 / twipsPerPixel();
    return QRectF(units::LabelOriginXTwips * scale, units::LabelOriginYTwips * scale,
                  layout.LarghezzaEtichetta * Millimetre * scale,
                  layout.AltezzaEtichetta * Millimetre * scale)
        .toAlignedRect();
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

QRect DesignSurface::visiblePart() const {
    QRect visible = rect();
    if (const QWidget* view = parentWidget())
        visible &= QRect(mapFrom(view, QPoint(0, 0)), view->size());
    return visible;
}

void DesignSurface::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    update(); // scrolled: the rulers stay at the view's edge, not where the surface moved them
}

void DesignSurface::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.save();
    painter.scale(1.0 / twipsPerPixel(), 1.0 / twipsPerPixel());
    DisegnaSfondo(painter);
    const double tpp = twipsPerPixel();
    const QRect pixels = event->rect();
    paintSurfaceElements(
        painter, m_document,
        QRectF(pixels.x() * tpp, pixels.y() * tpp, pixels.width() * tpp, pixels.height() * tpp));
    const QRect visible = visiblePart();
    paintSurfaceRulers(painter, QRectF(visible.x() * tpp, visible.y() * tpp, visible.width() * tpp,
                                       visible.height() * tpp));
    painter.restore();
    for (const QRect& grip : grips()) {
        if (!grip.isNull())
            painter.fillRect(grip, Qt::black);
    }
    if (m_selection.size() > 1) // grips are for one element alone
        paintSelectionOutlines(painter, m_selection, twipsPerPixel());
}

void DesignSurface::armTool(Tool tool) {
    Deseleziona();
    m_tool = tool;
    m_selecting = tool == Tool::None;
    setCursor(tool == Tool::None ? Qt::ArrowCursor : Qt::CrossCursor);
}

void DesignSurface::Deseleziona() {
    const bool had = m_current != nullptr || !m_selection.empty();
    // With no insertion tool armed the select tool is: a click on an element selects it
    // after a save, an opened label or a dialog as before them.
    m_selecting = m_tool == Tool::None;
    m_current = nullptr;
    m_selection.clear();
    m_dragState = 0;
    update();
    if (had)
        emit selectionChanged();
}

void DesignSurface::select(const std::vector<LabelElement*>& elements) {
    m_selection = elements;
    m_current = elements.empty() ? nullptr : elements.back();
    update();
    emit selectionChanged();
}

bool DesignSurface::isSelected(const LabelElement* element) const {
    return std::find(m_selection.begin(), m_selection.end(), element) != m_selection.end();
}

void DesignSurface::cycle(bool forward) {
    std::vector<LabelElement*> all;
    for (const auto& owned : m_document.elements())
        all.push_back(owned.get());
    if (LabelElement* next = elementselection::neighbour(all, m_current, forward)) {
        m_selecting = true;
        select({next});
    }
}

std::array<QRect, 8> DesignSurface::grips() const {
    if (!m_current || m_dragState != 0 || m_selection.size() > 1)
        return {};
    clsGrip r;
    r.SetRectToCtrl(*m_current);
    r.TwipsToPixels(twipsPerPixel());
    auto boxes = dragtarget::gripBoxes(r.toQRect());
    if (typeOf(*m_current).isSegment()) {
        // A line has a grip at each end: the corners it joins as it shows, turned a quarter
        // it rises where it fell.
        const bool rising = m_current->Ascendente != (m_current->Rotazione % 180 == 90);
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            if (i != (rising ? 2u : 0u) && i != (rising ? 6u : 4u))
                boxes[i] = QRect();
        }
    }
    return boxes;
}

int DesignSurface::gripAt(QPoint pixel) const {
    const auto all = grips();
    for (int i = 0; i < 8; ++i) {
        const QRect& grip = all[std::size_t(i)];
        if (!grip.isNull() && grip.adjusted(-1, -1, 1, 1).contains(pixel))
            return i;
    }
    return -1;
}

LabelElement* DesignSurface::elementAt(QPoint pixel) const {
    // The frontmost element under the point wins, as the user sees it.
    const double x = pixel.x() * twipsPerPixel(), y = pixel.y() * twipsPerPixel();
    const auto stack = m_document.drawOrder();
    for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
        clsGrip r;
        r.SetRectToCtrl(**it);
        // A line has no width or no height: it is hit within a few pixels of it.
        const auto reach = qint32(std::ceil(3 * twipsPerPixel()));
        if (r.Right - r.Left < reach)
            r.Left -= reach, r.Right += reach;
        if (r.Bottom - r.Top < reach)
            r.Top -= reach, r.Bottom += reach;
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
    if (!isSelected(element))
        m_selection = {element};
    m_current = element;
    beginDrag(1, pixel);
    emit selectionChanged();
}

void DesignSurface::beginDrag(int state, QPoint pixel) {
    m_pressPixel = pixel;
    m_startTwips = m_current->box();
    m_targetTwips = m_startTwips;
    showTarget();
    m_dragState = state;
    update(); // the grips go away before the frame appears
    m_overlay->raise();
    m_overlay->update();
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
    setFocus(Qt::MouseFocusReason);
    const QPoint pixel = event->position().toPoint();
    if (m_current && m_dragState == 0) {
        const int grip = gripAt(pixel);
        if (grip >= 0) {
            m_grip = grip;
            beginDrag(2, pixel);
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
        // Each kind starts as its template is: texts one line high, lines 3.4 cm across.
        static const std::map<Tool, ElementKind> made{
            {Tool::Testo, ElementKind::Testo},           {Tool::Immagine, ElementKind::Picture},
            {Tool::Rettangolo, ElementKind::Rettangolo}, {Tool::CodiceBarre, ElementKind::Immagine},
            {Tool::Linea, ElementKind::Linea},           {Tool::Ellisse, ElementKind::Ellisse}};
        const ElementKind kind = made.at(m_tool);
        const LabelElement& shape = m_document.templateOf(kind);
        LabelElement* created = m_document.CreaOgg(kind, x, y, shape.Width, shape.Height);
        m_tool = Tool::None;
        setCursor(Qt::ArrowCursor);
        m_selecting = true;
        if (created) {
            emit elementChanged();
            IniziaSpostamento(created, pixel);
        }
        return;
    }
    const bool adding = event->modifiers() & Qt::ShiftModifier;
    if (LabelElement* hit = elementAt(pixel)) {
        if (adding)
            select(elementselection::toggled(m_selection, hit));
        else
            IniziaSpostamento(hit, pixel);
        return;
    }
    // On the empty surface a frame starts: what it encloses is chosen.
    if (!adding)
        select({});
    m_pressPixel = pixel;
    m_dragState = 3;
    m_frame = clsGrip{pixel.x(), pixel.y(), pixel.x(), pixel.y()};
    m_overlay->raise();
}

void DesignSurface::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragState == 0) {
        const int grip = gripAt(event->position().toPoint());
        if (grip >= 0)
            setCursor(dragtarget::gripCursor(grip));
        else if (m_tool == Tool::None)
            setCursor(Qt::ArrowCursor);
        return;
    }
    const QRect before = frame();
    confinePointer(event->position().toPoint());
    const QPoint p = inside(event->position().toPoint());
    if (m_dragState == 3) {
        const QRect band = QRect(m_pressPixel, p).normalized();
        m_frame = clsGrip{band.left(), band.top(), band.right() + 1, band.bottom() + 1};
        updateFrame(before);
        return;
    }
    const double tpp = twipsPerPixel();
    const QSizeF area = surfaceTwips();
    const double originX = units::LabelOriginXTwips, originY = units::LabelOriginYTwips;
    // The element follows the pointer, snapped, and never leaves the surface.
    if (m_dragState == 1) {
        const QPointF moved = m_startTwips.topLeft() + QPointF(p - m_pressPixel) * tpp;
        m_targetTwips = dragtarget::moved(
            m_startTwips, {snappedTwips(moved.x(), originX), snappedTwips(moved.y(), originY)},
            area);
    } else {
        m_targetTwips = dragtarget::resized(
            m_startTwips, m_grip,
            {snappedTwips(p.x() * tpp, originX), snappedTwips(p.y() * tpp, originY)});
    }
    showTarget();
    updateFrame(before);
}

void DesignSurface::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || m_dragState == 0)
        return;
    if (m_dragState == 3) {
        m_dragState = 0;
        m_overlay->update();
        const double tpp = twipsPerPixel();
        const QRect band = frame();
        select(elementselection::withEnclosed(m_selection,
                                              QRectF(band.left() * tpp, band.top() * tpp,
                                                     (band.width() + 1) * tpp,
                                                     (band.height() + 1) * tpp),
                                              m_document.stackingOrder()));
        return;
    }
    if (!m_current)
        return;
    const QRectF before = m_current->box();
    // A click that does not move leaves the element exactly where it was; a frame dragged
    // past its opposite edge is put in order. The others chosen move along.
    if (m_targetTwips != m_startTwips && m_dragState == 1) {
        arrange::moveBy(m_selection, m_targetTwips.left() - m_startTwips.left(),
                        m_targetTwips.top() - m_startTwips.top());
    } else if (m_targetTwips != m_startTwips) {
        // A line's end dragged past the other end across (or down, not both) turns the line
        // the other way: its ends stay where the user put them.
        if (typeOf(*m_current).isSegment() &&
            (m_targetTwips.width() < 0) != (m_targetTwips.height() < 0))
            m_current->Ascendente = !m_current->Ascendente;
        m_current->setBox(m_targetTwips.normalized());
    }
    m_dragState = 0;
    m_overlay->update();
    update();
    if (m_current->box() != before)
        emit elementChanged();
}

void DesignSurface::DisegnaSfondo(QPainter& painter) const {
    paintSurfaceBackground(painter, m_document.layout(), m_griglia);
}

void DesignSurface::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_current || m_current->Index <= 0)
        return;
    if (elementAt(event->position().toPoint()) == m_current)
        emit elementDoubleClicked();
}

void DesignSurface::keyPressEvent(QKeyEvent* event) {
    const double step =
        units::Length::millimetres(event->modifiers() & Qt::ShiftModifier ? 0.1 : 1).inTwips();
    static const std::map<int, QPointF> arrows{{Qt::Key_Left, {-1, 0}},
                                               {Qt::Key_Right, {1, 0}},
                                               {Qt::Key_Up, {0, -1}},
                                               {Qt::Key_Down, {0, 1}}};
    if (const auto arrow = arrows.find(event->key()); arrow != arrows.end()) {
        if (m_selection.empty() || m_dragState != 0)
            return;
        arrange::moveBy(m_selection, arrow->second.x() * step, arrow->second.y() * step);
        update();
        emit elementsNudged();
    } else if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
        cycle(event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier));
    } else if (event->key() == Qt::Key_Escape) {
        // Esc lets go of the armed tool, or else of the selection.
        if (m_tool != Tool::None)
            armTool(Tool::None);
        else
            Deseleziona();
        m_selecting = true;
    } else {
        QWidget::keyPressEvent(event);
    }
}

void DesignSurface::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        event->ignore(); // the scroll area scrolls
        return;
    }
    // A notch of the wheel is one step of the zoom's own steps.
    if (const int steps = event->angleDelta().y() / 120)
        emit zoomStepsRequested(steps);
    event->accept();
}
