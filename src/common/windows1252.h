// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The single-byte code page of label files made on Western European Windows systems.
namespace windows1252 {

QString decode(const QByteArray& bytes);

// Nothing when the text holds a character the code page has no byte for.
std::optional<QByteArray> encode(const QString& text);

// The first character of the text that the code page cannot hold, if any.
std::optional<QChar> firstUnencodable(const QString& text);

} // namespace windows1252
