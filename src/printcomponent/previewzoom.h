// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printcomponent/pressivocodes.h"

#include <QSize>
#include <QSizeF>

// The preview's zoom: a percentage chosen, or one that fits the pages to the window.
class PreviewZoom {
public:
    static constexpr int Margin = 16; // pixels around and between previewed pages

    double percent() const { return m_percent; }
    pressivo::ZoomMode mode() const { return m_mode; }
    bool showsTwoPages() const { return m_mode == pressivo::TwoPages; }

    // A zoom chosen; false for none above zero.
    bool choose(double percent);
    // The area pages are shown in, without scroll bars, and the room a scroll bar takes.
    void setViewport(QSize pixels, int scrollBarExtent);
    // The zoom that fits a page of `page` pixels (at 100 %) as `mode` asks; false for a mode
    // that fits nothing.
    bool fit(pressivo::ZoomMode mode, QSizeF page);

private:
    double m_percent = 100;
    pressivo::ZoomMode m_mode = pressivo::FreeZoom;
    QSize m_viewport{800, 600};
    int m_scrollBarExtent = 0;
};
