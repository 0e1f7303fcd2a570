// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/sheetcatalogue.h"

#include "printing/sheetgeometry.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonObject>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <optional>
#include <set>

namespace sheetcatalogue {

namespace {

constexpr double MillimetresPerPoint = 25.4 / 72;
const QString Roll = QStringLiteral("Rotolo");
const QString Turned = QStringLiteral("ruotata");

// A gLabels length: a number and its unit, points when it has none.
std::optional<double> millimetres(QStringView text) {
    static const QRegularExpression length(
        QStringLiteral(R"(^\s*([-+]?[0-9]*\.?[0-9]+)\s*(pt|in|mm|cm|pc)?\s*$)"));
    const auto match = length.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const double value = match.captured(1).toDouble();
    const QString unit = match.captured(2);
    if (unit == u"in")
        return value * 25.4;
    if (unit == u"mm")
        return value;
    if (unit == u"cm")
        return value * 10;
    if (unit == u"pc")
        return value * 12 * MillimetresPerPoint;
    return value * MillimetresPerPoint;
}

// Papers beyond those a label can name, by the names sheets give them (millimetres).
struct KnownPaper {
    const char* name;
    double width, height;
};
constexpr KnownPaper OtherPapers[] = {
    {"A3", 297, 420}, {"A6", 105, 148}, {"SRA3", 320, 450}, {"B5", 176, 250}};

QString paperName(const QString& size, const QXmlStreamAttributes& attributes) {
    if (size == u"A4" || size == u"A5")
        return size;
    if (size == u"US-Letter")
        return QStringLiteral("Letter");
    if (size == u"US-Legal")
        return QStringLiteral("Legal");
    if (size.compare(u"roll", Qt::CaseInsensitive) == 0)
        return Roll;
    const auto width = millimetres(attributes.value(QLatin1String("width")));
    const auto height = millimetres(attributes.value(QLatin1String("height")));
    if (width && height)
        return QStringLiteral("%1 x %2 mm").arg(*width, 0, 'f', 1).arg(*height, 0, 'f', 1);
    return size;
}

// The text searched: all a user may type to find the sheet, with one decimal mark.
QString haystack(const SheetTemplate& sheet) {
    const auto number = [](double v) { return QString::number(v, 'g', 6); };
    return QStringLiteral("%1 %2 %3 %4 %5x%6")
        .arg(sheet.maker, sheet.code, sheet.description, sheet.paper,
             number(sheet.layout.LarghezzaEtichetta), number(sheet.layout.AltezzaEtichetta))
        .toLower()
        .replace(u',', u'.');
}

} // namespace

std::vector<SheetTemplate> readTable(const QByteArray& text) {
    std::vector<SheetTemplate> sheets;
    QStringList header;
    for (const QString& line : QString::fromUtf8(text).split(u'\n')) {
        if (line.trimmed().isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList cells = line.trimmed().split(u'\t');
        if (header.isEmpty()) {
            header = cells;
            continue;
        }
        const auto cell = [&](const char* name) {
            const qsizetype at = header.indexOf(QLatin1String(name));
            return at >= 0 && at < cells.size() ? cells[at] : QString();
        };
        SheetTemplate sheet{
            cell("Produttore"), cell("Codice"), cell("Descrizione"), cell("Carta"), {}};
        sheet.layout.OrigineX =
            -::sheet::PrintShiftX; // so that labels land where the maker put them
        sheet.layout.OrigineY = 0;
        for (int i = 0; i < LayoutEtichetta::ValueCount - 2; ++i)
            sheet.layout.value(i) = cell(LayoutEtichetta::name(i)).toDouble();
        if (!sheet.code.isEmpty() && sheet.layout.LarghezzaEtichetta > 0)
            sheets.push_back(sheet);
    }
    return sheets;
}

std::vector<SheetTemplate> readGlabels(const QByteArray& xml,
                                       const std::vector<SheetTemplate>& known) {
    std::vector<SheetTemplate> sheets;
    struct Equivalent {
        SheetTemplate sheet;
        QString of;
    };
    std::vector<Equivalent> equivalents;
    QXmlStreamReader reader(xml);
    std::optional<SheetTemplate> current;
    QString equiv;
    int layouts = 0;
    bool rectangle = false;
    std::optional<std::pair<double, double>> labelSize;
    while (!reader.atEnd()) {
        reader.readNext();
        const QXmlStreamAttributes a = reader.attributes();
        if (reader.isStartElement() && reader.name() == u"Template") {
            current = SheetTemplate{a.value(QLatin1String("brand")).toString(),
                                    a.value(QLatin1String("part")).toString(),
                                    a.hasAttribute(QLatin1String("_description"))
                                        ? a.value(QLatin1String("_description")).toString()
                                        : a.value(QLatin1String("description")).toString(),
                                    paperName(a.value(QLatin1String("size")).toString(), a),
                                    {}};
            current->layout.OrigineX = -::sheet::PrintShiftX;
            current->layout.OrigineY = 0;
            equiv = a.value(QLatin1String("equiv")).toString();
            layouts = 0;
            rectangle = false;
            labelSize.reset();
        } else if (current && reader.isStartElement() && reader.name().startsWith(u"Label-")) {
            rectangle = reader.name() == u"Label-rectangle";
            const auto w = millimetres(a.value(QLatin1String("width"))),
                       h = millimetres(a.value(QLatin1String("height")));
            if (rectangle && w && h)
                labelSize = std::pair{*w, *h};
        } else if (current && reader.isStartElement() && reader.name() == u"Layout") {
            ++layouts;
            const auto firstX = millimetres(a.value(QLatin1String("x0")));
            const auto firstY = millimetres(a.value(QLatin1String("y0")));
            const auto dx = millimetres(a.value(QLatin1String("dx")));
            const auto dy = millimetres(a.value(QLatin1String("dy")));
            LayoutEtichetta& l = current->layout;
            l.EtichetteOrizzontali = a.value(QLatin1String("nx")).toInt();
            l.EtichetteVerticali = a.value(QLatin1String("ny")).toInt();
            if (labelSize && firstX && firstY) {
                l.MargineSinistro = *firstX;
                l.MargineSuperiore = *firstY;
                l.LarghezzaEtichetta = labelSize->first;
                l.AltezzaEtichetta = labelSize->second;
                l.SpazioOrizzontale = l.EtichetteOrizzontali > 1 && dx ? *dx - labelSize->first : 0;
                l.SpazioVerticale = l.EtichetteVerticali > 1 && dy ? *dy - labelSize->second : 0;
            }
        } else if (current && reader.isEndElement() && reader.name() == u"Template") {
            if (!equiv.isEmpty())
                equivalents.push_back({*current, equiv});
            else if (rectangle && labelSize && layouts == 1 &&
                     current->layout.EtichetteOrizzontali > 0 &&
                     current->layout.EtichetteVerticali > 0)
                sheets.push_back(*current);
            current.reset();
        }
    }
    if (reader.hasError())
        return {}; // a damaged file offers nothing rather than half of itself
    for (const Equivalent& e : equivalents) {
        for (const std::vector<SheetTemplate>* list : {&std::as_const(sheets), &known}) {
            const auto same = std::find_if(list->begin(), list->end(), [&](const SheetTemplate& s) {
                return s.maker == e.sheet.maker && s.code == e.of;
            });
            if (same == list->end())
                continue;
            SheetTemplate sheet = *same;
            sheet.code = e.sheet.code;
            if (!e.sheet.description.isEmpty())
                sheet.description = e.sheet.description;
            sheets.push_back(sheet);
            break;
        }
    }
    return sheets;
}

LabelPaper paperOf(const SheetTemplate& sheet) {
    LabelPaper paper;
    if (LabelPaper::namedPapers().contains(sheet.paper)) {
        paper = {LabelPaper::Kind::Named, sheet.paper};
    } else if (sheet.paper.startsWith(Roll)) {
        paper.kind = LabelPaper::Kind::Roll;
        paper.turned = sheet.paper.contains(Turned);
    } else if (const QStringList size =
                   QString(sheet.paper).remove(QStringLiteral(" mm")).split(QStringLiteral(" x "));
               size.size() == 2 && size[0].toDouble() > 0 && size[1].toDouble() > 0) {
        paper = {LabelPaper::Kind::Custom, {}, size[0].toDouble(), size[1].toDouble()};
    } else {
        for (const KnownPaper& known : OtherPapers) {
            if (sheet.paper == QLatin1String(known.name))
                paper = {LabelPaper::Kind::Custom, {}, known.width, known.height};
        }
    }
    return paper;
}

QString glabelsFolder() {
    const QString chosen = qEnvironmentVariable("MARVELLO_GLABELS_TEMPLATES");
    return chosen.isEmpty() ? QStringLiteral("/usr/share/libglabels-3.0/templates") : chosen;
}

std::vector<SheetTemplate> all() {
    std::vector<SheetTemplate> sheets;
    for (const QString& path : {QDir(QCoreApplication::applicationDirPath())
                                    .filePath(QStringLiteral("../share/marvello/sheets.tsv")),
                                QStringLiteral(MARVELLO_DATA_DIR "/sheets.tsv"),
                                QStringLiteral(MARVELLO_SOURCE_DATA_DIR "/sheets.tsv")}) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) {
            sheets = readTable(file.read(4 * 1024 * 1024));
            break;
        }
    }
    std::set<std::pair<QString, QString>> listed;
    for (const SheetTemplate& sheet : sheets)
        listed.insert({sheet.maker.toLower(), sheet.code.toLower()});
    std::vector<SheetTemplate> theirs;
    QDirIterator files(glabelsFolder(), {QStringLiteral("*-templates.xml")}, QDir::Files);
    std::vector<QByteArray> contents;
    while (files.hasNext()) {
        QFile file(files.next());
        if (file.open(QIODevice::ReadOnly) && file.size() < 16 * 1024 * 1024)
            contents.push_back(file.readAll());
    }
    // Equivalents may name a template of another file: a second pass sees them all.
    for (int pass = 0; pass < 2; ++pass) {
        std::vector<SheetTemplate> found;
        for (const QByteArray& xml : contents) {
            const auto read = readGlabels(xml, theirs);
            found.insert(found.end(), read.begin(), read.end());
        }
        theirs = std::move(found);
    }
    for (const SheetTemplate& sheet : theirs) {
        if (listed.insert({sheet.maker.toLower(), sheet.code.toLower()}).second)
            sheets.push_back(sheet);
    }
    return sheets;
}

std::vector<SheetTemplate> search(const std::vector<SheetTemplate>& sheets, const QString& text) {
    // "63,5 x 38,1" is the size 63.5x38.1: one decimal mark, no blanks around the x.
    QString wanted = text.toLower().replace(u',', u'.');
    wanted.replace(QRegularExpression(QStringLiteral(R"(\s*x\s*(?=[0-9]))")), QStringLiteral("x"));
    const QStringList words = wanted.split(u' ', Qt::SkipEmptyParts);
    std::vector<SheetTemplate> found;
    for (const SheetTemplate& sheet : sheets) {
        const QString hay = haystack(sheet);
        if (std::all_of(words.begin(), words.end(),
                        [&](const QString& word) { return hay.contains(word); }))
            found.push_back(sheet);
    }
    return found;
}

QJsonArray toJson(const std::vector<SheetTemplate>& sheets) {
    QJsonArray array;
    for (const SheetTemplate& sheet : sheets) {
        QJsonObject object{{"maker", sheet.maker},
                           {"code", sheet.code},
                           {"description", sheet.description},
                           {"paper", sheet.paper}};
        for (int i = 0; i < LayoutEtichetta::ValueCount; ++i)
            object.insert(QLatin1String(LayoutEtichetta::name(i)), sheet.layout.value(i));
        array.append(object);
    }
    return array;
}

} // namespace sheetcatalogue
