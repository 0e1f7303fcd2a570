// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QKeySequence>
#include <QMap>
#include <QString>

#include <functional>
#include <vector>

class QAction;
class QMainWindow;
class QToolBar;

// The window's commands, each one action named after its menu item ("mnuNuovo"), built into
// the menus from one table; toolbar buttons ("nuovo") run the same actions.
class CommandTable {
public:
    explicit CommandTable(QMainWindow& window)
        : m_window(window) {}

    struct Command {
        const char* name;    // "mnuNuovo"; nullptr: a separator
        const char* caption; // as the menu shows it
        std::function<void()> run = {};
        QKeySequence shortcut = {};
        std::vector<Command> submenu = {}; // a submenu named `name` instead of a command
        std::vector<QKeySequence> moreShortcuts = {};
    };
    // Runs after every command of the menus (and the buttons that run them).
    void setAfterCommand(std::function<void()> after) { m_after = std::move(after); }
    void addMenu(const char* name, const char* caption, const std::vector<Command>& commands);

    struct Button {
        const char* key;     // "nuovo"; nullptr: a separator
        const char* tip;     // empty: no tooltip
        const char* command; // the command it runs; empty: none of its own
        const char* theme = "";
        int fallback = 0; // QStyle::StandardPixmap
        bool checkable = false;
    };
    QToolBar* addToolbar(const char* name);
    // Buttons for the commands; the buttons are actions too.
    void addButtons(QToolBar* toolbar, const std::vector<Button>& buttons);
    // A toggle on a toolbar with an action of its own.
    QAction* addToggle(QToolBar* toolbar, const char* key, const QString& caption,
                       const QString& tip, const std::function<void()>& run);

    QAction* action(const QString& name) const { return m_actions.value(name); }

private:
    QMainWindow& m_window;
    QMap<QString, QAction*> m_actions;
    std::function<void()> m_after;
    void fill(class QMenu* menu, const std::vector<Command>& commands);
};
