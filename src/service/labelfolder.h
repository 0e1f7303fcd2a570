// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The folder of labels a print service may print, and nothing outside it: names come from
// other machines, so an absolute path, a ".." or a link that leads out is refused.
class LabelFolder {
public:
    explicit LabelFolder(const QString& path);

    // The file `name` stands for: a relative path to a regular file inside the folder with
    // one of `suffixes` ("eti"); nothing, and why in the caller's words, otherwise.
    std::optional<QString> resolve(const QString& name, const QStringList& suffixes,
                                   QString* why) const;
    // A label file (.eti) of the folder, and a data file a job may name instead of the label's
    // own (the kinds the program reads).
    std::optional<QString> label(const QString& name, QString* why) const;
    std::optional<QString> dataFile(const QString& name, QString* why) const;
    // The labels (.eti) in the folder and the folders under it, as names relative to it.
    QStringList labels() const;

    const QString& path() const { return m_canonical; }

private:
    QString m_canonical;
};
