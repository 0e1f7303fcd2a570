// SPDX-License-Identifier: GPL-3.0-or-later
#include "printcomponent/previewzoom.h"

#include <algorithm>

namespace {
constexpr double Least = 1;
constexpr double Most = 5000;
} // namespace

bool PreviewZoom::choose(double percent) {
    if (!(percent > 0))
        return false;
    m_percent = std::clamp(percent, Least, Most);
    m_mode = pressivo::FreeZoom;
    return true;
}

void PreviewZoom::setViewport(QSize pixels, int scrollBarExtent) {
    m_viewport = pixels.expandedTo(QSize(1, 1));
    m_scrollBarExtent = std::max(0, scrollBarExtent);
}

bool PreviewZoom::fit(pressivo::ZoomMode mode, QSizeF page) {
    const double margin = Margin;
    const double width = m_viewport.width();
    const double height = std::max(1.0, m_viewport.height() - 2 * margin);
    double zoom = 0;
    switch (mode) {
    case pressivo::TwoPages:
        zoom = 100 * std::min(std::max(1.0, width - 3 * margin) / (2 * page.width()),
                              height / page.height());
        break;
    case pressivo::WholePage:
        zoom = 100 *
               std::min(std::max(1.0, width - 2 * margin) / page.width(), height / page.height());
        break;
    case pressivo::PageWidth:
        // The page is taller than the window then: leave room for the vertical scroll bar.
        zoom = 100 * std::max(1.0, width - 2 * margin - m_scrollBarExtent) / page.width();
        break;
    case pressivo::FreeZoom:
        return false;
    }
    m_percent = std::clamp(zoom, Least, Most);
    m_mode = mode;
    return true;
}
