// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>

#include <optional>

// Every message box, question and file dialog of the program goes through one MessageService,
// so that batch runs can print them and tests can answer and record them.

enum class MessageIcon { Exclamation, Question, Information, Critical };
enum class QuestionButtons { YesNoCancel, YesNo, OkCancel };
enum class Answer { Yes, No, Cancel, Ok };

struct FileDialogRequest {
    enum class Mode { Open, Save };
    Mode mode = Mode::Open;
    QString title;
    QString defaultSuffix;         // without the dot: "eti"
    QString filter;                // "Name|pattern|Name|pattern", as the label program writes it
    int filterIndex = 1;           // preselected filter, from 1
    bool mustExist = false;        // open: the file must exist
    bool confirmOverwrite = false; // save: ask before replacing a file
    QString directory;             // where the dialog starts; empty: the current folder
    QString selectedFile;          // the file the dialog starts on, if any
};

class MessageService {
public:
    virtual ~MessageService() = default;

    virtual void beep() = 0;
    virtual void message(const QString& text, const QString& title,
                         MessageIcon icon = MessageIcon::Exclamation) = 0;
    virtual Answer question(const QString& text, const QString& title,
                            QuestionButtons buttons = QuestionButtons::YesNoCancel,
                            MessageIcon icon = MessageIcon::Question) = 0;
    // Nothing when the user cancels.
    virtual std::optional<QString> chooseFile(const FileDialogRequest& request) = 0;
    // The colour dialog; nothing when the user cancels.
    virtual std::optional<QColor> chooseColor(const QColor& initial, const QString& title) = 0;
    // The font dialog; nothing when the user cancels.
    virtual std::optional<QFont> chooseFont(const QFont& initial, const QString& title) = 0;

    // The usual warning: a beep, then the message with the exclamation icon.
    void warn(const QString& text, const QString& title);

    // The service in use; a console one until another is installed.
    static MessageService& current();
    // Installs a service; the caller keeps ownership and must uninstall it (nullptr) before
    // destroying it. Prefer ScopedMessageService.
    static void install(MessageService* service);
};

// Installs a service for the lifetime of this object and restores the previous one.
class ScopedMessageService {
public:
    explicit ScopedMessageService(MessageService& service);
    ~ScopedMessageService();
    ScopedMessageService(const ScopedMessageService&) = delete;
    ScopedMessageService& operator=(const ScopedMessageService&) = delete;

private:
    MessageService* m_previous;
};

// For runs without windows: messages go to standard error, questions get the safe answer
// (Cancel, or No where there is no Cancel), file dialogs are cancelled.
class ConsoleMessageService final : public MessageService {
public:
    void beep() override {}
    void message(const QString& text, const QString& title, MessageIcon icon) override;
    Answer question(const QString& text, const QString& title, QuestionButtons buttons,
                    MessageIcon icon) override;
    std::optional<QString> chooseFile(const FileDialogRequest& request) override;
    std::optional<QColor> chooseColor(const QColor&, const QString&) override {
        return std::nullopt;
    }
    std::optional<QFont> chooseFont(const QFont&, const QString&) override { return std::nullopt; }
};

// "Tutti Files (*.*)|*.*|File ascii (*.eti)|*.eti" as name/pattern pairs.
QList<std::pair<QString, QString>> splitFileFilter(const QString& filter);
