// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/widgets/commandtable.h"
#include "app/widgets/databaseworkflow.h"
#include "app/widgets/elementediting.h"
#include "app/widgets/elementformatting.h"
#include "app/widgets/labelfiles.h"
#include "editing/labelhistory.h"

#include <QMainWindow>

#include <memory>

class clsDatabase;
class DesignSurface;
class FontBoxes;
class LabelDocument;
class PlacePanel;
class QLabel;
class QScrollArea;
class ZoomControls;

// The main window: the menus and the two toolbars built from one command table, the design
// surface and the status bar. The commands themselves live in the rooms of the window:
// editing, formatting, the database workflow and the font boxes.
class frmMarvello : public QMainWindow {
    Q_OBJECT

public:
    frmMarvello(LabelDocument& document, clsDatabase& database, QWidget* parent = nullptr);
    ~frmMarvello() override;

    // The action of a menu item ("mnuNuovo") or a toolbar key ("nuovo").
    QAction* action(const QString& name) const { return m_commands.action(name); }
    DesignSurface* surface() const { return PicBox; }
    // 1 the database, 2 the table, 3 the selected element's place and size.
    QString statusPanel(int panel) const;
    FontBoxes& fonts() const { return *m_fonts; }
    DatabaseWorkflow& databaseWorkflow() { return m_databaseWorkflow; }
    LabelHistory& history() { return m_history; }
    bool Snap() const { return m_snap; }

    // Connects the label's database as opening a label does; false when it is not there.
    bool ConnettiDatabase(const QString& percorso, const QString& password, const QString& tabella);
    void refresh();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildToolbars();
    void mnuApriStampa_Click(); // a saved print, in the preview
    void showLabel();           // scrolls the design surface back to the label
    void mnuStampa_Click();
    void mnuInformazioni_Click();
    void SetGriglia();
    void SetSnap();
    void armTool(int tool);
    // The toolbar's tool buttons show the armed tool (the select tool when none is).
    void showArmedTool();
    void elementDoubleClicked();
    // The selected element's place and size in the status bar.
    void showPlace();

    LabelDocument& m_document;
    clsDatabase& m_database;
    DesignSurface* PicBox;
    QScrollArea* m_scroll;
    QLabel* m_panel1;
    QLabel* m_panel2;
    PlacePanel* m_place;
    LabelHistory m_history;
    DesignContext m_context;
    CommandTable m_commands;
    ElementEditing m_editing;
    ElementFormatting m_formatting;
    DatabaseWorkflow m_databaseWorkflow;
    LabelFiles m_files;
    FontBoxes* m_fonts = nullptr;
    ZoomControls* m_zoom = nullptr;
    bool m_snap = true;
};
