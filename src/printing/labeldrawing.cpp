// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/labeldrawing.h"
#include "common/programerror.h"
#include "printing/fieldtext.h"
#include "printing/labelplace.h"

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
#include "document/elementtype.h"
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

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

namespace {} // namespace

LabelDrawing::LabelDrawing(LabelDocument& document, const RecordCursor* records)
    : m_document(document)
    , m_records(records)
    , m_labelFolder(document.fileName().isEmpty() ? QString()
                                                  : QFileInfo(document.fileName()).absolutePath())
    , m_now(printingNow()) {
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

void LabelDrawing::drawLabel(clsPressivo& pressivo, int c, int r, const PrintJob& job) {
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

void LabelDrawing::drawUpright(clsPressivo& pressivo, const LayoutEtichetta& layout, int c, int r,
                               const PrintJob& job) {
    const double w = m_document.layout().LarghezzaEtichetta;
    const double h = m_document.layout().AltezzaEtichetta;
    if (textsOnly) {
        for (const LabelElement* element : m_drawOrder)
            if (typeOf(*element).value() == ValueKind::Text)
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

QStringList questionsOf(const LabelDocument& document) {
    QStringList names;
    for (const auto& element : document.elements()) {
        const ValueKind value = typeOf(*element).value();
        if (element->Index <= 0 || !element->DataMember.isEmpty() ||
            (value != ValueKind::Text && value != ValueKind::Symbol))
            continue;
        for (const QString& name : TextTemplate(typeOf(*element).ownValue(*element)).questions())
            if (!names.contains(name, Qt::CaseInsensitive))
                names << name;
    }
    return names;
}

QStringList fieldsOf(const LabelDocument& document) {
    QStringList names;
    const auto add = [&](const QString& name) {
        if (!name.trimmed().isEmpty() && !names.contains(name, Qt::CaseInsensitive))
            names << name;
    };
    for (const auto& element : document.elements()) {
        const ValueKind value = typeOf(*element).value();
        if (element->Index <= 0)
            continue;
        if (!element->DataMember.isEmpty())
            add(element->DataMember);
        else if (value == ValueKind::Text || value == ValueKind::Symbol)
            for (const QString& name :
                 TextTemplate(typeOf(*element).ownValue(*element)).bind(nullptr))
                add(name);
    }
    add(document.binding().CampoQuantita.trimmed());
    return names;
}

bool LabelDrawing::usesSerials() const {
    return std::any_of(m_sources.begin(), m_sources.end(), [](const auto& entry) {
        return entry.second.text && entry.second.text->usesSerials();
    });
}

void LabelDrawing::setAnswers(const QMap<QString, QString>& answers) {
    for (auto& [element, source] : m_sources)
        if (source.text)
            source.text->answer(answers);
}

void LabelDrawing::prepare(const LabelElement& e) {
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
    } else if (const ValueKind value = typeOf(e).value();
               value == ValueKind::Text || value == ValueKind::Symbol) {
        const QString written = typeOf(e).ownValue(e);
        TextTemplate text(written);
        if (text.hasPlaceholders()) {
            // The element as the user knows it: by what is written in it.
            const QString element =
                (value == ValueKind::Text ? QStringLiteral("dal testo \"%1\"")
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

QString LabelDrawing::fieldValue(std::size_t index) const {
    return fieldText(typedFieldValue(index));
}

QVariant LabelDrawing::typedFieldValue(std::size_t index) const {
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
    return ValoreCampo(value, field.type, QString());
}

QString LabelDrawing::valueOf(const LabelElement& element, const QString& own) const {
    const Source& source = m_sources.at(&element);
    if (!element.DataMember.isEmpty())
        return source.field >= 0 ? fieldValue(std::size_t(source.field)) : QString();
    if (source.text) {
        LabelNumbers label = numbers.value_or(LabelNumbers(sequence, sequence));
        label.serial = serialStart + sequence - 1;
        std::optional<QString> text = source.text->expand(
            label, m_now, [this](std::size_t index) { return typedFieldValue(index); }, fieldText,
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

void LabelDrawing::drawElement(clsPressivo& pressivo, const LabelElement& e,
                               const LayoutEtichetta& layout, int c, int r) {
    const ElementType& type = typeOf(e);
    ElementContent content;
    switch (type.value()) {
    case ValueKind::None:
        break;
    case ValueKind::Text:
        content.text = valueOf(e, type.ownValue(e));
        break;
    case ValueKind::Symbol:
        content.text = valueOf(e, type.ownValue(e));
        checkBarcode(e, content.text);
        break;
    case ValueKind::Picture: {
        const QString named = valueOf(e, type.ownValue(e));
        if (e.DataMember.isEmpty() && !e.Picture.isNull())
            content.picture = &e.Picture;
        else if (const QString path = resolveReadablePath(named, m_labelFolder); !path.isEmpty())
            content.picture = &picture(e, path);
        else if (!named.trimmed().isEmpty())
            reportMissingPicture(e, named);
        break;
    }
    }
    const int cutBefore = pressivo.surface().cutTexts();
    if (const QString why = ::drawElement(e, content, elementBoxOnPage(layout, c, r, e), pressivo);
        !why.isEmpty())
        reportUnencodable(e, content.text, why);
    if (pressivo.surface().cutTexts() > cutBefore)
        noteCutText(content.text);
}

void LabelDrawing::noteCutText(const QString& text) {
    if (m_cutLabels == 0)
        m_firstCut = QStringLiteral("il testo \"%1\" dell'etichetta %2")
                         .arg(text.left(60).replace(u'\n', u' '))
                         .arg(sequence);
    if (m_lastCutLabel != sequence)
        ++m_cutLabels;
    m_lastCutLabel = sequence;
}

void LabelDrawing::reportUnencodable(const LabelElement& e, const QString& value,
                                     const QString& why) {
    m_leftOut = true;
    if (!m_reported.insert(e.key()).second)
        return;
    const auto kind = BarcodeParameters::fromTag(e.Tag, e.OpzioniBarcode).symbology();
    MessageService::current().warn(
        QStringLiteral("Il codice a barre %1 (%2) non può rappresentare \"%3\": %4")
            .arg(e.key(), kind ? barcode::symbologyName(*kind) : QString(), value.left(80), why),
        QStringLiteral("Codice a barre"));
}

void LabelDrawing::checkBarcode(const LabelElement& e, const QString& value) const {
    const auto symbology = BarcodeParameters::fromTag(e.Tag, e.OpzioniBarcode).symbology();
    if (!symbology)
        return;
    if (const QString problem = barcodecheck::problem(*symbology, value); !problem.isEmpty())
        throw PrintError(PrintError::InvalidValue,
                         QStringLiteral("Il codice a barre %1 \"%2\" dell'etichetta %3 "
                                        "non è valido: %4. La stampa si ferma.")
                             .arg(barcode::symbologyName(*symbology), value.left(80))
                             .arg(sequence)
                             .arg(problem));
}

void LabelDrawing::reportMissingPicture(const LabelElement& e, const QString& named) {
    m_leftOut = true;
    if (!m_reported.insert(e.key()).second)
        return;
    MessageService::current().warn(
        QStringLiteral("Immagine non trovata: \"%1\" non esiste o non è un file leggibile; "
                       "le etichette sono stampate senza.")
            .arg(named.left(200)),
        QStringLiteral("Immagine"));
}

const QImage& LabelDrawing::picture(const LabelElement& element, const QString& path) {
    if (element.DataMember.isEmpty() && !element.Picture.isNull())
        return element.Picture;
    PictureCache::Failure failure;
    const QImage* image = m_pictures.load(path, path, &failure);
    if (!image)
        throw PictureError(failure.code, failure.description);
    return *image;
}

QString LabelDrawing::cutTextsWarning() const {
    if (m_cutLabels == 0)
        return {};
    return QStringLiteral("Etichette con testi tagliati, che non entrano nel loro riquadro: %1 "
                          "(la prima: %2).")
        .arg(m_cutLabels)
        .arg(m_firstCut);
}
