// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/widgets/pictures.h"

#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QSvgRenderer>

namespace pictures {

namespace {
// The ink the drawings are made with: on a dark theme it would not show, and the theme's text
// colour takes its place.
constexpr char Ink[] = "#282828";
} // namespace

QIcon named(const QString& name) {
    QFile file(QStringLiteral(":/icons/%1.svg").arg(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray drawing = file.readAll();
    const QPalette palette = QApplication::palette();
    if (palette.color(QPalette::Window).lightness() < 128)
        drawing.replace(Ink, palette.color(QPalette::WindowText).name().toLatin1());
    QSvgRenderer renderer(drawing);
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 96}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        icon.addPixmap(pixmap);
    }
    return icon;
}

QIcon printer() {
    return named(QStringLiteral("stampante"));
}
QIcon file() {
    return named(QStringLiteral("file"));
}
QIcon screen() {
    return named(QStringLiteral("schermo"));
}
QIcon brokenLink() {
    return named(QStringLiteral("scollega"));
}

} // namespace pictures
