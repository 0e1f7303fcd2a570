// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/jetheader.h"

#include <QtEndian>

#include <array>
#include <cmath>
#include <cstring>

namespace jetheader {

namespace {

constexpr int EncryptedStart = 0x18;
constexpr int PasswordOffset = 0x42;
constexpr int CreationDateOffset = 0x72;
constexpr int AceCryptoInfo = 0x299;

void rc4(QByteArray& data, int start, int length) {
    const std::array<quint8, 4> key = {0xC7, 0xDA, 0x39, 0x6B};
    std::array<quint8, 256> s;
    for (int i = 0; i < 256; ++i)
        s[i] = quint8(i);
    for (int i = 0, j = 0; i < 256; ++i) {
        j = (j + s[i] + key[i % key.size()]) & 0xFF;
        std::swap(s[i], s[j]);
    }
    for (int n = 0, i = 0, j = 0; n < length; ++n) {
        i = (i + 1) & 0xFF;
        j = (j + s[i]) & 0xFF;
        std::swap(s[i], s[j]);
        data[start + n] = char(quint8(data[start + n]) ^ s[(s[i] + s[j]) & 0xFF]);
    }
}

} // namespace

std::optional<Header> parse(const QByteArray& firstPage) {
    static const QByteArray jet("Standard Jet DB");
    static const QByteArray ace("Standard ACE DB");
    if (firstPage.size() < 0x100 || firstPage.left(4) != QByteArray("\x00\x01\x00\x00", 4))
        return std::nullopt;
    const QByteArray signature = firstPage.mid(4, 15);
    if (signature != jet && signature != ace)
        return std::nullopt;

    Header header;
    const quint8 version = quint8(firstPage[0x14]);
    header.version = version == 0 ? Version::Jet3 : version == 1 ? Version::Jet4 : Version::Ace;
    header.pageSize = header.version == Version::Jet3 ? 2048 : 4096;

    QByteArray page = firstPage;
    const int encrypted = header.version == Version::Jet3 ? 126 : 128;
    rc4(page, EncryptedStart, encrypted);

    if (header.version == Version::Jet3) {
        const QByteArray bytes = page.mid(PasswordOffset, 20);
        const int end = int(bytes.indexOf('\0'));
        header.password = QString::fromLatin1(end < 0 ? bytes : bytes.left(end));
    } else if (header.version == Version::Jet4) {
        double created = 0;
        std::memcpy(&created, page.constData() + CreationDateOffset, sizeof created);
        created = qFromLittleEndian(created);
        const double day = std::isfinite(created) ? std::floor(created) : 0;
        const qint32 maskValue = day >= -2147483648.0 && day <= 2147483647.0 ? qint32(day) : 0;
        std::array<quint8, 4> mask;
        qToLittleEndian(maskValue, mask.data());
        QByteArray bytes = page.mid(PasswordOffset, 40);
        for (int i = 0; i < bytes.size(); ++i)
            bytes[i] = char(quint8(bytes[i]) ^ mask[i % 4]);
        QString password = QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()),
                                              bytes.size() / 2);
        const qsizetype end = password.indexOf(QChar(0));
        header.password = end < 0 ? password : password.left(end);
    }
    // Access 2007 and later keep the password as encryption, not in this header: an encrypted
    // file describes its encryption from 0x299 on (a length, then the Office crypto version).
    if (header.version == Version::Ace && firstPage.size() > AceCryptoInfo + 2)
        header.encrypted =
            quint8(firstPage[AceCryptoInfo]) != 0 || quint8(firstPage[AceCryptoInfo + 1]) != 0;
    return header;
}

} // namespace jetheader
