// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/zoomcontrols.h"

#include "designer/widgets/designsurface.h"

#include <QComboBox>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolBar>

#include <cmath>

namespace {

// The steps Ctrl++ and Ctrl+- go through, in per cent.
constexpr int Steps[] = {25, 33, 50, 67, 75, 100, 125, 150, 200, 300, 400};

} // namespace

ZoomControls::ZoomControls(DesignSurface& surface, QScrollArea& scroll)
    : QObject(&surface)
    , m_surface(surface)
    , m_scroll(scroll) {
    connect(&surface, &DesignSurface::zoomStepsRequested, this, [this](int steps) {
        for (int i = 0; i < std::abs(steps); ++i)
            steps > 0 ? zoomIn() : zoomOut();
    });
}

std::vector<CommandTable::Command> ZoomControls::commands() {
    return {{"mnuZoomAvanti",
             "Zoom avanti",
             [this] { zoomIn(); },
             Qt::CTRL | Qt::Key_Plus,
             {},
             {Qt::CTRL | Qt::Key_Equal}},
            {"mnuZoomIndietro", "Zoom indietro", [this] { zoomOut(); }, Qt::CTRL | Qt::Key_Minus},
            {"mnuZoom100", "Zoom 100%", [this] { actualSize(); }, Qt::CTRL | Qt::Key_0},
            {"mnuAdatta", "Adatta alla finestra", [this] { fitWindow(); }}};
}

void ZoomControls::addBox(QToolBar& toolbar) {
    m_box = new QComboBox(&toolbar);
    m_box->setObjectName(QStringLiteral("cmbZoom"));
    m_box->setEditable(true);
    m_box->setInsertPolicy(QComboBox::NoInsert);
    m_box->setToolTip(QStringLiteral("Zoom"));
    for (const int step : Steps)
        m_box->addItem(QStringLiteral("%1%").arg(step), step / 100.0);
    toolbar.addWidget(m_box);
    show(m_surface.zoom());
    connect(&m_surface, &DesignSurface::zoomChanged, this, &ZoomControls::show);
    // A value typed or chosen, with or without its per cent sign.
    connect(m_box, &QComboBox::textActivated, this, [this](const QString& text) {
        bool ok = false;
        const double percent = QString(text).remove(u'%').trimmed().toDouble(&ok);
        if (ok && percent > 0)
            zoomTo(percent / 100.0);
        show(m_surface.zoom());
    });
}

void ZoomControls::show(double zoom) {
    if (!m_box)
        return;
    const QSignalBlocker quiet(m_box);
    m_box->setEditText(QStringLiteral("%1%").arg(std::lround(zoom * 100)));
}

void ZoomControls::zoomIn() {
    const int now = int(std::lround(m_surface.zoom() * 100));
    for (const int step : Steps) {
        if (step > now) {
            zoomTo(step / 100.0);
            return;
        }
    }
}

void ZoomControls::zoomOut() {
    const int now = int(std::lround(m_surface.zoom() * 100));
    for (auto it = std::rbegin(Steps); it != std::rend(Steps); ++it) {
        if (*it < now) {
            zoomTo(*it / 100.0);
            return;
        }
    }
}

void ZoomControls::actualSize() {
    zoomTo(1.0);
}

void ZoomControls::zoomTo(double zoom) {
    // What was in the middle of the view stays there...
    QScrollBar& across = *m_scroll.horizontalScrollBar();
    QScrollBar& down = *m_scroll.verticalScrollBar();
    const QSize view = m_scroll.viewport()->size();
    const double before = m_surface.twipsPerPixel();
    const QPointF middle((across.value() + view.width() / 2.0) * before,
                         (down.value() + view.height() / 2.0) * before);
    m_surface.setZoom(zoom);
    const double after = m_surface.twipsPerPixel();
    across.setValue(int(std::lround(middle.x() / after - view.width() / 2.0)));
    down.setValue(int(std::lround(middle.y() / after - view.height() / 2.0)));
    // ...unless the label would be out of sight: then it comes into view, whole when it fits.
    const QRect label = m_surface.labelPixels();
    const QRect shown(QPoint(across.value(), down.value()), view);
    const bool fits = label.width() < view.width() && label.height() < view.height();
    if (fits ? !shown.contains(label) : !shown.intersects(label))
        m_scroll.ensureVisible(label.center().x(), label.center().y(), label.width() / 2 + 8,
                               label.height() / 2 + 8);
}

void ZoomControls::fitWindow() {
    m_surface.setZoom(m_surface.fittingZoom(m_scroll.viewport()->size()));
    m_scroll.horizontalScrollBar()->setValue(0);
    m_scroll.verticalScrollBar()->setValue(0);
}
