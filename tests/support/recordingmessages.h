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
        if (answers.empty())
            return Answer::Cancel;
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::optional<QString> chooseFile(const FileDialogRequest& request) override {
        fileRequests.append(request);
        if (fileAnswers.empty())
            return std::nullopt;
        const auto answer = fileAnswers.front();
        fileAnswers.pop_front();
        return answer;
    }

    std::optional<QColor> chooseColor(const QColor& initial, const QString&) override {
        colorRequests.append(initial);
        if (colorAnswers.empty())
            return std::nullopt;
        const auto answer = colorAnswers.front();
        colorAnswers.pop_front();
        return answer;
    }

    std::optional<QFont> chooseFont(const QFont& initial, const QString&) override {
        fontRequests.append(initial);
        if (fontAnswers.empty())
            return std::nullopt;
        const auto answer = fontAnswers.front();
        fontAnswers.pop_front();
        return answer;
    }

    QString lastText() const { return messages.isEmpty() ? QString() : messages.back().text; }

    int beeps = 0;
    QList<Shown> messages;
    QList<Shown> questions;
    QList<FileDialogRequest> fileRequests;
    std::deque<Answer> answers;
    std::deque<std::optional<QString>> fileAnswers;
    QList<QColor> colorRequests;
    QList<QFont> fontRequests;
    std::deque<std::optional<QFont>> fontAnswers;
    std::deque<std::optional<QColor>> colorAnswers;

private:
    ScopedMessageService m_scope;
};
