#include "windowplacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void CentraForm(QWidget* finestra) {
    QScreen* screen = finestra->screen() ? finestra->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const QSize size = finestra->frameGeometry().size();
    finestra->move(area.x() + (area.width() - size.width()) / 2,
                   area.y() + (area.height() - size.height()) / 2);
}
