// SPDX-License-Identifier: GPL-3.0-or-later
#include "service/jobrunner.h"

#include "app/exitcodes.h"
#include "common/interruption.h"
#include "common/messageservice.h"
#include "database/clsdatabase.h"
#include "database/memorysource.h"
#include "document/labeldocument.h"
#include "document/labelfileoperations.h"
#include "printcomponent/cupsjob.h"
#include "printcomponent/printerbackend.h"
#include "printing/labeldatabase.h"
#include "service/jobrequest.h"

#include <QDir>

namespace {

// Keeps what a job says, for its entry in the journal; questions get the safe answer.
class JobMessages final : public MessageService {
public:
    QStringList said;

    void beep() override {}
    void message(const QString& text, const QString&, MessageIcon) override {
        said << QString(text).replace(u'\r', u' ');
    }
    Answer question(const QString& text, const QString&, QuestionButtons buttons,
                    MessageIcon) override {
        said << text;
        return buttons == QuestionButtons::YesNo ? Answer::No : Answer::Cancel;
    }
    std::optional<QString> chooseFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<QColor> chooseColor(const QColor&, const QString&) override {
        return std::nullopt;
    }
    std::optional<QFont> chooseFont(const QFont&, const QString&) override { return std::nullopt; }
};

// A system printer whose jobs carry the service's title, and whose queue number is kept.
class TitledPrinter final : public PrinterBackend {
public:
    TitledPrinter(std::shared_ptr<PrinterBackend> printer, QString title)
        : m_printer(std::move(printer))
        , m_title(std::move(title)) {}

    int cupsJob = 0;

    bool available() const override { return m_printer->available(); }
    QString deviceName() const override { return m_printer->deviceName(); }
    QString portName() const override { return m_printer->portName(); }
    QSizeF paperSize() const override { return m_printer->paperSize(); }
    int dotsPerInch() const override { return m_printer->dotsPerInch(); }
    QPointF dotOrigin(const std::optional<QSizeF>& paper) const override {
        return m_printer->dotOrigin(paper);
    }
    PrinterOutcome print(const PrintDocument& document, const PrinterJob& job) override {
        PrinterJob titled = job;
        titled.name = m_title;
        const PrinterOutcome outcome = m_printer->print(document, titled);
        cupsJob = outcome.jobId;
        return outcome;
    }
    bool pageSetup(int&) override { return false; }
    bool printerSetup() override { return false; }

private:
    std::shared_ptr<PrinterBackend> m_printer;
    QString m_title;
};

JobResult failed(const QString& message) {
    return {JournalEntry::State::Failed, message};
}

} // namespace

JobRunner::JobRunner(LabelFolder labels, QString pdfFolder, QStringList printers,
                     PrinterFactory systemPrinters)
    : m_labels(std::move(labels))
    , m_pdfFolder(std::move(pdfFolder))
    , m_printers(std::move(printers))
    , m_systemPrinters(std::move(systemPrinters)) {}

QString JobRunner::pdfOf(const QString& folder, const QString& id) {
    return QDir(folder).filePath(id + QStringLiteral(".pdf"));
}

QString JobRunner::queueTitle(const QString& id) {
    return QStringLiteral("marvello-") + id;
}

int JobRunner::alreadySent(const JournalEntry& entry) const {
    QString why;
    const auto request = JobRequest::parse(entry.body, &why);
    if (entry.state != JournalEntry::State::Printing || !request || request->toPdf())
        return 0;
    return cupsjob::jobTitled(request->printer(), queueTitle(entry.id));
}

JobResult JobRunner::run(const JournalEntry& entry) {
    QString why;
    const auto request = JobRequest::parse(entry.body, &why);
    if (!request)
        return failed(why);
    const auto label = m_labels.label(request->label, &why);
    if (!label)
        return failed(QStringLiteral("Etichetta %1: %2").arg(request->label, why));
    const bool toPrinter = !request->toPdf();
    if (toPrinter && !m_printers.contains(request->printer(), Qt::CaseInsensitive))
        return failed(QStringLiteral("La stampante %1 non è tra quelle del servizio.")
                          .arg(request->printer()));

    JobMessages messages;
    const ScopedMessageService scoped(messages);
    LabelDocument document;
    clsDatabase database;
    QString dataFile;
    if (!request->database.isEmpty()) {
        const auto data = m_labels.dataFile(request->database, &why);
        if (!data)
            return failed(QStringLiteral("Dati %1: %2").arg(request->database, why));
        dataFile = *data;
    }
    const auto connect = [&](const QString& path, const QString& password, const QString& table) {
        // The label's own data only when the job brings none.
        return !request->records && connectLabelDatabase(database, document, path, password, table);
    };
    if (CaricaEtichetta(document, *label, dataFile, {}, connect).outcome != LoadOutcome::Loaded)
        return failed(messages.said.join(u'\n'));
    if (request->records) {
        CollegamentoDatabase binding = document.binding();
        if (binding.NomeTabella.isEmpty())
            binding.NomeTabella = QStringLiteral("record");
        binding.NomeDatabase = QStringLiteral("lavoro");
        binding.TipoCriterio = qint16(Criterion::Tutti);
        document.setBinding(binding);
        database.connectSource(binding.NomeDatabase, std::make_unique<MemorySource>(
                                                         binding.NomeTabella, *request->records));
        document.setDatabaseConnesso(true);
    } else if (!document.binding().NomeDatabase.isEmpty() && !document.DatabaseConnesso()) {
        return failed(messages.said.isEmpty() ? QStringLiteral("Database non connesso.")
                                              : messages.said.join(u'\n'));
    }

    BatchOptions options;
    options.label = *label;
    options.to =
        toPrinter ? QStringLiteral("printer:") + request->printer() : pdfOf(m_pdfFolder, entry.id);
    options.copies = request->copies;
    options.answers = request->answers;
    options.sayWritten = false;
    std::shared_ptr<TitledPrinter> printer;
    const PrinterFactory printers = [&](const QString& name) -> std::shared_ptr<PrinterBackend> {
        auto system = m_systemPrinters ? m_systemPrinters(name) : nullptr;
        if (!system)
            return nullptr;
        printer = std::make_shared<TitledPrinter>(std::move(system), queueTitle(entry.id));
        return printer;
    };
    const int code = printLoaded(document, database, options, printers);
    if (interruption::requested() && code != exitcode::Delivered && code != exitcode::Incomplete)
        return {JournalEntry::State::Queued, {}, 0, true};
    JobResult result;
    result.state = code == exitcode::Delivered || code == exitcode::Incomplete
                       ? JournalEntry::State::Delivered
                       : JournalEntry::State::Failed;
    result.message = messages.said.join(u'\n');
    if (result.state == JournalEntry::State::Failed && result.message.isEmpty())
        result.message = code == exitcode::NothingToPrint
                             ? QStringLiteral("Nessuna etichetta da stampare.")
                             : QStringLiteral("Stampa non riuscita.");
    result.cupsJob = printer ? printer->cupsJob : 0;
    return result;
}
