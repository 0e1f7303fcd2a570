// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/messageservice.h"

class QWidget;

// The real message boxes and file dialogs, and the system beep.
class WidgetMessageService final : public MessageService {
public:
    explicit WidgetMessageService(QWidget* parent = nullptr)
        : m_parent(parent) {}

    void setParent(QWidget* parent) { m_parent = parent; }

    void beep() override;
    void message(const QString& text, const QString& title, MessageIcon icon) override;
    Answer question(const QString& text, const QString& title, QuestionButtons buttons,
                    MessageIcon icon) override;
    std::optional<QString> chooseFile(const FileDialogRequest& request) override;
    std::optional<QColor> chooseColor(const QColor& initial, const QString& title) override;
    std::optional<QFont> chooseFont(const QFont& initial, const QString& title) override;

    // A box at least as wide as its title bar needs.
    static void keepTitleWhole(class QMessageBox& box);

    // "Name|*.*|Name|*.eti" as Qt's name filters; "*.*" means every file.
    static QStringList qtNameFilters(const QString& filter);

private:
    QWidget* m_parent;
};
