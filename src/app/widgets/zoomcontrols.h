// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/widgets/commandtable.h"

#include <QObject>

class DesignSurface;
class QComboBox;
class QScrollArea;
class QToolBar;

// The zoom of the design surface: the box on the toolbar and the Visualizza commands. The
// zoom belongs to the window, never to the label.
class ZoomControls : public QObject {
    Q_OBJECT

public:
    ZoomControls(DesignSurface& surface, QScrollArea& scroll);
    // The Visualizza menu's commands.
    std::vector<CommandTable::Command> commands();
    // The box that shows the zoom and takes one chosen or typed.
    void addBox(QToolBar& toolbar);

    void zoomIn();
    void zoomOut();
    void actualSize();
    void fitWindow(); // "Adatta alla finestra"
    QComboBox* box() const { return m_box; }

private:
    void show(double zoom);
    // Zooms about the middle of the view, keeping the label in sight.
    void zoomTo(double zoom);

    DesignSurface& m_surface;
    QScrollArea& m_scroll;
    QComboBox* m_box = nullptr;
};
