// SPDX-License-Identifier: GPL-3.0-or-later
#include "designer/widgets/frameoverlay.h"

#include <QPainter>

FrameOverlay::FrameOverlay(QWidget* parent, std::function<std::optional<QRect>()> frame)
    : QWidget(parent)
    , m_frame(std::move(frame)) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void FrameOverlay::paintEvent(QPaintEvent*) {
    const auto frame = m_frame();
    if (!frame)
        return;
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Difference);
    painter.setPen(QPen(Qt::white, 2));
    painter.drawRect(*frame);
}
