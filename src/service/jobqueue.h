// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>

// The lanes that have just received a job, for the thread that starts their printers' workers:
// the threads that accept jobs push, it pops.
class JobQueue {
public:
    void push(const QString& lane) {
        {
            const std::lock_guard lock(m_mutex);
            m_waiting.push_back(lane);
        }
        m_ready.notify_one();
    }

    // The next lane, or nothing when none came within `wait`.
    std::optional<QString> pop(std::chrono::milliseconds wait) {
        std::unique_lock lock(m_mutex);
        if (!m_ready.wait_for(lock, wait, [this] { return !m_waiting.empty(); }))
            return std::nullopt;
        QString next = m_waiting.front();
        m_waiting.pop_front();
        return next;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_ready;
    std::deque<QString> m_waiting;
};
