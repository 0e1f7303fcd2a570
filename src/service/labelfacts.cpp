// SPDX-License-Identifier: GPL-3.0-or-later
#include "service/labelfacts.h"

#include "document/labeldocument.h"
#include "document/labelfile.h"
#include "printing/labeldrawing.h"
#include "service/jobrequest.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <map>
#include <mutex>

namespace {

// The labels whose facts are kept; a folder of more is read again as it is used.
constexpr std::size_t MostKnown = 1000;

} // namespace

std::optional<LabelFacts> LabelFacts::of(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return std::nullopt;
    }
    const QByteArray bytes = file.read(labelfile::MaximumFileSize + 1);
    if (bytes.size() > labelfile::MaximumFileSize) {
        *error = QStringLiteral("file troppo grande per un'etichetta.");
        return std::nullopt;
    }
    LabelDocument document;
    if (const auto problem = labelfile::read(bytes, document, QFileInfo(path).absolutePath())) {
        *error = QStringLiteral("errore %1: %2").arg(problem->code).arg(problem->description);
        return std::nullopt;
    }
    return LabelFacts{fieldsOf(document), questionsOf(document),
                      !document.binding().NomeDatabase.isEmpty()};
}

std::optional<LabelFacts> LabelFacts::cached(const QString& path, QString* error) {
    struct Known {
        qint64 size;
        QDateTime modified;
        LabelFacts facts;
    };
    static std::mutex lock;
    static std::map<QString, Known> known;
    const QFileInfo file(path);
    {
        const std::lock_guard guard(lock);
        const auto it = known.find(path);
        if (it != known.end() && it->second.size == file.size() &&
            it->second.modified == file.lastModified())
            return it->second.facts;
    }
    auto facts = of(path, error);
    if (facts) {
        const std::lock_guard guard(lock);
        if (known.size() >= MostKnown)
            known.clear();
        known[path] = Known{file.size(), file.lastModified(), *facts};
    }
    return facts;
}

QString LabelFacts::mismatch(const JobRequest& request) const {
    if (request.records) {
        const auto& given = request.records->fields;
        for (const FieldInfo& field : given)
            if (!fields.contains(field.name, Qt::CaseInsensitive))
                return QStringLiteral("Campo sconosciuto per l'etichetta: \"%1\" (campi: %2).")
                    .arg(field.name, fields.join(QStringLiteral(", ")));
        for (const QString& name : fields)
            if (request.records->fieldIndex(name) < 0)
                return QStringLiteral("Nei record manca il campo \"%1\".").arg(name);
    }
    for (const QString& question : questions) {
        const auto answered = std::any_of(
            request.answers.keyBegin(), request.answers.keyEnd(),
            [&](const QString& name) { return name.compare(question, Qt::CaseInsensitive) == 0; });
        if (!answered)
            return QStringLiteral("L'etichetta chiede \"%1\": la risposta va in \"set\".")
                .arg(question);
    }
    for (auto it = request.answers.keyBegin(); it != request.answers.keyEnd(); ++it)
        if (!questions.contains(*it, Qt::CaseInsensitive))
            return QStringLiteral("L'etichetta non chiede \"%1\".").arg(*it);
    return {};
}
