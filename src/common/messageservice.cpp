// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/messageservice.h"

#include <cstdio>

namespace {

MessageService*& installed() {
    static MessageService* service = nullptr;
    return service;
}

} // namespace

void MessageService::warn(const QString& text, const QString& title) {
    beep();
    message(text, title, MessageIcon::Exclamation);
}

MessageService& MessageService::current() {
    static ConsoleMessageService console;
    MessageService* service = installed();
    return service ? *service : console;
}

void MessageService::install(MessageService* service) {
    installed() = service;
}

ScopedMessageService::ScopedMessageService(MessageService& service)
    : m_previous(installed()) {
    installed() = &service;
}

ScopedMessageService::~ScopedMessageService() {
    installed() = m_previous;
}

namespace {

// Some message boxes are titled by the routine that shows them ("objDatabase"): a
// window shows it, a line on standard error is better without it.
bool isRoutineName(const QString& title) {
    if (title.contains(u' '))
        return false;
    for (qsizetype i = 1; i < title.size(); ++i) {
        if (title[i].isUpper() || title[i].isDigit())
            return true;
    }
    return false;
}

} // namespace

void ConsoleMessageService::message(const QString& text, const QString& title, MessageIcon) {
    QString line =
        title.isEmpty() || isRoutineName(title) ? text : title + QStringLiteral(": ") + text;
    line.replace(u'\r', u' ');
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    std::fflush(stderr);
}

Answer ConsoleMessageService::question(const QString& text, const QString& title,
                                       QuestionButtons buttons, MessageIcon icon) {
    message(text, title, icon);
    return buttons == QuestionButtons::YesNo ? Answer::No : Answer::Cancel;
}

std::optional<QString> ConsoleMessageService::chooseFile(const FileDialogRequest&) {
    return std::nullopt;
}

QList<std::pair<QString, QString>> splitFileFilter(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QList<std::pair<QString, QString>> pairs;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        pairs.append({parts[i], parts[i + 1]});
    return pairs;
}
