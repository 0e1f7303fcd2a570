// SPDX-License-Identifier: GPL-3.0-or-later
#include "service/laneworkers.h"

#include <QCoreApplication>

#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

LaneWorkers::LaneWorkers(QStringList arguments)
    : m_arguments(std::move(arguments)) {}

LaneWorkers::~LaneWorkers() {
    stopAll();
}

void LaneWorkers::ensure(const QString& lane) {
    reap();
    if (lane.isEmpty() || m_running.count(lane))
        return;
    const QStringList words =
        QStringList{QCoreApplication::applicationFilePath(), QStringLiteral("serve")} +
        m_arguments +
        QStringList{QStringLiteral("--worker"), lane, QStringLiteral("--parent"),
                    QString::number(::getpid())};
    std::vector<QByteArray> bytes;
    for (const QString& word : words)
        bytes.push_back(word.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& word : bytes)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) == 0)
        m_running[lane] = pid;
}

void LaneWorkers::reap() {
    for (auto it = m_running.begin(); it != m_running.end();) {
        int status = 0;
        if (::waitpid(it->second, &status, WNOHANG) == it->second)
            it = m_running.erase(it);
        else
            ++it;
    }
}

void LaneWorkers::stopAll() {
    for (const auto& [lane, pid] : m_running)
        ::kill(pid, SIGTERM);
    for (const auto& [lane, pid] : m_running) {
        int status = 0;
        ::waitpid(pid, &status, 0);
    }
    m_running.clear();
}
