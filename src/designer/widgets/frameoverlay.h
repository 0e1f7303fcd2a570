// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QWidget>

#include <functional>
#include <optional>

// The frame that follows the mouse: drawn over the surface, which is not repainted while it
// moves, inverting what is under it like the label program's frame.
class FrameOverlay : public QWidget {
public:
    // `frame` gives the frame to draw, in the parent's coordinates; nothing while none moves.
    FrameOverlay(QWidget* parent, std::function<std::optional<QRect>()> frame);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    std::function<std::optional<QRect>()> m_frame;
};
