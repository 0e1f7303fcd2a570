// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/marvelloprocess.h"

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

// A printer at the other end of a socket: keeps every connection's bytes, one job each.
class SocketPrinter {
public:
    SocketPrinter() {
        m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(m_listener, 4);
        socklen_t length = sizeof address;
        ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
        m_thread = std::thread([this] { serve(); });
    }
    ~SocketPrinter() {
        m_stopping = true;
        m_thread.join();
        ::close(m_listener);
    }

    int port() const { return m_port; }

    // Waits (at most a minute) until `count` jobs have arrived whole.
    std::vector<QByteArray> waitForJobs(std::size_t count) {
        std::unique_lock lock(m_mutex);
        m_arrived.wait_for(lock, std::chrono::minutes(1), [&] { return m_jobs.size() >= count; });
        return m_jobs;
    }
    std::size_t jobsSoFar() {
        std::lock_guard lock(m_mutex);
        return m_jobs.size();
    }

private:
    void serve() {
        while (!m_stopping) {
            pollfd waiting{m_listener, POLLIN, 0};
            if (::poll(&waiting, 1, 100) <= 0)
                continue;
            const int connection = ::accept(m_listener, nullptr, nullptr);
            if (connection < 0)
                continue;
            QByteArray bytes;
            char buffer[65536];
            for (ssize_t got; (got = ::read(connection, buffer, sizeof buffer)) > 0;)
                bytes.append(buffer, got);
            ::close(connection);
            std::lock_guard lock(m_mutex);
            m_jobs.push_back(bytes);
            m_arrived.notify_all();
        }
    }

    int m_listener = -1;
    int m_port = 0;
    std::atomic<bool> m_stopping = false;
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_arrived;
    std::vector<QByteArray> m_jobs;
};

// Whether throwaway queues can be added: a scheduler running and the tests running as root.
// Where CUPS is required (MARVELLO_REQUIRE_CUPS), it is a failure when they cannot.
inline bool cupsAvailable() {
    if (runTool("lpstat", {QStringLiteral("-r")}).contains("is running") && ::geteuid() == 0)
        return true;
    EXPECT_FALSE(qEnvironmentVariableIsSet("MARVELLO_REQUIRE_CUPS"))
        << "cupsd must be running and the tests must run as root";
    return false;
}

// A throwaway CUPS queue that prints raw to a SocketPrinter; removed with its jobs at the end.
struct ThrowawayQueue {
    // On `device` when given (a printer that never answers), else on the socket printer.
    explicit ThrowawayQueue(QString name, const QString& device = {})
        : name(std::move(name)) {
        lpadmin({QStringLiteral("-p"), this->name, QStringLiteral("-E"), QStringLiteral("-v"),
                 device.isEmpty() ? QStringLiteral("socket://127.0.0.1:%1").arg(printer.port())
                                  : device,
                 QStringLiteral("-m"), QStringLiteral("raw")});
    }
    ~ThrowawayQueue() {
        QProcess::execute(QStringLiteral("cancel"), {QStringLiteral("-a"), name});
        lpadmin({QStringLiteral("-x"), name});
    }
    static void lpadmin(const QStringList& arguments) {
        QProcess::execute(QStringLiteral("lpadmin"), arguments);
    }
    // Stops taking jobs: the queue refuses them, with this reason.
    void reject(const QString& reason) const {
        QProcess::execute(QStringLiteral("cupsreject"), {QStringLiteral("-r"), reason, name});
    }

    SocketPrinter printer;
    QString name;
};
