// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/printengine.h"

#include "barcode/barcodecheck.h"
#include "barcode/barcodeparameters.h"
#include "barcode/zintsymbol.h"
#include "common/cursor.h"
#include "common/files.h"
#include "common/interruption.h"
#include "common/messageservice.h"
#include "common/numbers.h"
#include "common/regionalsettings.h"
#include "common/resourcelimits.h"
#include "common/units.h"
#include "common/version.h"
#include "database/clsdatabase.h"
#include "database/databaseerror.h"
#include "database/recordsource.h"
#include "database/sourceaddress.h"
#include "document/labeldocument.h"
#include "document/picturecache.h"
#include "printcomponent/clspressivo.h"
#include "printcomponent/pressivocodes.h"
#include "printcomponent/pressivoui.h"
#include "printcomponent/printersettings.h"
#include "printcomponent/printsurface.h"
#include "printcomponent/zploutput.h"
#include "printing/elementrenderer.h"
#include "printing/placeholders.h"
#include "printing/sheetgeometry.h"

#include <QFileInfo>

#include <cmath>
#include <map>
#include <set>

double GetXGen(const LayoutEtichetta& l, double x, int colonna) {
    return x + sheet::labelCorner(l, colonna, 1).x();
}

double GetYGen(const LayoutEtichetta& l, double y, int riga) {
    return y + sheet::labelCorner(l, 1, riga).y();
}

double GetX(const LayoutEtichetta& l, int colonna, const LabelElement& controllo) {
    return GetXGen(l,
                   (double(controllo.Left) - units::LabelOriginXTwips) / units::TwipsPerMillimetre,
                   colonna);
}

double GetY(const LayoutEtichetta& l, int riga, const LabelElement& controllo) {
    return GetYGen(
        l, (double(controllo.Top) - units::LabelOriginYTwips) / units::TwipsPerMillimetre, riga);
}

double GetW(const LabelElement& controllo) {
    return double(controllo.Width) / units::TwipsPerMillimetre;
}
double GetH(const LabelElement& controllo) {
    return double(controllo.Height) / units::TwipsPerMillimetre;
}

QString fieldText(const QVariant& value) {
    if (value.isNull() || !value.isValid())
        return {};
    QLocale locale = RegionalSettings::locale();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("Vero") : QStringLiteral("Falso");
    case QMetaType::Double:
    case QMetaType::Float:
        return locale.toString(value.toDouble(), 'g', 15);
    case QMetaType::QDateTime: {
        const QDateTime when = value.toDateTime();
        QString dateFormat = locale.dateFormat(QLocale::ShortFormat);
        if (!dateFormat.contains(QStringLiteral("yyyy")))
            dateFormat.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
        const QString date = when.date().toString(dateFormat);
        return when.time() == QTime(0, 0)
                   ? date
                   : date + u' ' + when.time().toString(QStringLiteral("HH:mm:ss"));
    }
    default:
        return value.toString();
    }
}

bool connectLabelDatabase(clsDatabase& database, LabelDocument& document, const QString& path,
                          const QString& password, const QString& table, bool* tableMissing) {
    // A data file is also looked for beside the label; a server's address is taken as it is.
    QString file = path;
    auto address = SourceAddress::parse(path);
    if (address && !address->isServer() && !FileEsiste(address->path) &&
        !document.fileName().isEmpty()) {
        address->path =
            resolveReadablePath(address->path, QFileInfo(document.fileName()).absolutePath());
        if (!address->path.isEmpty())
            file = address->toString();
    }
    database.setNomeDatabase(file);
    database.setPasswordDb(password);
    bool connected = database.ConnettiDatabase();
    if (connected) {
        try {
            connected = database.source().contains(table);
        } catch (const DatabaseError& error) {
            connected = false;
            MessageService::current().warn(error.description, QStringLiteral("objDatabase"));
        }
        if (!connected && tableMissing)
            *tableMissing = true;
    }
    if (!connected)
        database.DisconnettiDatabase();
    document.setDatabaseConnesso(connected);
    return connected;
}

namespace {

// The error number a job stopped by a signal reports.
constexpr int InterruptedJob = 18; // "User interrupt occurred"
constexpr int InvalidValue = 5;    // "Invalid procedure call or argument"

class Job {
public:
    Job(LabelDocument& document, const RecordCursor* records)
        : m_document(document)
        , m_records(records)
        , m_labelFolder(document.fileName().isEmpty()
                            ? QString()
                            : QFileInfo(document.fileName()).absolutePath())
        , m_now(QDateTime::currentDateTime()) {
        // As the design surface shows them: sent to the back first, then the unmoved, then
        // those brought to the front, each pass in stacking order (creation order for a label
        // as read). The label does not change during a job: decided once.
        for (const LabelElement* element : m_document.drawOrder()) {
            if (element->Index > 0)
                m_drawOrder.push_back(element);
        }
        for (const LabelElement* element : m_drawOrder)
            prepare(*element);
    }

    // Each field a text names that the records lack, as a message; empty when there is none.
    const QStringList& unknownFields() const { return m_unknown; }

    // The label's number in the job, from 1, and whether it has a record.
    long sequence = 0;
    bool hasRecord = false;
    // Draws only the texts: a trial that counts the cut ones.
    bool textsOnly = false;

    void drawLabel(clsPressivo& pressivo, int c, int r, const PrintJob& job) {
        // Placed where the page has room for it; a turned label is drawn upright from the
        // corner of its place and turned into it.
        const LayoutEtichetta layout = m_document.layout();
        const LayoutEtichetta place = sheet::pageLayout(m_document.paper(), layout);
        if (m_document.paper().turned)
            pressivo.TurnQuarter(GetXGen(place, 0, c), GetYGen(place, 0, r),
                                 GetXGen(place, layout.LarghezzaEtichetta, c),
                                 GetYGen(place, layout.AltezzaEtichetta, r));
        drawUpright(pressivo, place, c, r, job);
        if (m_document.paper().turned)
            pressivo.TurnNone();
    }

private:
    // The label's elements, its crop marks and border, the label upright at the corner of its
    // place in column c and row r of the page's `layout`.
    void drawUpright(clsPressivo& pressivo, const LayoutEtichetta& layout, int c, int r,
                     const PrintJob& job) {
        const double w = m_document.layout().LarghezzaEtichetta;
        const double h = m_document.layout().AltezzaEtichetta;
        if (textsOnly) {
            for (const LabelElement* element : m_drawOrder)
                if (element->kind == ElementKind::Testo)
                    drawElement(pressivo, *element, layout, c, r);
            return;
        }
        if (job.StampaCrocicchi) {
            for (const auto& [x, y] : {std::pair{0.0, 0.0}, {w, 0.0}, {0.0, h}, {w, h}}) {
                pressivo.DrawLine(GetXGen(layout, x, c), GetYGen(layout, y - 1, r),
                                  GetXGen(layout, x, c), GetYGen(layout, y + 1, r));
                pressivo.DrawLine(GetXGen(layout, x - 1, c), GetYGen(layout, y, r),
                                  GetXGen(layout, x + 1, c), GetYGen(layout, y, r));
            }
        }
        if (job.StampaBordi)
            pressivo.DrawLine(GetXGen(layout, 0, c), GetYGen(layout, 0, r), GetXGen(layout, w, c),
                              GetYGen(layout, h, r), {}, QStringLiteral("B"));
        // Each element stays on its own label: a long caption must not print on the next.
        pressivo.ClipTo(GetXGen(layout, 0, c), GetYGen(layout, 0, r), GetXGen(layout, w, c),
                        GetYGen(layout, h, r));
        for (const LabelElement* element : m_drawOrder)
            drawElement(pressivo, *element, layout, c, r);
        pressivo.ClipNone();
    }

    // What an element prints, decided once: its field's position, or its text's placeholders.
    struct Source {
        int field = -1;
        std::optional<TextTemplate> text;
    };

    void prepare(const LabelElement& e) {
        Source source;
        if (!e.DataMember.isEmpty()) {
            if (m_records && m_document.DatabaseConnesso()) {
                source.field = m_records->fieldIndex(e.DataMember);
                if (source.field < 0)
                    throw DatabaseError(DatabaseError::ItemNotFound,
                                        QStringLiteral("Elemento non trovato in questo insieme: "
                                                       "%1.")
                                            .arg(e.DataMember));
            }
        } else if (e.kind == ElementKind::Testo || e.kind == ElementKind::Immagine) {
            const QString& written = e.kind == ElementKind::Testo ? e.Caption : e.ToolTipText;
            TextTemplate text(written);
            if (text.hasPlaceholders()) {
                // The element as the user knows it: by what is written in it.
                const QString element =
                    (e.kind == ElementKind::Testo ? QStringLiteral("dal testo \"%1\"")
                                                  : QStringLiteral("dal codice a barre \"%1\""))
                        .arg(written.left(60));
                for (const QString& name : text.bind(m_records ? &m_records->fields() : nullptr))
                    m_unknown << (m_records ? QStringLiteral("Il campo \"%1\" usato %2 non "
                                                             "esiste nella tabella dei dati.")
                                                  .arg(name, element)
                                            : QStringLiteral("Il campo \"%1\" usato %2 non "
                                                             "c'è: l'etichetta non è collegata a "
                                                             "un database.")
                                                  .arg(name, element));
                source.text = std::move(text);
            }
        }
        m_sources.emplace(&e, std::move(source));
    }

    // The field's value in the current record, as a label prints it.
    QString fieldValue(std::size_t index) const {
        if (!m_records || !hasRecord)
            return {};
        const FieldInfo& field = m_records->fields()[index];
        if (!field.unprintable.isEmpty())
            throw DatabaseError(DatabaseError::InvalidFieldType,
                                QStringLiteral("Il campo %1 contiene %2: non può essere stampato "
                                               "su un'etichetta.")
                                    .arg(field.name, field.unprintable));
        const QVariant& value = m_records->row()[index];
        const qsizetype size = value.typeId() == QMetaType::QByteArray ? value.toByteArray().size()
                               : value.typeId() == QMetaType::QString  ? value.toString().size()
                                                                       : 0;
        if (size > resourcelimits::FieldValueCharacters)
            throw DatabaseError(DatabaseError::InvalidFieldType,
                                QStringLiteral("Il campo %1 dell'etichetta %2 contiene %3 "
                                               "caratteri: più di %4, troppi per un'etichetta.")
                                    .arg(field.name)
                                    .arg(sequence)
                                    .arg(size)
                                    .arg(resourcelimits::FieldValueCharacters));
        return fieldText(ValoreCampo(value, field.type, QString()));
    }

    // The element's own value (its placeholders filled in), or its field of the current record.
    QString valueOf(const LabelElement& element, const QString& own) const {
        const Source& source = m_sources.at(&element);
        if (!element.DataMember.isEmpty())
            return source.field >= 0 ? fieldValue(std::size_t(source.field)) : QString();
        if (source.text) {
            std::optional<QString> text = source.text->expand(
                sequence, m_now, [this](std::size_t index) { return fieldValue(index); },
                resourcelimits::LabelTextCharacters);
            if (!text)
                throw DatabaseError(DatabaseError::InvalidFieldType,
                                    QStringLiteral("Il testo \"%1\" dell'etichetta %2 supera %3 "
                                                   "caratteri con i campi inseriti: la stampa si "
                                                   "ferma.")
                                        .arg(own.left(60))
                                        .arg(sequence)
                                        .arg(resourcelimits::LabelTextCharacters));
            return *text;
        }
        return own;
    }

    void drawElement(clsPressivo& pressivo, const LabelElement& e, const LayoutEtichetta& layout,
                     int c, int r) {
        ElementContent content;
        switch (e.kind) {
        case ElementKind::Testo:
            content.text = valueOf(e, e.Caption);
            break;
        case ElementKind::Immagine:
            content.text = valueOf(e, e.ToolTipText);
            checkBarcode(e, content.text);
            break;
        case ElementKind::Picture: {
            const QString named = valueOf(e, e.ToolTipText);
            if (e.DataMember.isEmpty() && !e.Picture.isNull())
                content.picture = &e.Picture;
            else if (const QString path = resolveReadablePath(named, m_labelFolder);
                     !path.isEmpty())
                content.picture = &picture(e, path);
            else if (!named.trimmed().isEmpty())
                reportMissingPicture(e, named);
            break;
        }
        case ElementKind::Rettangolo:
            break;
        }
        const int cutBefore = pressivo.surface().cutTexts();
        if (const QString why =
                ::drawElement(e, content, elementBoxOnPage(layout, c, r, e), pressivo);
            !why.isEmpty())
            reportUnencodable(e, content.text, why);
        if (pressivo.surface().cutTexts() > cutBefore)
            noteCutText(content.text);
    }

    // A text that does not fit its box prints cut: the job says so once it is done (the
    // first such text and how many labels have one), without stopping.
    void noteCutText(const QString& text) {
        if (m_cutLabels == 0)
            m_firstCut = QStringLiteral("il testo \"%1\" dell'etichetta %2")
                             .arg(text.left(60).replace(u'\n', u' '))
                             .arg(sequence);
        if (m_lastCutLabel != sequence)
            ++m_cutLabels;
        m_lastCutLabel = sequence;
    }

    // A value the symbology cannot hold is said once per element and job; the label prints
    // without that symbol.
    void reportUnencodable(const LabelElement& e, const QString& value, const QString& why) {
        m_leftOut = true;
        if (!m_reported.insert(e.key()).second)
            return;
        const auto kind = zintsymbol::fromTagDigit(BarcodeParameters::fromTag(e.Tag).TipoBarcode);
        MessageService::current().warn(
            QStringLiteral("Il codice a barre %1 (%2) non può rappresentare \"%3\": %4")
                .arg(e.key(), kind ? zintsymbol::name(*kind) : QString(), value.left(80), why),
            QStringLiteral("Codice a barre"));
    }

    // A code a scanner would refuse or misread stops the job: a label that looks right and
    // does not scan is worse than none.
    void checkBarcode(const LabelElement& e, const QString& value) const {
        const auto symbology = BarcodeParameters::fromTag(e.Tag).symbology();
        if (!symbology)
            return;
        if (const QString problem = barcodecheck::problem(*symbology, value); !problem.isEmpty())
            throw DatabaseError(InvalidValue,
                                QStringLiteral("Il codice a barre %1 \"%2\" dell'etichetta %3 "
                                               "non è valido: %4. La stampa si ferma.")
                                    .arg(zintsymbol::name(*symbology), value.left(80))
                                    .arg(sequence)
                                    .arg(problem));
    }

    // A picture file that is not there is said once per element and job; the label prints
    // without it.
    void reportMissingPicture(const LabelElement& e, const QString& named) {
        m_leftOut = true;
        if (!m_reported.insert(e.key()).second)
            return;
        MessageService::current().warn(
            QStringLiteral("Immagine non trovata: \"%1\" non esiste o non è un file leggibile; "
                           "le etichette sono stampate senza.")
                .arg(named.left(200)),
            QStringLiteral("Immagine"));
    }

    // The label's own pictures were decoded with the label; linked ones once per job.
    const QImage& picture(const LabelElement& element, const QString& path) {
        if (element.DataMember.isEmpty() && !element.Picture.isNull())
            return element.Picture;
        PictureCache::Failure failure;
        const QImage* image = m_pictures.load(path, path, &failure);
        if (!image)
            throw DatabaseError(failure.code, failure.description);
        return *image;
    }

    LabelDocument& m_document;
    const RecordCursor* m_records;
    QString m_labelFolder;
    QDateTime m_now;
    std::map<const LabelElement*, Source> m_sources;
    QStringList m_unknown;
    PictureCache m_pictures;
    std::vector<const LabelElement*> m_drawOrder;
    std::set<QString> m_reported;
    bool m_leftOut = false;
    long m_cutLabels = 0;
    long m_lastCutLabel = 0;
    QString m_firstCut;

public:
    bool leftOut() const { return m_leftOut; }
    // Nothing when every text fitted.
    QString cutTextsWarning() const {
        if (m_cutLabels == 0)
            return {};
        return QStringLiteral("Etichette con testi tagliati, che non entrano nel loro riquadro: %1 "
                              "(la prima: %2).")
            .arg(m_cutLabels)
            .arg(m_firstCut);
    }
};

// A page chosen for another label (a roll's 4 x 6 in) must not take a sheet that does not fit
// on it: half the labels would be cut off. A millimetre is let pass, as printers round, and
// the historical shift to the right is not counted (labels made to the page's width print as
// they always did).
QString pageTooSmall(const LayoutEtichetta& layout, const PrintSurface& surface) {
    QSizeF paper(surface.PaperWidth(), surface.PaperHeight());
    if (surface.Orientation() == 1)
        paper.transpose();
    paper /= units::TwipsPerMillimetre;
    const QSizeF needed = sheet::sheetExtent(layout);
    if (needed.width() <= paper.width() + 1 && needed.height() <= paper.height() + 1)
        return {};
    // The paper is the label's own, or the one chosen for the printer: say where to change it.
    return QStringLiteral("Le etichette non stanno sulla pagina scelta: il foglio "
                          "dell'etichetta misura %1 x %2 mm, la pagina %3 x %4 mm. %5")
        .arg(std::ceil(needed.width()))
        .arg(std::ceil(needed.height()))
        .arg(std::round(paper.width()))
        .arg(std::round(paper.height()))
        .arg(surface.jobPaper()
                 ? QStringLiteral("Scegliere la carta in \"Layout etichetta\" (\"Carta\").")
                 : QStringLiteral("Scegliere la pagina con \"Pagina...\"."));
}

// Before a job from the window: the labels whose texts would print cut short (empty when
// none), so that the user can still widen a box. Only the texts are drawn, on a scratch
// surface, over the records read once more; nothing when that failed, which the job itself
// will report.
std::optional<QString> cutTextsAhead(LabelDocument& document, clsDatabase& database, long count,
                                     const PrintJob& job) {
    try {
        std::unique_ptr<RecordCursor> records;
        if (document.DatabaseConnesso()) {
            long counted = 0;
            RecordSelection selection = RecordSelection::of(document.binding());
            records = database.source().openCounted(selection, counted);
        }
        Job trial(document, records.get());
        trial.textsOnly = true;
        HeadlessPressivoUi scratch;
        clsPressivo pressivo(scratch, clsPressivo::DrawingOnly{});
        pressivo.setScaleMode(pressivo::Millimetre);
        for (long i = 1; i <= count; ++i) {
            if (records && (i == 1 || trial.hasRecord))
                trial.hasRecord = records->next();
            trial.sequence = i;
            trial.drawLabel(pressivo, 1, 1, job);
            if (i % 256 == 0) { // the drawing itself is not needed
                scratch.surface().KillDoc();
                scratch.surface().StartDoc();
            }
        }
        return trial.cutTextsWarning();
    } catch (const DatabaseError&) {
        return std::nullopt;
    }
}

bool hasTexts(const LabelDocument& document) {
    return std::any_of(document.elements().begin(), document.elements().end(),
                       [](const auto& e) { return e->kind == ElementKind::Testo && e->Index > 0; });
}

void reportFailure(int number, const QString& description) {
    MessageService::current().warn(QStringLiteral("Errore non gestito. Codice: ") +
                                       QString::number(number) + u'\r' + description,
                                   version::mainWindowCaption());
}

} // namespace

PrintOutcome StampaEtichette(LabelDocument& document, clsDatabase& database, bool StampaDiretta,
                             const PrintHooks& hooks) {
    PrintProgress noProgress;
    PrintProgress& progress = hooks.progress ? *hooks.progress : noProgress;
    PressivoUi& ui = hooks.ui ? *hooks.ui : PressivoUi::current();
    const bool bound = document.DatabaseConnesso();

    std::unique_ptr<RecordCursor> records;
    long recordCount = 0;
    std::optional<Job> drawing;
    try {
        if (bound) {
            CollegamentoDatabase binding = document.binding();
            RecordSelection selection = RecordSelection::of(binding);
            records = database.source().openCounted(selection, recordCount);
            selection.storeBounds(binding);
            document.setBinding(binding); // the bounds as the criterion read them
        }
        drawing.emplace(document, records.get());
    } catch (const DatabaseError& error) {
        reportFailure(error.number, error.description);
        return PrintOutcome::Failed;
    }
    if (!drawing->unknownFields().isEmpty()) {
        MessageService::current().warn(drawing->unknownFields().join(u'\n'),
                                       version::mainWindowCaption());
        return PrintOutcome::Failed;
    }

    PrintJob job;
    if (StampaDiretta) {
        job.PrimaEtichetta = 1;
        job.StampaCrocicchi = false;
        job.StampaBordi = false;
        job.PremutoOk = true;
        job.StampaTutte = true;
    } else if (hooks.askJob) {
        hooks.askJob(job, bound);
    }
    if (!job.PremutoOk)
        return PrintOutcome::Cancelled;

    long count = !job.StampaTutte ? job.NumeroEtichette : bound ? recordCount : 1;
    const LayoutEtichetta sheet = sheet::pageLayout(document.paper(), document.layout());
    const std::optional<QSizeF> paper = sheet::paperSize(document.paper(), document.layout());
    if (paper && (paper->width() > sheet::LargestPaper || paper->height() > sheet::LargestPaper)) {
        MessageService::current().warn(
            QStringLiteral("La carta dell'etichetta misura %1 x %2 mm: più di %3 mm, troppo per "
                           "una stampa. Correggere \"Layout etichetta\".")
                .arg(std::ceil(paper->width()))
                .arg(std::ceil(paper->height()))
                .arg(sheet::LargestPaper),
            version::mainWindowCaption());
        return PrintOutcome::Failed;
    }
    const long positions = long(sheet.EtichetteOrizzontali) * sheet.EtichetteVerticali;
    if (job.Strict && job.PrimaEtichetta > positions) {
        MessageService::current().warn(
            QStringLiteral("La prima posizione richiesta (%1) è oltre le %2 etichette del foglio.")
                .arg(job.PrimaEtichetta)
                .arg(positions),
            version::mainWindowCaption());
        return PrintOutcome::Failed;
    }
    if (job.Strict && bound && !job.StampaTutte && count > recordCount) {
        // A label per record: past the last record there is nothing to put on a label.
        if (recordCount > 0)
            MessageService::current().message(
                QStringLiteral(
                    "Richieste %1 etichette, ma i record selezionati sono %2: si stampano "
                    "%2 etichette.")
                    .arg(count)
                    .arg(recordCount),
                version::mainWindowCaption(), MessageIcon::Information);
        count = recordCount;
    }
    if (count <= 0) {
        MessageService::current().warn(bound && job.StampaTutte
                                           ? QStringLiteral("Nessun record selezionato")
                                           : QStringLiteral("Nessuna etichetta da stampare"),
                                       version::mainWindowCaption());
        return PrintOutcome::NothingToPrint;
    }

    // In the window the user hears of cut texts before the job, and may stop it. The job's own
    // reading is let go meanwhile and started again: a connection serves one at a time.
    bool askedAboutCuts = false;
    if (!StampaDiretta && !job.Strict && hasTexts(document)) {
        drawing.reset();
        records.reset();
        CursoreAttesa();
        const std::optional<QString> cut = cutTextsAhead(document, database, count, job);
        CursoreNormale();
        try {
            if (bound) {
                long recounted = 0;
                RecordSelection selection = RecordSelection::of(document.binding());
                records = database.source().openCounted(selection, recounted);
            }
            drawing.emplace(document, records.get());
        } catch (const DatabaseError& error) {
            reportFailure(error.number, error.description);
            return PrintOutcome::Failed;
        }
        askedAboutCuts = cut.has_value();
        if (cut && !cut->isEmpty() &&
            MessageService::current().question(*cut + QStringLiteral("\rStampare comunque?"),
                                               version::mainWindowCaption(), QuestionButtons::YesNo,
                                               MessageIcon::Question) != Answer::Yes)
            return PrintOutcome::Cancelled;
    }

    clsPressivo pressivo(ui);
    if (pressivo.SelectPrintDestination({}, StampaDiretta) == 0)
        return PrintOutcome::Cancelled;
    // The label's own paper, or the printer's: never the paper of the job before.
    const std::optional<QSizeF> jobPaper =
        paper ? std::optional<QSizeF>(*paper * units::PaperTwipsPerMillimetre) : std::nullopt;
    pressivo.surface().setJobPaper(jobPaper);
    // Bars on a printer's own dots, counted from where its printable area starts; the preview
    // and files draw them to fill their box.
    const bool toPrinter = pressivo.PrintDestination() == 2;
    pressivo.setDotsPerInch(job.DotsPerInch > 0    ? job.DotsPerInch
                            : pressivo.writesZpl() ? zploutput::DefaultDotsPerInch
                            : toPrinter            ? pressivo.surface().printer().dotsPerInch()
                                                   : 0,
                            toPrinter ? pressivo.surface().printer().dotOrigin(jobPaper)
                                      : QPointF());
    if (const QString why = pageTooSmall(sheet, pressivo.surface()); !why.isEmpty()) {
        MessageService::current().warn(why, version::mainWindowCaption());
        return PrintOutcome::Failed;
    }
    pressivo.surface().setJobName(document.fileName().isEmpty()
                                      ? QStringLiteral("Marvello")
                                      : QFileInfo(document.fileName()).fileName());

    CursoreAttesa();
    pressivo.StartDoc();
    pressivo.setCurrentX(0);
    pressivo.setCurrentY(0);
    // Millimetres, and offsets in millimetres that every element is drawn shifted by. The first
    // pair only moves the current position (Courier New, never printed); the second stays:
    // the 4 mm to the right are part of where labels have always printed, and printers'
    // sheets were set up around it. setOffsetX also adds its value times the unit's twips to
    // the current position: kept, as the position is never printed from.
    pressivo.setScaleMode(pressivo::Millimetre);
    pressivo.setOffsetX(7);
    pressivo.setOffsetY(5);
    pressivo.setFontName(QStringLiteral("Courier New"));
    pressivo.setFontSize(10);
    // A label's own paper: exactly; and the printer's own offset.
    const QPointF offset = job.Offset.value_or(
        printersettings::offsetFor(pressivo.PrintDestination(), pressivo.surface().DeviceName()));
    pressivo.setOffsetX((paper ? 0.0 : sheet::PrintShiftX) + offset.x());
    pressivo.setOffsetY(offset.y());
    progress.begin();

    long position = 0;
    int column = 0, row = 1;
    bool earlyPreview = false;
    try {
        for (long i = 1; i <= count; ++i) {
            if (interruption::requested())
                throw DatabaseError(InterruptedJob,
                                    QStringLiteral("Stampa interrotta dal segnale %1: nessun file "
                                                   "scritto.")
                                        .arg(interruption::signalNumber()));
            const LayoutEtichetta layout = sheet::pageLayout(document.paper(), document.layout());
            do {
                ++position;
                ++column;
                if (column > layout.EtichetteOrizzontali) {
                    column = 1;
                    ++row;
                    if (row > layout.EtichetteVerticali) {
                        column = 1;
                        row = 1;
                        pressivo.NewPage();
                        pressivo.setCurrentX(0);
                        pressivo.setCurrentY(0);
                        pressivo.setScaleMode(pressivo::Millimetre);
                        pressivo.setFontName(QStringLiteral("Courier New"));
                        pressivo.setFontSize(10);
                    }
                }
            } while (position < job.PrimaEtichetta);
            // A long preview opens with its first page; the pages after it join it.
            if (!earlyPreview && pressivo.PrintDestination() == 1 &&
                pressivo.surface().PageCount() > 1 && ui.showPreviewEarly()) {
                earlyPreview = true;
                progress.end();
            }
            if (!earlyPreview)
                progress.label(int(i), int(count));
            if (earlyPreview ? !ui.previewDrawing(int(i), int(count)) : progress.cancelled()) {
                CursoreNormale();
                progress.end();
                pressivo.KillDoc();
                return PrintOutcome::Cancelled;
            }
            if (records && i == 1)
                drawing->hasRecord = records->next();
            // Every record counted must arrive: fewer means the data changed or the connection
            // failed on the way, and a job printed short is no job delivered.
            if (records && (job.StampaTutte || job.Strict) && !drawing->hasRecord)
                throw DatabaseError(DatabaseError::CannotOpen,
                                    QStringLiteral("Il database ha dato %1 record dei %2 "
                                                   "contati: la stampa si ferma.")
                                        .arg(i - 1)
                                        .arg(count));
            drawing->sequence = i;
            drawing->drawLabel(pressivo, column, row, job);
            // The record after the last label is read only to learn that there is none.
            if (records && drawing->hasRecord && (i < count || job.StampaTutte))
                drawing->hasRecord = records->next();
        }
        // More records than counted: the data changed while it was read, and the labels
        // printed are not those of the selection.
        if (records && job.StampaTutte && drawing->hasRecord)
            throw DatabaseError(DatabaseError::CannotOpen,
                                QStringLiteral("Il database ha dato più record dei %1 contati: i "
                                               "dati sono cambiati durante la stampa, che si "
                                               "ferma.")
                                    .arg(count));
    } catch (const DatabaseError& error) {
        CursoreNormale();
        progress.end();
        pressivo.KillDoc();
        reportFailure(error.number, error.description);
        return PrintOutcome::Failed;
    }
    CursoreNormale();
    progress.end();
    if (interruption::requested()) {
        pressivo.KillDoc();
        return PrintOutcome::Failed;
    }
    // A signal during EndDoc stops a PDF before it is put in place; a job CUPS has already
    // accepted is delivered, and saying otherwise would make a script print it twice.
    if (!pressivo.EndDoc())
        return PrintOutcome::Failed;
    if (const QString cut = drawing->cutTextsWarning(); !cut.isEmpty() && !askedAboutCuts)
        MessageService::current().message(cut, version::mainWindowCaption(),
                                          MessageIcon::Information);
    return drawing->leftOut() ? PrintOutcome::DeliveredIncomplete : PrintOutcome::Delivered;
}
