// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "designer/widgets/clsgrip.h"

#include <QWidget>

#include <array>
#include <vector>

class FrameOverlay;
class LabelDocument;
struct LabelElement;

// The design surface PicBox: the label as a white sheet with a shadow, millimetre rulers, the
// optional grid of dots, and the elements in their stacking order, at the screen's scale times
// the zoom (surface coordinates are twips). Several elements can be selected: Shift+click adds
// or removes one, a frame drawn on the empty surface takes those inside it; dragging one moves
// them all; the arrow keys move them by a millimetre (Shift: a tenth).
class DesignSurface : public QWidget {
    Q_OBJECT

public:
    explicit DesignSurface(LabelDocument& document, QWidget* parent = nullptr);

    bool Griglia() const { return m_griglia; }
    void setGriglia(bool on);
    double twipsPerPixel() const;
    // 1 is the screen's own scale; from MinimumZoom to MaximumZoom.
    double zoom() const { return m_zoom; }
    void setZoom(double zoom);
    static constexpr double MinimumZoom = 0.25;
    static constexpr double MaximumZoom = 4.0;
    // The zoom at which the label, with its rulers, fits an area of this many pixels.
    double fittingZoom(QSize pixels) const;
    QSize sizeHint() const override;
    // Where the label is on the surface, in pixels.
    QRect labelPixels() const;

    // Clears and paints everything again.
    void RidisegnaSuperficie();

    // Tools: the select tool, or an insertion tool armed for the next click.
    enum class Tool { None, Testo, CodiceBarre, Immagine, Rettangolo, Linea, Ellisse };
    bool ModoSelezione() const { return m_selecting; }
    void setModoSelezione(bool on) { m_selecting = on; }
    Tool armedTool() const { return m_tool; }
    void armTool(Tool tool);
    void setSnap(bool on) { m_snap = on; }

    // The element the last click chose (of the selection); the selection, in the order chosen.
    LabelElement* ControlloCorrente() const { return m_current; }
    const std::vector<LabelElement*>& selection() const { return m_selection; }
    void select(const std::vector<LabelElement*>& elements);
    int StatoTrascinamento() const { return m_dragState; }
    void Deseleziona();
    // Selects the element and lets it follow the mouse, whose press was at `pixel`.
    void IniziaSpostamento(LabelElement* element, QPoint pixel);
    // The eight grips of the selection, in surface pixels (empty when none is shown).
    std::array<QRect, 8> grips() const;
    // The frame that follows the mouse during a drag, in surface pixels.
    QRect frame() const { return m_frame.toQRect(); }

signals:
    // An element was placed, moved or resized.
    void elementChanged();
    // The arrow keys moved the selection.
    void elementsNudged();
    void zoomChanged(double zoom);
    // Ctrl+wheel: zoom in (positive) or out by this many steps.
    void zoomStepsRequested(int steps);
    void selectionChanged();
    // A double click on the selected element.
    void elementDoubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    bool focusNextPrevChild(bool) override { return false; } // Tab goes through the elements

private:
    void DisegnaSfondo(QPainter& painter) const;
    // The part of the surface its scroll area shows, in pixels.
    QRect visiblePart() const;
    bool isSelected(const LabelElement* element) const;
    void cycle(bool forward);
    LabelElement* elementAt(QPoint pixel) const;
    int gripAt(QPoint pixel) const;
    void updateFrame(const QRect& before);
    QPoint inside(QPoint pixel) const;
    // With snap on, a position in surface twips on the nearest whole millimetre counted from
    // the label's corner at `origin` (a size: from 0); unchanged with snap off.
    double snappedTwips(double twips, double origin) const;
    // The surface in twips, where elements must stay for the scroll bars to reach them.
    QSizeF surfaceTwips() const;
    // Keeps the pointer on the visible part of the surface during a drag.
    void confinePointer(QPoint pixel);
    void showTarget();
    // A move (1) or a resize (2) of the current element starts with the press at `pixel`.
    void beginDrag(int state, QPoint pixel);

    LabelDocument& m_document;
    bool m_griglia = false;
    bool m_selecting = true; // no insertion tool armed: the select tool is
    bool m_snap = true;
    Tool m_tool = Tool::None;
    double m_zoom = 1.0;
    LabelElement* m_current = nullptr;
    std::vector<LabelElement*> m_selection;
    int m_dragState = 0; // 0 idle, 1 moving, 2 resizing, 3 drawing a selection frame
    int m_grip = 0;
    clsGrip m_frame; // surface pixels while dragging: what the overlay shows
    QPoint m_pressPixel;
    QRectF m_startTwips;  // the element when the drag began
    QRectF m_targetTwips; // where it goes when the button is released
    FrameOverlay* m_overlay;
};
