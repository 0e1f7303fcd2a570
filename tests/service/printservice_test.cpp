// SPDX-License-Identifier: GPL-3.0-or-later
// The print service as other programs meet it: a real process on a free port, real HTTP, real
// PDFs and CUPS queues, killed and started again.

#include "support/files.h"
#include "support/marvelloprocess.h"
#include "support/socketprinter.h"
#include "support/textlabel.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <httplib.h>

#include <unistd.h>

#include <chrono>
#include <csignal>
#include <optional>
#include <thread>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const std::string Token = "prova-0123456789abcdef";

// The answer's HTTP status; 0 when there was none.
int status(const httplib::Result& result) {
    return result ? result->status : 0;
}

// What the service answers to bytes sent on a connection of their own (at most 10 s).
QByteArray rawAnswer(int port, const QByteArray& request) {
    const int connection = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(quint16(port));
    QByteArray answer;
    if (::connect(connection, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::send(connection, request.constData(), std::size_t(request.size()), 0) > 0) {
        pollfd waiting{connection, POLLIN, 0};
        char buffer[4096];
        if (::poll(&waiting, 1, 10000) > 0)
            answer = QByteArray(buffer,
                                std::max<ssize_t>(0, ::recv(connection, buffer, sizeof buffer, 0)));
    }
    ::close(connection);
    return answer;
}

QJsonObject jsonOf(const httplib::Result& result) {
    return result ? QJsonDocument::fromJson(QByteArray::fromStdString(result->body)).object()
                  : QJsonObject();
}

// `marvello serve` in folders of its own, on a port the system chooses.
class Service {
public:
    Service() {
        // A service that refuses a body hangs up before it is all sent.
        std::signal(SIGPIPE, SIG_IGN);
        for (const QString& sub : {labels, watch})
            QDir().mkpath(sub);
        writeBytes(tokens, QByteArray::fromStdString("# prove\n" + Token + "\n"));
    }
    ~Service() { stop(SIGKILL); }

    QTemporaryDir root;
    QString labels = root.filePath(u"etichette"_s);
    QString state = root.filePath(u"stato"_s);
    QString watch = root.filePath(u"cartella"_s);
    QString tokens = root.filePath(u"token"_s);
    QStringList printers;
    int port = 0;

    // Started and listening: false with what it said when it could not start.
    testing::AssertionResult start() {
        m_process.setProcessChannelMode(QProcess::SeparateChannels);
        m_process.setReadChannel(QProcess::StandardError);
        m_process.setStandardOutputFile(QProcess::nullDevice());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"XDG_CONFIG_HOME"_s, root.filePath(u"config"_s));
        env.insert(u"XDG_CACHE_HOME"_s, root.filePath(u"cache"_s));
        m_process.setProcessEnvironment(env);
        m_process.start(QStringLiteral(MARVELLO_EXECUTABLE),
                        {u"serve"_s, u"--listen"_s, u"127.0.0.1:0"_s, u"--labels"_s, labels,
                         u"--state"_s, state, u"--tokens"_s, tokens, u"--watch"_s, watch,
                         u"--printers"_s, printers.join(u','), u"--watch-to"_s, u"pdf"_s});
        static const QRegularExpression listening(uR"(http://127\.0\.0\.1:(\d+))"_s);
        QString said;
        while (m_process.waitForReadyRead(30000) || m_process.state() == QProcess::Running) {
            said += QString::fromLocal8Bit(m_process.readAllStandardError());
            if (const auto match = listening.match(said); match.hasMatch()) {
                port = match.captured(1).toInt();
                return testing::AssertionSuccess();
            }
            if (m_process.state() != QProcess::Running)
                break;
        }
        return testing::AssertionFailure() << said.toStdString();
    }
    // Ends the process with `signal`; its exit code.
    int stop(int signal = SIGTERM) {
        if (m_process.state() == QProcess::NotRunning)
            return m_process.exitCode();
        ::kill(pid_t(m_process.processId()), signal);
        m_process.waitForFinished(60000);
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }

    httplib::Client client() const {
        httplib::Client client("127.0.0.1", port);
        client.set_read_timeout(60);
        return client;
    }
    static httplib::Headers authorised() { return {{"Authorization", "Bearer " + Token}}; }

    httplib::Result post(const QJsonObject& job) const {
        return client().Post("/v1/jobs", authorised(),
                             QJsonDocument(job).toJson(QJsonDocument::Compact).toStdString(),
                             "application/json");
    }
    // The id of a job the service accepted; empty when it refused it.
    QString posted(const QJsonObject& job) const {
        const auto accepted = post(job);
        return status(accepted) == 202 ? jsonOf(accepted).value(u"id").toString() : QString();
    }
    // The job once it is delivered or failed (a minute at most).
    QJsonObject ended(const QString& id) const {
        auto http = client();
        QJsonObject job;
        for (int attempt = 0; attempt < 3000; ++attempt) {
            job = jsonOf(http.Get("/v1/jobs/" + id.toStdString(), authorised()));
            const QString state = job.value(u"state").toString();
            if (state == u"delivered" || state == u"failed")
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return job;
    }
    QStringList pdfs() const {
        return QDir(state + u"/pdf"_s).entryList({u"*.pdf"_s}, QDir::Files);
    }

private:
    QProcess m_process;
};

QJsonObject job(const QString& label, const QJsonArray& records, const QJsonObject& set = {},
                const QString& to = u"pdf"_s) {
    QJsonObject body{{u"label"_s, label}, {u"to"_s, to}, {u"records"_s, records}};
    if (!set.isEmpty())
        body.insert(u"set"_s, set);
    return body;
}

QJsonArray names(std::initializer_list<const char*> list) {
    QJsonArray records;
    for (const char* name : list)
        records.append(QJsonObject{{u"Nome"_s, QString::fromUtf8(name)}});
    return records;
}

class PrintService : public ::testing::Test {
protected:
    void SetUp() override {
        textLabel(service.labels + u"/spedizione.eti"_s, {u"${Nome} lotto ${?Lotto}"_s});
        textLabel(service.labels + u"/nome.eti"_s, {u"${Nome}"_s});
    }
    Service service;
};

// Strangers and hostile requests are refused and print nothing; the watch folder and a good job
// print their records, and the labels are described.
TEST_F(PrintService, RefusesStrangersAndPrintsWhatJobsAndTheWatchFolderAsk) {
    ASSERT_TRUE(service.start());
    auto http = service.client();
    const std::string good =
        QJsonDocument(job(u"nome.eti"_s, names({"Rossi"}))).toJson().toStdString();
    // No token, a wrong one, a huge body from a stranger: refused before anything is read.
    EXPECT_EQ(status(http.Post("/v1/jobs", good, "application/json")), 401);
    EXPECT_EQ(status(http.Get("/v1/health", {{"Authorization", "Bearer " + Token + "x"}})), 401);
    EXPECT_EQ(status(http.Get("/v1/labels", {{"Authorization", "Bearer"}})), 401);
    // A stranger announcing a huge body is answered at once, the body never read.
    EXPECT_TRUE(rawAnswer(service.port, "POST /v1/jobs HTTP/1.1\r\nHost: x\r\n"
                                        "Content-Length: 12582912\r\n\r\n{")
                    .startsWith("HTTP/1.1 401"));

    const QString outside = textLabel(service.root.filePath(u"fuori.eti"_s), {u"${Nome}"_s});
    ASSERT_TRUE(QFile::link(outside, service.labels + u"/collegata.eti"_s));
    const std::vector<std::pair<QJsonObject, int>> refused{
        {job(u"../fuori.eti"_s, names({"Rossi"})), 404},
        {job(outside, names({"Rossi"})), 404},
        {job(u"collegata.eti"_s, names({"Rossi"})), 404},
        {job(u"manca.eti"_s, names({"Rossi"})), 404},
        {job(u"nome.eti"_s, QJsonArray{QJsonObject{{u"Nome"_s, u"R"_s}, {u"Prezzo"_s, 3}}}), 400},
        {job(u"nome.eti"_s, QJsonArray{QJsonObject{{u"Cognome"_s, u"R"_s}}}), 400},
        {job(u"spedizione.eti"_s, names({"Rossi"})), 400}, // no answer to "Lotto"
        {job(u"nome.eti"_s, names({"Rossi"}), {}, u"printer:ALTRA"_s), 400},
        {job(u"nome.eti"_s, names({"Rossi"}), {}, u"/tmp/x.pdf"_s), 400},
        {QJsonObject{{u"label"_s, u"nome.eti"_s}, {u"to"_s, u"pdf"_s}, {u"copies"_s, 2}}, 400},
    };
    for (const auto& [body, expected] : refused) {
        const auto result = service.post(body);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->status, expected) << QJsonDocument(body).toJson().toStdString();
        EXPECT_FALSE(jsonOf(result).value(u"error").toString().isEmpty()) << result->body;
    }
    const auto headers = Service::authorised();
    // Bodies that are no job, the status and the start of the error they get. The flood: a few
    // megabytes that would ask for gigabytes once read as records.
    const std::tuple<std::string, int, const char*> raw[] = {
        {R"({"label": )", 400, "JSON non valido"},
        {"[1, 2]", 400, ""},
        {R"({"label": "nome.eti", "to": "pdf", "records": [)" +
             QByteArray("{},").repeated(200000).chopped(1).toStdString() + "]}",
         400, "Troppi record"},
        {std::string(11 << 20, ' '), 413, ""}};
    for (const auto& [body, code, error] : raw) {
        SCOPED_TRACE(body.substr(0, 40));
        const auto result = http.Post("/v1/jobs", headers, body, "application/json");
        EXPECT_EQ(status(result), code);
        EXPECT_TRUE(jsonOf(result).value(u"error").toString().startsWith(QString::fromUtf8(error)));
    }
    EXPECT_EQ(status(http.Get("/v1/jobs/00000000-0000-0000-0000-000000000000", headers)), 404);
    EXPECT_EQ(status(http.Get("/v1/jobs/../../etc/passwd", headers)), 404);

    EXPECT_EQ(status(http.Get("/v1/health", headers)), 200);
    EXPECT_TRUE(service.pdfs().isEmpty());

    // A configuration that would let anyone in, or nobody, does not start.
    const QString weak = service.root.filePath(u"deboli"_s);
    writeBytes(weak, "corto\n");
    EXPECT_TRUE(exited(marvello({u"serve"_s, u"--check"_s, u"--labels"_s, service.labels,
                                 u"--state"_s, service.state, u"--tokens"_s, weak}),
                       1, u"almeno 16 caratteri"));
    const QString config = service.root.filePath(u"serve.conf"_s);
    writeBytes(config, "labels = /non/esiste\nporta = 80\n");
    EXPECT_TRUE(exited(marvello({u"serve"_s, u"--config"_s, config}), 2, u"riga 2"));
    EXPECT_TRUE(exited(marvello({u"serve"_s, u"--check"_s, u"--labels"_s, service.labels,
                                 u"--state"_s, service.state, u"--tokens"_s, service.tokens}),
                       0));

    // Files dropped in the watch folder: one still being written is left until it is whole; each
    // file ends in "fatti" or "errori" with a log that says why.
    {
        QFile csv(service.watch + u"/nome-000123.csv"_s);
        ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
        csv.write("Nome\r\n");
        // Written a little at a time for three seconds, never still for a second.
        for (int i = 1; i <= 10; ++i) {
            csv.write(u"Record%1\r\n"_s.arg(i).toUtf8());
            csv.flush();
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
        }
    }
    writeBytes(service.watch + u"/rotto.json"_s, "{\"label\": ");
    writeBytes(service.watch + u"/manca-1.csv"_s, "Nome\r\nRossi\r\n");
    // The log in the watch folder once it is there (a minute at most).
    const auto waitFor = [&](const char* log) {
        const QString file = service.watch + QString::fromLatin1(log);
        for (int i = 0; i < 3000 && !QFile::exists(file); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        return file;
    };
    const QString doneLog = waitFor("/fatti/nome-000123.csv.log");
    // The same name dropped again is another job.
    writeBytes(service.watch + u"/nome-000123.csv"_s, "Nome\r\nDi nuovo\r\n");
    waitFor("/fatti/nome-000123-2.csv.log");
    const QString missing = waitFor("/errori/manca-1.csv.log");
    const QString broken = waitFor("/errori/rotto.json.log");
    EXPECT_TRUE(readBytes(doneLog).startsWith("Stampato"));
    EXPECT_TRUE(readBytes(broken).contains("JSON non valido"));
    EXPECT_TRUE(readBytes(missing).contains("manca.eti"));
    ASSERT_EQ(service.pdfs().size(), 2);
    QString watched;
    for (const QString& pdf : service.pdfs())
        watched += pdfText(service.state + u"/pdf/"_s + pdf);
    EXPECT_TRUE(watched.contains(u"Record1") && watched.contains(u"Record10") &&
                watched.contains(u"Di nuovo"))
        << watched.toStdString();
    EXPECT_TRUE(QDir(service.watch + u"/in-lavorazione"_s).isEmpty());

    const QString id = service.posted(
        job(u"spedizione.eti"_s, names({"Rossi", "Bianchi"}), {{u"Lotto"_s, u"L42"_s}}));
    ASSERT_FALSE(id.isEmpty());
    const QJsonObject done = service.ended(id);
    ASSERT_EQ(done.value(u"state"), u"delivered"_s) << QJsonDocument(done).toJson().toStdString();

    const auto pdf = http.Get("/v1/jobs/" + id.toStdString() + "/pdf", headers);
    ASSERT_EQ(status(pdf), 200);
    const QString saved = service.root.filePath(u"scaricato.pdf"_s);
    writeBytes(saved, QByteArray::fromStdString(pdf->body));
    const QString text = pdfText(saved).simplified();
    EXPECT_TRUE(text.contains(u"Rossi lotto L42") && text.contains(u"Bianchi lotto L42"))
        << text.toStdString();

    EXPECT_EQ(
        QJsonDocument::fromJson(QByteArray::fromStdString(http.Get("/v1/labels", headers)->body)),
        QJsonDocument::fromJson(R"([{"label": "nome.eti", "fields": ["Nome"], "questions": []},
            {"label": "spedizione.eti", "fields": ["Nome"], "questions": ["Lotto"]}])"));
}

// A service killed in the middle of a batch resumes it at its next start: every job is
// delivered, none twice (one PDF each; each printer job once in the queue).
TEST_F(PrintService, KilledInTheMiddleOfABatchDeliversEveryJobOnce) {
    const bool cups = cupsAvailable();
    std::optional<ThrowawayQueue> queue;
    if (cups) {
        queue.emplace(u"marvello-servizio"_s);
        service.printers << queue->name;
    }
    ASSERT_TRUE(service.start());
    const int printed = cups ? 25 : 0;
    // Ten clients post fifty jobs each at once.
    std::vector<QStringList> byClient(10);
    std::vector<std::thread> clients;
    for (std::size_t c = 0; c < byClient.size(); ++c)
        clients.emplace_back([&, c] {
            for (std::size_t n = c * 50; n < c * 50 + 50; ++n)
                byClient[c] << service.posted(
                    job(u"nome.eti"_s, names({"Rossi"}), {},
                        n % 20 == 0 && cups ? u"printer:"_s + queue->name : u"pdf"_s));
        });
    QStringList ids;
    for (std::size_t c = 0; c < clients.size(); ++c) {
        clients[c].join();
        ids += byClient[c];
    }
    ASSERT_FALSE(ids.contains(QString())); // none refused
    while (service.pdfs().size() < 100)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    service.stop(SIGKILL);
    ASSERT_LT(service.pdfs().size(), 500 - printed) << "the batch ended before the kill";

    ASSERT_TRUE(service.start());
    for (const QString& id : ids)
        ASSERT_EQ(service.ended(id).value(u"state"), u"delivered"_s) << id.toStdString();
    EXPECT_EQ(service.pdfs().size(), 500 - printed);
    // The jobs the queue has had, finished or not.
    EXPECT_EQ(cups ? runTool("lpstat", {u"-W"_s, u"all"_s, u"-o"_s, queue->name}).count('\n') : 0,
              printed);
    EXPECT_EQ(service.stop(), 0);
}

// Jobs to a queue that refuses them fail with the queue's reason; the jobs after them print.
// A printer that does not answer holds only its own jobs: the others print meanwhile.
TEST_F(PrintService, APrinterThatRefusesOrLagsHoldsOnlyItsOwnJobs) {
    if (!cupsAvailable())
        GTEST_SKIP() << "no CUPS scheduler to add queues to";
    ThrowawayQueue refusing(u"marvello-chiusa"_s), working(u"marvello-aperta"_s),
        silent(u"marvello-muta"_s, u"socket://127.0.0.1:9"_s);
    refusing.reject(u"carta finita"_s);
    service.printers << refusing.name << working.name << silent.name;
    ASSERT_TRUE(service.start());
    const auto posted = [&](const char* name, const QString& to) {
        return service.posted(job(u"nome.eti"_s, names({name}), {}, to));
    };
    posted("Lenta", u"printer:"_s + silent.name);
    const QString lagging = posted("Lentissima", u"printer:"_s + silent.name);
    EXPECT_EQ(service.ended(posted("Svelta", u"pdf"_s)).value(u"state"), u"delivered"_s);
    const auto behind =
        jsonOf(service.client().Get("/v1/jobs/" + lagging.toStdString(), Service::authorised()));
    EXPECT_NE(behind.value(u"state"), u"delivered"_s) << "the PDF waited for the silent printer";

    const QString first = posted("Rossi", u"printer:"_s + refusing.name);
    const QString second = posted("Bianchi", u"printer:"_s + working.name);
    const QJsonObject refused = service.ended(first);
    EXPECT_EQ(refused.value(u"state"), u"failed"_s);
    EXPECT_TRUE(refused.value(u"message").toString().contains(u"carta finita"))
        << refused.value(u"message").toString().toStdString();
    const QJsonObject delivered = service.ended(second);
    EXPECT_EQ(delivered.value(u"state"), u"delivered"_s);
    EXPECT_GT(delivered.value(u"cups_job").toInt(), 0);
    const auto received = working.printer.waitForJobs(1);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_TRUE(received.front().startsWith("%PDF"));
}

} // namespace
