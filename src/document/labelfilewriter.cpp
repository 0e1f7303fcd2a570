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

class Writer {
public:
    explicit Writer(QChar decimalSeparator)
        : m_separator(decimalSeparator) {}

    void key(const QString& key) { m_text += key + QStringLiteral("\r\n"); }

    // `where` names the value for the message when it cannot be written.
    void text(const QString& value, const QString& where) {
        QString line = value;
        line.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        line.replace(u'\r', u' ');
        line.replace(u'\n', u' ');
        if (!m_problem) {
            if (const auto bad = windows1252::firstUnencodable(line))
                m_problem = WriteError{
                    QStringLiteral("Impossibile salvare l'etichetta: %1 contiene il carattere "
                                   "\"%2\" (U+%3), che un file etichetta non può contenere. "
                                   "Il file non è stato scritto.")
                        .arg(where, QString(*bad))
                        .arg(bad->unicode(), 4, 16, QChar(u'0'))};
        }
        m_text += line + QStringLiteral("\r\n");
    }

    void number(double value) {
        m_text += formatNumber(value, m_separator) + QStringLiteral("\r\n");
    }
    void number(float value) {
        m_text += formatNumber(value, m_separator) + QStringLiteral("\r\n");
    }
    void number(qint32 value) { number(double(value)); }
    void boolean(bool value) {
        m_text +=
            (value ? QStringLiteral("True") : QStringLiteral("False")) + QStringLiteral("\r\n");
    }

    std::variant<QByteArray, WriteError> result() const {
        if (m_problem)
            return *m_problem;
        const auto bytes = windows1252::encode(m_text);
        if (!bytes)
            return WriteError{QStringLiteral("Impossibile salvare l'etichetta: un testo contiene "
                                             "caratteri non ammessi.")};
        return *bytes;
    }

private:
    QChar m_separator;
    QString m_text;
    std::optional<WriteError> m_problem;
};

// The value named in words, inside the element as its user knows it.
QString inElement(const LabelElement& element, const char* property) {
    const QLatin1String name(property);
    const QString value = name == QLatin1String("FontName") ? QStringLiteral("il carattere")
                          : name == QLatin1String("DataMember")
                              ? QStringLiteral("il campo collegato")
                          : name == QLatin1String("Tag") ? QStringLiteral("i parametri")
                                                         : QStringLiteral("il contenuto");
    return QStringLiteral("%1 (%2)").arg(typeOf(element).describe(element), value);
}

// The value lines of one element, as its kind writes them.
class ElementLines final : public ElementLinesOut {
public:
    ElementLines(Writer& out, const LabelElement& element, qint32 depth)
        : m_out(out)
        , m_element(element)
        , m_depth(depth) {}
    void text(const QString& value, const char* property) override {
        m_out.text(value, inElement(m_element, property));
    }
    void number(double value) override { m_out.number(value); }
    void number(float value) override { m_out.number(value); }
    void number(qint32 value) override { m_out.number(value); }
    void boolean(bool value) override { m_out.boolean(value); }
    void depth() override { m_out.number(m_depth); }

private:
    Writer& m_out;
    const LabelElement& m_element;
    qint32 m_depth;
};

QString inBinding(const char* property) {
    return QStringLiteral("il valore %1 del collegamento al database").arg(QLatin1String(property));
}

} // namespace

std::variant<QByteArray, WriteError> write(const LabelDocument& document) {
    Writer out(RegionalSettings::decimalSeparator());

    const CollegamentoDatabase& binding = document.binding();
    out.key(QStringLiteral("oggDatabase"));
    out.text(binding.NomeDatabase, inBinding("NomeDatabase"));
    out.text(binding.PasswordDb, inBinding("PasswordDb"));
    out.text(binding.NomeTabella, inBinding("NomeTabella"));
    out.text(binding.NomeCampoSelezione, inBinding("NomeCampoSelezione"));
    out.number(qint32(binding.TipoCriterio));
    out.text(binding.ValoreUgualeA, inBinding("ValoreUgualeA"));
    out.text(binding.ValoreDa, inBinding("ValoreDa"));
    out.text(binding.ValoreA, inBinding("ValoreA"));
    out.boolean(binding.FlagRiservato);
    out.text(binding.TestoRiservato, inBinding("TestoRiservato"));

    out.key(QStringLiteral("oggLayout"));
    for (int i = 0; i < LayoutEtichetta::ValueCount; ++i)
        out.number(document.layout().value(i));

    for (const auto& owned : document.elements()) {
        const LabelElement& e = *owned;
        const qint32 depth = document.zOrder().GetZOrdine(e.key());
        out.key(e.Name());
        out.number(e.Left - units::LabelOriginXTwips);
        out.number(e.Top - units::LabelOriginYTwips);
        out.number(e.Width);
        out.number(e.Height);
        ElementLines lines(out, e, depth);
        typeOf(e).write(lines, e);
        ElementDetails details;
        if (e.Rotazione != 0)
            details.append({QStringLiteral("Rotazione"), QString::number(e.Rotazione)});
        typeOf(e).writeDetails(e, details);
        if (!details.isEmpty()) {
            out.key(DetailsKey);
            out.number(qint32(details.size()));
            for (const auto& [name, value] : details)
                out.text(name + u'=' + value, QStringLiteral("i dettagli"));
        }
    }
    // The order the user stacked the elements in, when it is not their creation order.
    std::map<const LabelElement*, qint32> position;
    for (const auto& owned : document.elements())
        position.emplace(owned.get(), qint32(position.size() + 1));
    std::vector<qint32> stacking;
    for (const LabelElement* element : document.stackingOrder())
        stacking.push_back(position.at(element));
    if (!std::is_sorted(stacking.begin(), stacking.end())) {
        out.key(StackingKey);
        out.number(qint32(stacking.size()));
        for (const qint32 at : stacking)
            out.number(at);
    }
    if (const LabelPaper& paper = document.paper(); paper.names()) {
        out.key(PaperKey);
        out.number(qint32(paper.kind));
        out.text(paper.name, QStringLiteral("la carta"));
        out.number(paper.width);
        out.number(paper.height);
    }
    if (document.paper().turned) {
        out.key(TurnKey);
        out.number(qint32(90));
    }
    if (const QString& field = document.binding().CampoQuantita; !field.isEmpty()) {
        out.key(QuantityKey);
        out.text(field, QStringLiteral("il campo della quantità"));
    }
    return out.result();
}

} // namespace labelfile
