// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointF>
#include <QRectF>

// How what is drawn now lies on the page: upright, a label turned a quarter onto its place,
// an element turned about its centre; and where the printer's dots lie as the drawing sees
// them, so that bars drawn turned still fall on whole dots. Measures in twips.
class DrawingFrame {
public:
    // The printer's dot (0 on screens and in PDFs) and where its grid starts on the page.
    void setDots(double dotTwips, QPointF origin) {
        m_dotTwips = dotTwips;
        m_dotOrigin = origin;
    }
    double dotTwips() const { return m_dotTwips; }

    void turnQuarter(const QRectF& area) { m_turned = area.normalized(); }
    const QRectF& turned() const { return m_turned; }

    // Turns about the centre of `box`; on a printer's dots the centre is taken to the dot
    // nearest to it (a turn by quarters about a dot keeps every dot on the grid). Returns the
    // centre used.
    QPointF rotate(const QRectF& box, double degrees);
    bool rotated() const { return m_degrees != 0; }

    // Where the grid of dots starts, in the drawing's own measures.
    QPointF dotOrigin() const;

private:
    QPointF turnedOrigin() const;

    double m_dotTwips = 0;
    QPointF m_dotOrigin;
    QRectF m_turned; // what is drawn now is turned a quarter from here onto the page
    QPointF m_pivot;
    double m_degrees = 0;
};
