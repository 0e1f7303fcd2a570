// SPDX-License-Identifier: GPL-3.0-or-later
#include "designer/widgets/frameoverlay.h"

#include "designer/widgets/designsurface.h"

#include <QPainter>

FrameOverlay::FrameOverlay(DesignSurface* surface)
    : QWidget(surface)
    , m_surface(surface) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void FrameOverlay::paintEvent(QPaintEvent*) {
    if (m_surface->StatoTrascinamento() == 0)
        return;
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Difference);
    painter.setPen(QPen(Qt::white, 2));
    painter.drawRect(m_surface->frame());
}
