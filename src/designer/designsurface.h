#pragma once

#include <QWidget>

class LabelDocument;

// The design surface PicBox: the label as a white sheet with a shadow, millimetre rulers, the
// optional grid of dots, and the elements in their stacking order, at the screen's scale
// (surface coordinates are twips).
class DesignSurface : public QWidget {
    Q_OBJECT

public:
    explicit DesignSurface(LabelDocument& document, QWidget* parent = nullptr);

    bool Griglia() const { return m_griglia; }
    void setGriglia(bool on);
    double twipsPerPixel() const;
    QSize sizeHint() const override;

    // Clears and paints everything again.
    void RidisegnaSuperficie();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void DisegnaSfondo(QPainter& painter) const;
    void paintElements(QPainter& painter) const;

    LabelDocument& m_document;
    bool m_griglia = false;
};
