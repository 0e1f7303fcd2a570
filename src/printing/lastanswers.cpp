// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/lastanswers.h"

#include "common/programfolders.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace lastanswers {

namespace {

// A label's group: its absolute path, hashed (paths hold what settings keys cannot).
QString group(const QString& labelFile) {
    return QString::fromLatin1(
        QCryptographicHash::hash(QFileInfo(labelFile).absoluteFilePath().toUtf8(),
                                 QCryptographicHash::Sha1)
            .toHex());
}

QSettings settings() {
    return QSettings(QDir(programfolders::base()).filePath(QStringLiteral("risposte.ini")),
                     QSettings::IniFormat);
}

// The most answers, and the longest, kept for a label: they are only offered again.
constexpr int MostAnswers = 50;
constexpr int LongestAnswer = 1000;

} // namespace

QMap<QString, QString> load(const QString& labelFile) {
    QMap<QString, QString> answers;
    if (labelFile.isEmpty())
        return answers;
    QSettings store = settings();
    const int count = std::min(store.beginReadArray(group(labelFile)), MostAnswers);
    for (int i = 0; i < count; ++i) {
        store.setArrayIndex(i);
        answers.insert(store.value(QStringLiteral("domanda")).toString().left(LongestAnswer),
                       store.value(QStringLiteral("risposta")).toString().left(LongestAnswer));
    }
    store.endArray();
    return answers;
}

void save(const QString& labelFile, const QMap<QString, QString>& answers) {
    if (labelFile.isEmpty())
        return;
    QSettings store = settings();
    store.remove(group(labelFile));
    store.beginWriteArray(group(labelFile));
    int i = 0;
    for (auto it = answers.begin(); it != answers.end() && i < MostAnswers; ++it, ++i) {
        store.setArrayIndex(i);
        store.setValue(QStringLiteral("domanda"), it.key().left(LongestAnswer));
        store.setValue(QStringLiteral("risposta"), it.value().left(LongestAnswer));
    }
    store.endArray();
}

} // namespace lastanswers
