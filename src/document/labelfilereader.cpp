// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/labelfile.h"
#include "document/labelfilekeys.h"

#include "common/files.h"
#include "common/numbers.h"
#include "common/regionalsettings.h"
#include "common/units.h"
#include "common/windows1252.h"
#include "document/elementtype.h"
#include "document/labeldocument.h"
#include "document/picturecache.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <map>

namespace labelfile {
using namespace labelfile::keys;

namespace {

// Blanks are spaces and tabs: nothing else is trimmed off a line.
QStringView trimBlanks(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && (text[begin] == u' ' || text[begin] == u'\t'))
        ++begin;
    while (end > begin && (text[end - 1] == u' ' || text[end - 1] == u'\t'))
        --end;
    return text.mid(begin, end - begin);
}

struct Failure {
    int code;
    QString description;
};

[[noreturn]] void fail(int code, const QString& description) {
    throw Failure{code, description};
}

[[noreturn]] void typeMismatch(const QString& line) {
    fail(errors::TypeMismatch,
         QStringLiteral("Tipo non corrispondente: \"%1\" non è un numero.").arg(line));
}

[[noreturn]] void overflow(const QString& line) {
    fail(errors::Overflow, QStringLiteral("Overflow: il numero \"%1\" è troppo grande.").arg(line));
}

[[noreturn]] void invalidProperty(const char* property, const QString& line) {
    fail(errors::InvalidProperty, QStringLiteral("Valore di proprietà non valido: %1 = \"%2\".")
                                      .arg(QLatin1String(property), line));
}

// Splits into lines ending at CR (an LF after it is skipped) or at a lone LF.
class LineSource {
public:
    explicit LineSource(const QByteArray& bytes)
        : m_bytes(bytes) {}

    bool atEnd() const { return m_position >= m_bytes.size(); }

    QString next() {
        if (atEnd())
            fail(errors::InputPastEnd,
                 QStringLiteral("Input oltre la fine del file: il file finisce dentro una "
                                "sezione."));
        qsizetype end = m_position;
        while (end < m_bytes.size() && m_bytes[end] != '\r' && m_bytes[end] != '\n')
            ++end;
        QString line = windows1252::decode(m_bytes.mid(m_position, end - m_position));
        m_position = end;
        if (m_position < m_bytes.size() && m_bytes[m_position] == '\r')
            ++m_position;
        if (m_position < m_bytes.size() && m_bytes[m_position] == '\n')
            ++m_position;
        return line;
    }

private:
    const QByteArray& m_bytes;
    qsizetype m_position = 0;
};

double number(const QString& line) {
    const auto value = parseNumber(line);
    if (!value)
        typeMismatch(line);
    return *value;
}

float singleValue(double value, const QString& line) {
    if (std::fabs(value) > double(std::numeric_limits<float>::max()))
        overflow(line);
    return static_cast<float>(value);
}

qint16 integer16(float value, const QString& line) {
    const auto whole = numbers::toInt16(value);
    if (!whole)
        overflow(line);
    return *whole;
}

qint32 colour(const QString& line) {
    const auto value = numbers::toInt32(number(line));
    if (!value)
        overflow(line);
    return *value;
}

// The locale-free reading of a whole number: a 16-bit integer rounded half to even, else the
// leading number read with a full stop ("12pt" gives 12).
float wholeNumber(const QString& line) {
    if (const auto value = parseNumber(line)) {
        if (const auto whole = numbers::toInt16(*value))
            return *whole;
    }
    return static_cast<float>(numbers::leadingNumber(line));
}

bool isTrueWord(const QString& line) {
    const QStringView word = trimBlanks(line);
    return word == u"Vero" || word == u"True";
}

QString trimmed(const QString& line) {
    return trimBlanks(line).toString();
}

constexpr int MostDetails = 64;

class Reader {
public:
    Reader(const QByteArray& bytes, LabelDocument& document, const QString& baseFolder)
        : m_lines(bytes)
        , m_document(document)
        , m_baseFolder(baseFolder) {}

    void run() {
        m_document.setPaper({}); // a label without the section prints as labels always did
        bool anySection = false;
        while (!m_lines.atEnd()) {
            const QString key = m_lines.next();
            if (key == u"oggDatabase")
                anySection = true, readDatabase();
            else if (key == u"oggLayout")
                anySection = true, readLayout();
            else if (key == StackingKey)
                readStacking();
            else if (key == PaperKey)
                readPaper();
            else if (key == TurnKey)
                readTurn();
            else if (key == QuantityKey)
                readQuantityField();
            else if (key == DetailsKey)
                readDetails();
            else if (const auto kind = kindFromName(key))
                anySection = true, readElement(*kind);
        }
        // Every label this program writes has its database and layout sections: a file with no
        // section at all (a picture, a database) would print blank labels.
        if (!anySection)
            fail(errors::InvalidFileFormat,
                 QStringLiteral("Formato di file non valido: il file non contiene un'etichetta."));
    }

    // Within each depth pass elements cover each other in creation order, unless the label
    // says otherwise (StackingKey: the order the user gave them, which older programs skip).
    // Applied once at the end; an order that is not one of the label's elements is ignored.
    void applyStacking() {
        if (m_stacking.empty())
            return;
        const auto& elements = m_document.elements();
        if (m_stacking.size() != elements.size())
            return;
        std::vector<LabelElement*> order;
        std::vector<bool> seen(elements.size(), false);
        for (const int position : m_stacking) {
            if (position < 1 || std::size_t(position) > elements.size() ||
                seen[std::size_t(position - 1)])
                return;
            seen[std::size_t(position - 1)] = true;
            order.push_back(elements[std::size_t(position - 1)].get());
        }
        m_document.setStackingOrder(std::move(order));
    }

private:
    // The kind (1 named, 2 a size of its own, 3 a roll), the name, width and height in mm.
    // What this program cannot place on paper is left out: the label prints on the printer's.
    void readPaper() {
        LabelPaper paper;
        paper.turned = m_document.paper().turned;
        const double kind = parseNumber(m_lines.next()).value_or(0.0);
        paper.name = trimmed(m_lines.next());
        paper.width = parseNumber(m_lines.next()).value_or(0.0);
        paper.height = parseNumber(m_lines.next()).value_or(0.0);
        const auto sensible = [](double mm) { return mm > 0 && mm <= 5000; };
        if (kind == 1 && LabelPaper::namedPapers().contains(paper.name))
            paper.kind = LabelPaper::Kind::Named;
        else if (kind == 2 && sensible(paper.width) && sensible(paper.height))
            paper.kind = LabelPaper::Kind::Custom;
        else if (kind == 3)
            paper.kind = LabelPaper::Kind::Roll;
        else
            return;
        if (paper.kind != LabelPaper::Kind::Named)
            paper.name.clear();
        if (paper.kind != LabelPaper::Kind::Custom)
            paper.width = paper.height = 0;
        m_document.setPaper(paper);
    }

    // The quarter turns of the label on its page, in degrees: 90, or none.
    void readTurn() {
        LabelPaper paper = m_document.paper();
        paper.turned = parseNumber(m_lines.next()).value_or(0.0) == 90;
        m_document.setPaper(paper);
    }

    void readQuantityField() {
        CollegamentoDatabase binding = m_document.binding();
        binding.CampoQuantita = trimmed(m_lines.next());
        m_document.setBinding(binding);
    }

    void readStacking() {
        const QString countLine = m_lines.next();
        const double count = number(countLine);
        if (count < 0 || count > 4.0 * 32767)
            overflow(countLine);
        m_stacking.clear();
        for (int i = 0; i < int(count); ++i)
            m_stacking.push_back(int(number(m_lines.next())));
    }

    void readDatabase() {
        CollegamentoDatabase binding = m_document.binding();
        binding.CampoQuantita.clear(); // its own section, after this one, says it
        // Each value is stored as soon as it is read, so a cut section keeps what it had.
        auto store = [&] { m_document.setBinding(binding); };
        binding.NomeDatabase = trimmed(m_lines.next()), store();
        binding.PasswordDb = trimmed(m_lines.next()), store();
        binding.NomeTabella = trimmed(m_lines.next()), store();
        binding.NomeCampoSelezione = trimmed(m_lines.next()), store();
        const QString criterion = m_lines.next();
        binding.TipoCriterio = integer16(wholeNumber(criterion), criterion), store();
        binding.ValoreUgualeA = trimmed(m_lines.next()), store();
        binding.ValoreDa = trimmed(m_lines.next()), store();
        binding.ValoreA = trimmed(m_lines.next()), store();
        const QString flag = m_lines.next();
        // Files of this program say "True"; older ones may hold -1.
        binding.FlagRiservato = isTrueWord(flag) || numbers::leadingNumber(flag) != 0.0;
        store();
        binding.TestoRiservato = m_lines.next(), store();
    }

    void readLayout() {
        LayoutEtichetta layout = m_document.layout();
        for (int i = 0; i < LayoutEtichetta::ValueCount; ++i) {
            const QString line = m_lines.next();
            const double value = parseNumber(line).value_or(0.0);
            // The layout dialog takes no value beyond this; larger ones cannot be printed.
            if (std::fabs(value) > LargestLayoutValue)
                overflow(line);
            layout.value(i) = value;
        }
        m_document.setLayout(layout);
    }

    void readElement(ElementKind kind) {
        const QString x = m_lines.next();
        const QString y = m_lines.next();
        const QString w = m_lines.next();
        const QString h = m_lines.next();
        const float left = length(x, units::LabelOriginXTwips);
        const float top = length(y, units::LabelOriginYTwips);
        const float width = length(w);
        const float height = length(h);
        if (width < 0)
            invalidProperty("Width", w);
        if (height < 0)
            invalidProperty("Height", h);
        LabelElement* element = m_document.CreaOgg(kind, left, top, width, height);
        if (!element)
            fail(errors::Overflow,
                 QStringLiteral("Overflow: troppi elementi di tipo %1.").arg(kindName(kind)));
        ElementLines lines(*this);
        elementType(kind).read(lines, *element);
        m_last = element;
    }

    void readDetails() {
        const QString countLine = m_lines.next();
        const double count = number(countLine);
        if (count < 0 || count > MostDetails || count != std::floor(count))
            overflow(countLine);
        for (int i = 0; i < int(count); ++i) {
            const QString line = m_lines.next();
            const qsizetype equals = line.indexOf(u'=');
            if (!m_last || equals < 0)
                continue;
            const QString name = line.left(equals);
            const QStringView value = QStringView(line).mid(equals + 1);
            if (name == u"Rotazione") {
                const double degrees = parseNumber(value).value_or(0.0);
                if (degrees == 90 || degrees == 180 || degrees == 270)
                    m_last->Rotazione = qint16(degrees);
            } else {
                typeOf(*m_last).readDetail(*m_last, name, value);
            }
        }
    }

    // A position or size in twips; one beyond any sheet the layout can describe cannot be
    // printed (a PDF would be corrupt), so it is refused as too large.
    static float length(const QString& line, float origin = 0) {
        const double value = number(line);
        if (std::fabs(value) > LargestLengthTwips)
            overflow(line);
        return singleValue(value + origin, line);
    }

    Background backStyle() {
        const QString line = m_lines.next();
        const qint16 value = integer16(wholeNumber(line), line);
        if (value != qint16(Background::Transparent) && value != qint16(Background::Opaque))
            invalidProperty("BackStyle", line);
        return Background(value);
    }

    float lineWidth() {
        const QString line = m_lines.next();
        const double width = number(line);
        if (!std::isfinite(width))
            invalidProperty("SpessoreMm", line);
        return std::clamp(float(width), 0.1f, 5.0f);
    }

    LineStyle lineStyle() {
        const QString line = m_lines.next();
        const qint16 style = integer16(wholeNumber(line), line);
        if (style < qint16(LineStyle::Continua) || style > qint16(LineStyle::Punteggiata))
            invalidProperty("TipoLinea", line);
        return LineStyle(style);
    }

    TextAlignment alignment() {
        const QString line = m_lines.next();
        const qint16 align = integer16(wholeNumber(line), line);
        if (align < qint16(TextAlignment::Left) || align > qint16(TextAlignment::Centre))
            invalidProperty("Alignment", line);
        return TextAlignment(align);
    }

    QImage picture(const QString& asWritten) {
        const QString path = resolveReadablePath(asWritten, m_baseFolder);
        if (path.isEmpty())
            return {};
        PictureCache::Failure failure;
        const QImage* image = m_pictures.load(path, asWritten, &failure);
        if (!image)
            fail(failure.code, failure.description);
        return *image;
    }

    // The value lines as an element's kind reads them.
    class ElementLines final : public ElementLinesIn {
    public:
        explicit ElementLines(Reader& reader)
            : m_reader(reader) {}
        QString text() override { return m_reader.m_lines.next(); }
        QString trimmedText() override { return trimmed(m_reader.m_lines.next()); }
        double number() override { return labelfile::number(m_reader.m_lines.next()); }
        float wholeNumber() override { return labelfile::wholeNumber(m_reader.m_lines.next()); }
        bool boolean() override { return isTrueWord(m_reader.m_lines.next()); }
        qint32 colour() override { return labelfile::colour(m_reader.m_lines.next()); }
        Background backStyle() override { return m_reader.backStyle(); }
        TextAlignment alignment() override { return m_reader.alignment(); }
        float lineWidth() override { return m_reader.lineWidth(); }
        LineStyle lineStyle() override { return m_reader.lineStyle(); }
        void depth(const LabelElement& element) override { m_reader.readDepth(element); }
        QImage picture(const QString& asWritten) override { return m_reader.picture(asWritten); }

    private:
        Reader& m_reader;
    };

    void readDepth(const LabelElement& element) {
        const double flag = number(m_lines.next());
        if (flag == 1) {
            m_document.zOrder().SetZOrdine(element.key(), BroughtToFront);
        } else if (flag == 2) {
            m_document.zOrder().SetZOrdine(element.key(), SentToBack);
        }
    }

    LineSource m_lines;
    LabelDocument& m_document;
    QString m_baseFolder;
    std::vector<int> m_stacking; // file positions from 1, backmost first
    PictureCache m_pictures;
    LabelElement* m_last = nullptr; // the element details apply to
};

} // namespace

std::optional<ReadError> read(const QByteArray& bytes, LabelDocument& document,
                              const QString& baseFolder) {
    if (bytes.size() > MaximumFileSize)
        return ReadError{errors::OutOfMemory,
                         QStringLiteral("Memoria esaurita: il file è troppo grande per essere "
                                        "un file etichetta.")};
    Reader reader(bytes, document, baseFolder);
    try {
        reader.run();
    } catch (const Failure& failure) {
        reader.applyStacking();
        return ReadError{failure.code, failure.description};
    }
    reader.applyStacking();
    return std::nullopt;
}

} // namespace labelfile
