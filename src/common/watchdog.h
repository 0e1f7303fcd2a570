// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <chrono>
#include <functional>

// Waits that must end. A data source that stops answering, or a query that never ends, must
// not hold a job (or a signal that asks it to stop) for ever: a thread of the watchdog's own
// cancels the wait after its time, or at once after SIGINT/SIGTERM. In a batch job, a wait that
// a cancellation does not end is ended by force a moment later: the job's unfinished output
// is removed and the program exits with the message (exit 1) or the signal's code.
namespace watchdog {

// Jobs without a window only: a wait that outlives its cancellation, or a job that a signal
// asked to stop and that does not, ends the program.
void allowForcedExit();

// The file a job is writing: its temporary file is what a forced exit removes.
void setOutput(const QString& path);

// How long a source may keep a job waiting for a record: 60 s unless set.
void setTimeout(std::chrono::seconds timeout);
std::chrono::seconds timeout();

// One wait, from construction to destruction. `cancel` is called from the watchdog's thread
// (so it must be safe there) at most once, and only while the wait lasts, unless `mayBlock`
// says it may itself wait: then it runs on a thread of its own and must keep what it needs
// alive. `what` says in words what was waited for.
class Wait {
public:
    Wait(const std::function<void()>& cancel, bool mayBlock, const QString& what);
    ~Wait();
    Wait(const Wait&) = delete;
    Wait& operator=(const Wait&) = delete;

    // Whether it was cancelled for lasting too long.
    bool timedOut() const;
    // The message for a wait that lasted too long.
    QString timeoutMessage() const;

private:
    QString m_what;
};

} // namespace watchdog
