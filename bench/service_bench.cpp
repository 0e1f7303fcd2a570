// SPDX-License-Identifier: GPL-3.0-or-later
// The print service under load: `clients` threads post `jobs` jobs in all (one label each, to
// a PDF) to a `marvello serve` of its own, then wait for every job to be delivered. Prints the
// jobs accepted and delivered per second, the POST latency (p50, p99, max), the service's
// memory as it went, and whether every job was delivered exactly once.
//
//   service_bench [clients [jobs]]      (100 clients, 10,000 jobs)

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

namespace {

const std::string Token = "bench-0123456789abcdef";

long residentKilobytes(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

// The service's memory: its own and its workers'.
long serviceKilobytes(qint64 pid) {
    long total = residentKilobytes(pid);
    QFile children(QStringLiteral("/proc/%1/task/%1/children").arg(pid));
    if (children.open(QIODevice::ReadOnly))
        for (const QByteArray& child : children.readAll().split(' '))
            if (!child.trimmed().isEmpty())
                total += residentKilobytes(child.trimmed().toLongLong());
    return total;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    std::signal(SIGPIPE, SIG_IGN);
    const int clients = argc > 1 ? std::atoi(argv[1]) : 100;
    const int jobs = argc > 2 ? std::atoi(argv[2]) : 10000;
    QTemporaryDir root;
    QDir(root.path()).mkpath(QStringLiteral("etichette"));
    {
        QFile label(root.filePath(QStringLiteral("etichette/nome.eti")));
        label.open(QIODevice::WriteOnly);
        label.write(
            "oggLayout\r\n 1 \r\n 1 \r\n 0 \r\n 0 \r\n 100 \r\n 40 \r\n 0 \r\n 0 \r\n 0 \r\n"
            " 0 \r\noggTesto\r\n 0 \r\n 0 \r\n 5670 \r\n 2000 \r\n${Nome}\r\nArial\r\n 8 \r\n"
            "False\r\nFalse\r\n 0 \r\n 0 \r\n 16777215 \r\n 0 \r\n\r\n 0 \r\n");
        QFile tokens(root.filePath(QStringLiteral("token")));
        tokens.open(QIODevice::WriteOnly);
        tokens.write(QByteArray::fromStdString(Token + "\n"));
    }
    QProcess service;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), root.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), root.filePath(QStringLiteral("cache")));
    env.remove(QStringLiteral("DISPLAY"));
    service.setProcessEnvironment(env);
    service.setReadChannel(QProcess::StandardError);
    service.setStandardOutputFile(QProcess::nullDevice());
    service.start(QStringLiteral(MARVELLO_EXECUTABLE),
                  {QStringLiteral("serve"), QStringLiteral("--listen"),
                   QStringLiteral("127.0.0.1:0"), QStringLiteral("--labels"),
                   root.filePath(QStringLiteral("etichette")), QStringLiteral("--state"),
                   root.filePath(QStringLiteral("stato")), QStringLiteral("--tokens"),
                   root.filePath(QStringLiteral("token"))});
    int port = 0;
    QString said;
    while (port == 0 && service.waitForReadyRead(30000)) {
        said += QString::fromLocal8Bit(service.readAllStandardError());
        const auto match = QRegularExpression(QStringLiteral(R"(:(\d+),)")).match(said);
        port = match.hasMatch() ? match.captured(1).toInt() : 0;
    }
    if (port == 0) {
        std::fprintf(stderr, "the service did not start: %s\n", qPrintable(said));
        return 1;
    }
    const httplib::Headers headers{{"Authorization", "Bearer " + Token}};

    // Memory, sampled while the jobs come and go.
    std::atomic<bool> done = false;
    std::vector<long> memory;
    std::thread sampler([&] {
        while (!done) {
            memory.push_back(serviceKilobytes(service.processId()));
            std::this_thread::sleep_for(std::chrono::milliseconds(250));
        }
    });

    std::mutex lock;
    std::vector<double> latencies;
    std::vector<std::string> ids;
    std::atomic<int> refused = 0;
    QElapsedTimer clock;
    clock.start();
    std::vector<std::thread> threads;
    for (int c = 0; c < clients; ++c)
        threads.emplace_back([&, c] {
            httplib::Client client("127.0.0.1", port);
            client.set_read_timeout(120);
            for (int i = c; i < jobs; i += clients) {
                const std::string body =
                    R"({"label":"nome.eti","to":"pdf","records":[{"Nome":"Cliente )" +
                    std::to_string(i) + R"("}]})";
                QElapsedTimer timer;
                timer.start();
                const auto result = client.Post("/v1/jobs", headers, body, "application/json");
                const double ms = double(timer.nsecsElapsed()) / 1e6;
                if (!result || result->status != 202) {
                    if (refused++ < 5)
                        std::fprintf(stderr, "refused: %s\n",
                                     result ? result->body.c_str()
                                            : httplib::to_string(result.error()).c_str());
                    continue;
                }
                const QJsonObject answer =
                    QJsonDocument::fromJson(QByteArray::fromStdString(result->body)).object();
                const std::lock_guard guard(lock);
                latencies.push_back(ms);
                ids.push_back(answer.value(QStringLiteral("id")).toString().toStdString());
            }
        });
    for (auto& thread : threads)
        thread.join();
    const double postSeconds = double(clock.nsecsElapsed()) / 1e9;

    // Delivered: the queue empty, then every job asked for.
    httplib::Client client("127.0.0.1", port);
    for (;;) {
        const auto health = client.Get("/v1/health", headers);
        if (health && QJsonDocument::fromJson(QByteArray::fromStdString(health->body))
                              .object()
                              .value(QStringLiteral("waiting"))
                              .toInt(-1) == 0)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    int delivered = 0;
    for (const std::string& id : ids) {
        for (;;) {
            const auto job = client.Get("/v1/jobs/" + id, headers);
            const QString state =
                job ? QJsonDocument::fromJson(QByteArray::fromStdString(job->body))
                          .object()
                          .value(QStringLiteral("state"))
                          .toString()
                    : QString();
            if (state == u"delivered")
                ++delivered;
            if (state == u"delivered" || state == u"failed")
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    const double allSeconds = double(clock.nsecsElapsed()) / 1e9;
    done = true;
    sampler.join();
    service.terminate();
    service.waitForFinished(60000);

    std::sort(latencies.begin(), latencies.end());
    const auto percentile = [&](double p) {
        return latencies.empty() ? 0.0 : latencies[std::size_t(p * double(latencies.size() - 1))];
    };
    const int pdfs = int(QDir(root.filePath(QStringLiteral("stato/pdf")))
                             .entryList({QStringLiteral("*.pdf")}, QDir::Files)
                             .size());
    std::printf("clients %d, jobs %d: %zu accepted, %d refused, %d delivered, %d PDFs\n", clients,
                jobs, ids.size(), refused.load(), delivered, pdfs);
    std::printf("accepted: %.0f jobs/s (%.1f s); delivered: %.0f jobs/s (%.1f s)\n",
                double(ids.size()) / postSeconds, postSeconds, delivered / allSeconds, allSeconds);
    std::printf("POST latency ms: p50 %.1f, p99 %.1f, max %.1f\n", percentile(0.5),
                percentile(0.99), latencies.empty() ? 0.0 : latencies.back());
    const std::size_t n = memory.size();
    if (n > 0)
        std::printf("service memory MB, workers included: at 10%% %.1f, at 50%% %.1f, at the end "
                    "%.1f, largest %.1f\n",
                    memory[n / 10] / 1024.0, memory[n / 2] / 1024.0, memory[n - 1] / 1024.0,
                    *std::max_element(memory.begin(), memory.end()) / 1024.0);
    const bool exactlyOnce = delivered == jobs && pdfs == jobs && refused == 0;
    std::printf("every job delivered exactly once: %s\n", exactlyOnce ? "yes" : "NO");
    return exactlyOnce ? 0 : 1;
}
