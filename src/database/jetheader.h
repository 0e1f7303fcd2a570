// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The first page of an Access file: which engine wrote it and the database password it holds.
namespace jetheader {

enum class Version { Jet3, Jet4, Ace };

struct Header {
    Version version = Version::Jet4;
    int pageSize = 4096;
    QString password;       // empty: none
    bool encrypted = false; // Access 2007 and later: encrypted with a password, unreadable
};

// Nothing when the bytes are no Access database header.
std::optional<Header> parse(const QByteArray& firstPage);

} // namespace jetheader
