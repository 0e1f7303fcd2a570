// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/watchdog.h"

#include "common/interruption.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <mutex>
#include <system_error>
#include <thread>

#include <unistd.h>

namespace watchdog {

namespace {

using Clock = std::chrono::steady_clock;

// How long a wait may outlive its cancellation, or a job the signal that stops it.
constexpr auto Grace = std::chrono::milliseconds(1500);
constexpr auto Tick = std::chrono::milliseconds(50);

struct State {
    std::mutex mutex;
    std::function<void()> cancel; // of the wait under way; empty when none
    bool cancelMayBlock = false;
    Clock::time_point started;
    bool cancelled = false;
    bool timedOut = false;
    Clock::time_point cancelledAt;
    QString message;
    QByteArray output; // the file being written, encoded
    std::chrono::seconds timeout{60};
    bool forcedExit = false;
    Clock::time_point signalSeen;
    bool signalNoted = false;
    bool running = false;
};

State& state() {
    // Never destroyed: the watch thread outlives main().
    static State& instance = *new State;
    return instance;
}

// Removes the temporary file the job is writing: a file this process holds open, named
// after the target with QSaveFile's suffix of six characters.
void removeUnfinishedOutput(const QByteArray& output) {
    if (output.isEmpty())
        return;
    const QDir descriptors(QStringLiteral("/proc/self/fd"));
    for (const QString& fd : descriptors.entryList(QDir::Files | QDir::System)) {
        const QByteArray target =
            QFile::encodeName(QFileInfo(descriptors.filePath(fd)).symLinkTarget());
        if (target.size() == output.size() + 7 && target.startsWith(output + '.'))
            ::unlink(target.constData());
    }
}

[[noreturn]] void forceExit(const QByteArray& output, const QString& message, int code) {
    removeUnfinishedOutput(output);
    const QByteArray text = message.toLocal8Bit() + '\n';
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, text.constData(), text.size());
    ::_exit(code);
}

// Cancels the wait under way: at once when that cannot block, else on a thread of its own so
// that the watch goes on meanwhile. Called with the lock held.
void cancelWait(State& s, Clock::time_point now, bool forTime) {
    s.cancelled = true;
    s.timedOut = forTime;
    s.cancelledAt = now;
    if (!s.cancelMayBlock) {
        s.cancel();
        return;
    }
    try {
        std::thread(s.cancel).detach();
    } catch (const std::system_error&) {
        // No thread to be had: a forced exit still ends the wait.
    }
}

void watch() {
    State& s = state();
    for (;;) {
        std::this_thread::sleep_for(Tick);
        const std::lock_guard lock(s.mutex);
        const Clock::time_point now = Clock::now();
        const int signal = interruption::signalNumber();
        if (signal && !s.signalNoted) {
            s.signalNoted = true;
            s.signalSeen = now;
            if (s.cancel && !s.cancelled)
                cancelWait(s, now, false);
        }
        if (signal && s.forcedExit && now - s.signalSeen > Grace)
            forceExit(s.output,
                      QStringLiteral("Stampa interrotta dal segnale %1: nessun file scritto.")
                          .arg(signal),
                      interruption::exitCode());
        if (s.cancel && !s.cancelled && now - s.started > s.timeout)
            cancelWait(s, now, true);
        if (s.cancel && s.timedOut && s.forcedExit && now - s.cancelledAt > Grace)
            forceExit(s.output, s.message, 1);
    }
}

// Called with the lock held.
void ensureRunning() {
    State& s = state();
    if (s.running)
        return;
    try {
        std::thread(watch).detach();
        s.running = true;
    } catch (const std::system_error&) {
        // Without the watch, waits end only by themselves: as before there was one.
    }
}

} // namespace

void allowForcedExit() {
    State& s = state();
    const std::lock_guard lock(s.mutex);
    s.forcedExit = true;
    ensureRunning();
}

void setOutput(const QString& path) {
    // As /proc shows open files: the folder's real path.
    const QFileInfo info(path);
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    State& s = state();
    const std::lock_guard lock(s.mutex);
    s.output =
        folder.isEmpty() ? QByteArray() : QFile::encodeName(QDir(folder).filePath(info.fileName()));
}

void setTimeout(std::chrono::seconds timeout) {
    State& s = state();
    const std::lock_guard lock(s.mutex);
    s.timeout = timeout;
}

std::chrono::seconds timeout() {
    State& s = state();
    const std::lock_guard lock(s.mutex);
    return s.timeout;
}

Wait::Wait(const std::function<void()>& cancel, bool mayBlock, const QString& what)
    : m_what(what) {
    State& s = state();
    const std::lock_guard lock(s.mutex);
    ensureRunning();
    s.cancel = cancel ? cancel : [] {};
    s.cancelMayBlock = cancel && mayBlock;
    s.started = Clock::now();
    s.cancelled = s.timedOut = false;
    s.message = timeoutMessage();
}

Wait::~Wait() {
    State& s = state();
    const std::lock_guard lock(s.mutex);
    s.cancel = nullptr;
}

bool Wait::timedOut() const {
    State& s = state();
    const std::lock_guard lock(s.mutex);
    return s.timedOut;
}

QString Wait::timeoutMessage() const {
    return QStringLiteral("%1 non ha risposto per %2 secondi: la stampa si ferma.")
        .arg(m_what)
        .arg(state().timeout.count());
}

} // namespace watchdog
