// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "printcomponent/printdocument.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace printoutput {

// Saved print files: versioned, self-describing, pictures included. Loading checks all it
// reads; a file that is damaged, cut short or not a saved print gives an error number (321)
// and a description, never a crash.
bool save(const PrintDocument& document, const QString& path, QString* error = nullptr);
struct LoadError {
    int number;
    QString description;
};
std::optional<LoadError> load(const QString& path, PrintDocument& document);
std::optional<LoadError> load(const QByteArray& bytes, PrintDocument& document);

inline constexpr int InvalidFileFormat = 321;
inline constexpr int FileAccessError = 75;

} // namespace printoutput
