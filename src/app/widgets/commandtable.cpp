// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/commandtable.h"

#include "app/widgets/toolicons.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>

void CommandTable::addMenu(const char* name, const char* caption,
                           const std::vector<Command>& commands) {
    QMenu* menu = m_window.menuBar()->addMenu(QString::fromUtf8(caption));
    menu->setObjectName(QLatin1String(name));
    fill(menu, commands);
}

void CommandTable::fill(QMenu* menu, const std::vector<Command>& commands) {
    for (const Command& command : commands) {
        if (!command.name) {
            menu->addSeparator();
        } else if (!command.submenu.empty()) {
            QMenu* submenu = menu->addMenu(QString::fromUtf8(command.caption));
            submenu->setObjectName(QString::fromUtf8(command.name));
            fill(submenu, command.submenu);
        } else {
            auto* action = new QAction(QString::fromUtf8(command.caption), &m_window);
            action->setObjectName(QLatin1String(command.name));
            QList<QKeySequence> shortcuts{command.shortcut};
            shortcuts.append(
                QList<QKeySequence>(command.moreShortcuts.begin(), command.moreShortcuts.end()));
            action->setShortcuts(shortcuts);
            QObject::connect(action, &QAction::triggered, &m_window, [this, run = command.run] {
                run();
                if (m_after)
                    m_after();
            });
            menu->addAction(action);
            m_actions.insert(QLatin1String(command.name), action);
        }
    }
}

QToolBar* CommandTable::addToolbar(const char* name) {
    auto* toolbar = m_window.addToolBar(QLatin1String(name));
    toolbar->setObjectName(QLatin1String(name));
    return toolbar;
}

void CommandTable::addButtons(QToolBar* toolbar, const std::vector<Button>& buttons) {
    QStyle* style = QApplication::style();
    int separator = 0;
    for (const Button& b : buttons) {
        if (!b.key) {
            QAction* sep = toolbar->addSeparator();
            sep->setObjectName(QStringLiteral("sep%1").arg(++separator));
            continue;
        }
        QAction* command = *b.command ? m_actions.value(QLatin1String(b.command)) : nullptr;
        const QIcon own = toolIcon(QLatin1String(b.key));
        const QIcon fallback = style->standardIcon(QStyle::StandardPixmap(b.fallback));
        auto* button =
            new QAction(own.isNull() ? QIcon::fromTheme(QLatin1String(b.theme), fallback) : own,
                        command ? command->text() : QLatin1String(b.key), &m_window);
        button->setObjectName(QLatin1String(b.key));
        button->setToolTip(*b.tip ? QString::fromUtf8(b.tip) : NoTooltip);
        button->setCheckable(b.checkable);
        if (command)
            QObject::connect(button, &QAction::triggered, command, &QAction::trigger);
        toolbar->addAction(button);
        m_actions.insert(QLatin1String(b.key), button);
    }
}

QAction* CommandTable::addToggle(QToolBar* toolbar, const char* key, const QString& caption,
                                 const QString& tip, const std::function<void()>& run) {
    QAction* toggle = toolbar->addAction(toolIcon(QLatin1String(key)), caption);
    toggle->setObjectName(QLatin1String(key));
    toggle->setToolTip(tip);
    toggle->setCheckable(true);
    QObject::connect(toggle, &QAction::triggered, &m_window, run);
    m_actions.insert(QLatin1String(key), toggle);
    return toggle;
}
