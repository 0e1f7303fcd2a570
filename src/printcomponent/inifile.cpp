// SPDX-License-Identifier: GPL-3.0-or-later
#include "printcomponent/inifile.h"

#include "common/files.h"
#include "common/windows1252.h"

#include <QFile>
#include <QFileInfo>

#include <QStringList>
#include <unistd.h>

#include <cstdio>

namespace {

QString withEquals(const QString& key) {
    return key.endsWith(u'=') ? key : key + u'=';
}

QStringList readLines(const QString& file) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return {};
    QString text = windows1252::decode(in.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

// The line holds the key: its first characters, as many as the key has, equal the key with
// blanks at the ends of both removed and letter case ignored.
bool holdsKey(const QString& line, const QString& key) {
    return line.left(key.size()).trimmed().compare(key.trimmed(), Qt::CaseInsensitive) == 0;
}

bool writeLines(const QString& file, const QStringList& lines) {
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    const QByteArray bytes = windows1252::encode(text).value_or(text.toUtf8());
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const bool written = out.write(bytes) == bytes.size() && out.flush() &&
                         ::fsync(out.handle()) == 0; // on disk before it replaces the old file
    out.close();
    return written && out.error() == QFileDevice::NoError;
}

// The temporary file a rewrite goes through: the extension replaced by "~tm".
QString temporaryIniFile(const QString& file) {
    const qsizetype dot = file.lastIndexOf(u'.');
    const qsizetype slash = std::max(file.lastIndexOf(u'/'), file.lastIndexOf(u'\\'));
    return dot > slash ? file.left(dot + 1) + QStringLiteral("~tm") : file + QStringLiteral("~tm");
}

} // namespace

QString GetKeyIni(const QString& file, const QString& key) {
    if (file.isEmpty() || key.isEmpty())
        return {};
    const QString wanted = withEquals(key);
    if (!FileEsiste(file))
        return {};
    QString value;
    for (const QString& line : readLines(file)) {
        if (holdsKey(line, wanted))
            value = line.mid(wanted.size()).trimmed();
    }
    return value;
}

bool SetKeyIni(const QString& file, const QString& key, const QString& value) {
    if (file.isEmpty() || key.isEmpty())
        return false;
    const QString wanted = withEquals(key);
    if (!FileEsiste(file))
        return writeLines(file, {wanted + value});

    QStringList lines = readLines(file);
    bool found = false;
    for (QString& line : lines) {
        if (holdsKey(line, wanted)) {
            line = line.left(wanted.size()) + value;
            found = true;
        }
    }
    if (!found)
        lines.append(wanted + value);
    const QString temporary = temporaryIniFile(file);
    QFile::remove(temporary); // a leftover (or a link someone placed) is not written through
    if (!writeLines(temporary, lines)) {
        QFile::remove(temporary);
        return false;
    }
    // The new file keeps who may read the old one.
    QFile::setPermissions(temporary, QFile::permissions(file));
    // Replace in one step: the settings are never missing, even if the program stops here.
    if (std::rename(QFile::encodeName(temporary).constData(),
                    QFile::encodeName(file).constData()) != 0) {
        QFile::remove(temporary);
        return false;
    }
    return true;
}
