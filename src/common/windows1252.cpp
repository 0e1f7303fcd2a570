// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/windows1252.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace windows1252 {

namespace {
constexpr const char* CodecName = "windows-1252";
}

QString decode(const QByteArray& bytes) {
    QStringDecoder decoder(CodecName);
    Q_ASSERT(decoder.isValid());
    return decoder.decode(bytes);
}

std::optional<QByteArray> encode(const QString& text) {
    QStringEncoder encoder(CodecName);
    Q_ASSERT(encoder.isValid());
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    return bytes;
}

std::optional<QChar> firstUnencodable(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        // Surrogate pairs are never encodable; report the first half.
        if (!encode(QString(text[i])))
            return text[i];
    }
    return std::nullopt;
}

} // namespace windows1252
