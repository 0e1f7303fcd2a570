// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>

// The journal's jobs waiting to print, by their sequence number: taken in the order they came.
// Threads that accept jobs push, the printing thread pops.
class JobQueue {
public:
    void push(long long sequence) {
        {
            const std::lock_guard lock(m_mutex);
            m_waiting.push_back(sequence);
        }
        m_ready.notify_one();
    }

    // The next job, or nothing when none came within `wait`.
    std::optional<long long> pop(std::chrono::milliseconds wait) {
        std::unique_lock lock(m_mutex);
        if (!m_ready.wait_for(lock, wait, [this] { return !m_waiting.empty(); }))
            return std::nullopt;
        const long long next = m_waiting.front();
        m_waiting.pop_front();
        return next;
    }

    std::size_t size() const {
        const std::lock_guard lock(m_mutex);
        return m_waiting.size();
    }

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_ready;
    std::deque<long long> m_waiting;
};
