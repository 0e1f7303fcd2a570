// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "database/recordsource.h"

#include <QString>
#include <QVariant>

#include <memory>

// The program's one door to its database: opens the source a label names (an Access,
// delimited text or SQLite file, or a database server by its address) and says in a message
// why it cannot. What is read from it goes through source().
class clsDatabase {
public:
    clsDatabase();
    ~clsDatabase();
    clsDatabase(const clsDatabase&) = delete;
    clsDatabase& operator=(const clsDatabase&) = delete;

    QString NomeDatabase() const { return m_nomeDatabase; }
    void setNomeDatabase(const QVariant& value) { m_nomeDatabase = value.toString(); }
    QString PasswordDb() const { return m_passwordDb; }
    void setPasswordDb(const QVariant& value) { m_passwordDb = value.toString(); }

    // Opens NomeDatabase with PasswordDb; messages titled "objDatabase" when it cannot.
    bool ConnettiDatabase();
    // Lets the database go; always false.
    bool DisconnettiDatabase();
    bool isConnected() const { return m_source != nullptr; }
    // Connects a source already open (records a job brought), under the name given.
    void connectSource(const QString& name, std::unique_ptr<RecordSource> source) {
        m_nomeDatabase = name;
        m_source = std::move(source);
    }

    // The connected source; throws DatabaseError when there is none.
    const RecordSource& source() const;

private:
    QString m_nomeDatabase;
    QString m_passwordDb;
    std::unique_ptr<RecordSource> m_source;
};

// A field's value for a label: the override when it is not blank, the default for Null,
// otherwise the value (trimmed for type 14).
QVariant ValoreCampo(const QVariant& value, int type, const QVariant& defaultValue,
                     const QVariant& override = {});
