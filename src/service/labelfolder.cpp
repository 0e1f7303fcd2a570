// SPDX-License-Identifier: GPL-3.0-or-later
#include "service/labelfolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace {

// Labels further down than this are not looked for: a listing is not a walk of the disk.
constexpr int DeepestFolder = 4;
constexpr int MostLabels = 5000;

} // namespace

LabelFolder::LabelFolder(const QString& path)
    : m_canonical(QFileInfo(path).canonicalFilePath()) {}

std::optional<QString> LabelFolder::resolve(const QString& name, const QStringList& suffixes,
                                            QString* why) const {
    const auto refuse = [&](const QString& reason) -> std::optional<QString> {
        *why = reason;
        return std::nullopt;
    };
    if (name.isEmpty() || name.size() > 255)
        return refuse(QStringLiteral("nome di file non valido."));
    if (name.startsWith(u'/') || name.contains(u'\\') || name.contains(QChar(0)))
        return refuse(QStringLiteral("il nome deve essere relativo alla cartella delle "
                                     "etichette."));
    if (name.split(u'/').contains(QStringLiteral("..")))
        return refuse(QStringLiteral("\"..\" non è ammesso nel nome."));
    if (!suffixes.contains(QFileInfo(name).suffix(), Qt::CaseInsensitive))
        return refuse(QStringLiteral("il file deve finire in .%1.").arg(suffixes.join(u"/.")));
    if (m_canonical.isEmpty())
        return refuse(QStringLiteral("la cartella delle etichette non c'è."));
    // Links are followed to where they lead, and that must still be inside the folder.
    const QFileInfo file(QDir(m_canonical).filePath(name));
    const QString real = file.canonicalFilePath();
    if (real.isEmpty() || !QFileInfo(real).isFile())
        return refuse(QStringLiteral("non esiste."));
    if (!real.startsWith(m_canonical + u'/'))
        return refuse(QStringLiteral("è fuori dalla cartella delle etichette."));
    return real;
}

std::optional<QString> LabelFolder::label(const QString& name, QString* why) const {
    return resolve(name, {QStringLiteral("eti")}, why);
}

std::optional<QString> LabelFolder::dataFile(const QString& name, QString* why) const {
    return resolve(name,
                   {QStringLiteral("mdb"), QStringLiteral("accdb"), QStringLiteral("csv"),
                    QStringLiteral("txt"), QStringLiteral("xlsx"), QStringLiteral("ods"),
                    QStringLiteral("sqlite"), QStringLiteral("db")},
                   why);
}

QStringList LabelFolder::labels() const {
    QStringList names;
    if (m_canonical.isEmpty())
        return names;
    const QDir folder(m_canonical);
    QDirIterator files(m_canonical, {QStringLiteral("*.eti"), QStringLiteral("*.ETI")}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext() && names.size() < MostLabels) {
        const QString relative = folder.relativeFilePath(files.next());
        QString ignored;
        if (relative.count(u'/') < DeepestFolder && label(relative, &ignored))
            names << relative;
    }
    names.sort();
    return names;
}
