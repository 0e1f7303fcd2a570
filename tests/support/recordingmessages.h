// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/messageservice.h"

#include <QFont>
#include <QList>
#include <QString>

#include <deque>
#include <optional>

// Answers questions and file dialogs from a script and records every message, so tests can
// check what a person would have seen.
class RecordingMessages final : public MessageService {
public:
    struct Shown {
        QString text;
        QString title;
        MessageIcon icon;
    };

    RecordingMessages()
        : m_scope(*this) {}

    void beep() override { ++beeps; }
    void message(const QString& text, const QString& title, MessageIcon icon) override {
        messages.append({text, title, icon});
    }
    Answer question(const QString& text, const QString& title, QuestionButtons,
                    MessageIcon icon) override {
        questions.append({text, title, icon});
        return next(answers, Answer::Cancel);
    }
    std::optional<QString> chooseFile(const FileDialogRequest& request) override {
        fileRequests.append(request);
        return next(fileAnswers, std::optional<QString>());
    }
    std::optional<QColor> chooseColor(const QColor&, const QString&) override {
        return next(colorAnswers, std::optional<QColor>());
    }
    std::optional<QFont> chooseFont(const QFont&, const QString&) override {
        return next(fontAnswers, std::optional<QFont>());
    }

    QString lastText() const { return messages.isEmpty() ? QString() : messages.back().text; }

    int beeps = 0;
    QList<Shown> messages;
    QList<Shown> questions;
    QList<FileDialogRequest> fileRequests;
    std::deque<Answer> answers;
    std::deque<std::optional<QString>> fileAnswers;
    std::deque<std::optional<QFont>> fontAnswers;
    std::deque<std::optional<QColor>> colorAnswers;

private:
    // The next scripted answer; `otherwise` once the script has run out.
    template <typename T> static T next(std::deque<T>& script, T otherwise) {
        if (script.empty())
            return otherwise;
        T answer = std::move(script.front());
        script.pop_front();
        return answer;
    }

    ScopedMessageService m_scope;
};
