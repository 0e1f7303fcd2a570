// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

// What a label's database name says: a file (Access, delimited text, spreadsheet, SQLite) by
// its path, or
// a database server by an address:
//   postgresql://user@host:5432/database   (postgres:// too)
//   mysql://user@host:3306/database        (mariadb:// too)
//   odbc:DSN
// A delimited text file may name its separator after the path: "clienti.txt?separatore=;"
// (";", ",", "|" or "tab").
struct SourceAddress {
    enum class Kind { Access, DelimitedText, Spreadsheet, Sqlite, PostgreSql, MySql, Odbc };

    Kind kind = Kind::Access;
    QString path; // a file's path
    std::optional<QChar> separator;
    QString host;
    int port = 0;     // 0: the driver's own
    QString database; // the database on the server, or the ODBC data source
    QString user;
    QString password; // one written into the address (user:password@host); never shown

    bool isServer() const {
        return kind == Kind::PostgreSql || kind == Kind::MySql || kind == Kind::Odbc;
    }
    // Reads a database name; a name that is no address is a file's path. Nothing for an
    // address of a kind this program does not know, or one that is malformed.
    static std::optional<SourceAddress> parse(const QString& name);
    // The address written back, as parse reads it, without a password it held.
    QString toString() const;
    // The driver of Qt's SQL module that talks to it; empty for Access and delimited text.
    QString driver() const;
};

// The text of a separator in an address, and back.
QString separatorName(QChar separator);
std::optional<QChar> separatorFromName(const QString& name);
