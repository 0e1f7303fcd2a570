// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <map>

#include <sys/types.h>

// The processes that print the service's jobs, one for each lane (a printer, or PDFs): the
// jobs of a lane print in the order received, the lanes side by side, and a label that brings
// its renderer down takes only its own lane's process with it.
class LaneWorkers {
public:
    // Workers run the program with `arguments` and then "--worker LANE --parent PID".
    explicit LaneWorkers(QStringList arguments);
    ~LaneWorkers();
    LaneWorkers(const LaneWorkers&) = delete;
    LaneWorkers& operator=(const LaneWorkers&) = delete;

    // The lane has a worker: started when it has none (or its worker ended).
    void ensure(const QString& lane);
    // Forgets the workers that ended.
    void reap();
    // Asks every worker to stop (SIGTERM) and waits for them.
    void stopAll();

private:
    QStringList m_arguments;
    std::map<QString, pid_t> m_running;
};
