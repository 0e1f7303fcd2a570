// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <memory>

class QLockFile;

// The serial numbers a label's jobs continue (${P}): asset tags must never repeat from one
// day to the next. The next number is kept per label file in the user's state folder
// ($XDG_STATE_HOME/marvello, else ~/.local/state/marvello), written whole or not at all, and
// it advances only by the labels a job delivered. A job holds the label's lock from the moment
// it takes its first number until it ends, so two jobs of one label never share a number; a
// job that is killed leaves its lock to be taken over.
class SerialNumbers {
public:
    // Takes the label's lock, waiting while another job of the label holds it (a signal
    // stops the wait). Throws FileError when the state cannot be read or locked.
    explicit SerialNumbers(const QString& labelFile);
    ~SerialNumbers();
    SerialNumbers(const SerialNumbers&) = delete;
    SerialNumbers& operator=(const SerialNumbers&) = delete;

    // The first number of this job.
    long next() const { return m_next; }
    // Starts this job from `first` instead ("Numerazione...", --serial-start).
    void startFrom(long first) { m_next = first; }
    // The job delivered `used` labels: the next job starts after them. Throws FileError
    // when the state cannot be written.
    void commit(long used);

    // The next number of a label, read without taking its lock (1 when none was kept).
    static long peek(const QString& labelFile);
    // The largest serial number kept.
    static constexpr long Largest = 999999999;

private:
    QString m_file;
    std::unique_ptr<QLockFile> m_lock;
    long m_next = 1;
};
