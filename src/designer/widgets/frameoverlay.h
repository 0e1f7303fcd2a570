// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class DesignSurface;

// The frame that follows the mouse: drawn over the surface, which is not repainted while it
// moves, inverting what is under it like the label program's frame.
class FrameOverlay : public QWidget {
public:
    explicit FrameOverlay(DesignSurface* surface);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    DesignSurface* m_surface;
};
