// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/widgets/windowplacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void ensureTitleFits(QWidget* window) {
    // The title bar holds an icon and three buttons beside the caption.
    const int titleBar = window->fontMetrics().horizontalAdvance(window->windowTitle()) + 160;
    if (window->minimumWidth() < titleBar)
        window->setMinimumWidth(titleBar);
    if (window->width() < titleBar)
        window->resize(titleBar, window->height());
}

void CentraForm(QWidget* finestra) {
    // A small dialog must not cut its own title ("Parametri barcode").
    ensureTitleFits(finestra);
    QScreen* screen = finestra->screen() ? finestra->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const QSize size = finestra->frameGeometry().size();
    finestra->move(area.x() + (area.width() - size.width()) / 2,
                   area.y() + (area.height() - size.height()) / 2);
}
