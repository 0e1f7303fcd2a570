// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "database/accessfile.h"
#include "database/databasebinding.h"
#include "database/recordset.h"
#include "database/rowsource.h"
#include "database/storedquery.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <optional>

// The program's one door to its database: opens an Access file, lists its tables, queries and
// fields, tells their types, and opens the records a label prints (with the selection
// criterion of the label). Errors of the engine come as DatabaseError, numbered as Access
// numbers them; only ConnettiDatabase turns them into messages.
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
    bool isConnected() const { return m_file != nullptr; }

    // User tables (neither hidden nor system), in catalog order.
    QStringList tableNames() const;
    // Every stored query, in catalog order.
    QStringList queryNames() const;
    // The stored queries that can feed labels (select queries this engine runs).
    QStringList runnableQueryNames() const;
    // The fields of a table or stored query, in field order.
    QStringList fieldNames(const QString& tableOrQuery) const;

    // A stored query has exactly this name (letter case counts).
    bool IsQuery(const QString& NomeQuery) const;
    // A table (system ones too) or query has this name, blanks and letter case ignored.
    bool EsisteTabella(const QString& NomeTabella) const;
    bool EsisteQuery(const QString& NomeQuery) const;

    // 0 number, 1 text, 2 date (other kinds count as numbers).
    qint16 GetTipoCampo(const QString& NomeTabella, const QString& NomeCampo) const;
    // The current value; Null gives 0 for numbers, "" for texts and dates; other kinds give an
    // empty value.
    QVariant GetValoreCampo(const Recordset& T, const QString& NomeCampo) const;

    // Opens the records of a table or query that the criterion selects, in their order.
    // Rewrites the bounds as the criterion reads them (numbers as numbers, an open number
    // upper bound as 999999999999, open text bounds as the lowest and highest texts).
    void ConnettiRecordset(std::unique_ptr<Recordset>& T, const QString& NomeTabella,
                           const QString& NomeCampoSelezione, qint16 TipoCriterio,
                           QString& ValoreUgualeA, QString& ValoreDa, QString& ValoreA);
    // The query text of the last ConnettiRecordset.
    const QString& lastQueryText() const { return m_lastQuery; }

    // All records of a table or query, as "SELECT * FROM [name];" gives them.
    RowSource readSource(const QString& name) const;

private:
    const AccessFile& file() const;
    storedquery::Definition definitionOf(const AccessFile::CatalogObject& query) const;
    RowSource readSource(const QString& name, int depth) const;

    QString m_nomeDatabase;
    QString m_passwordDb;
    std::unique_ptr<AccessFile> m_file;
    mutable std::optional<RowSource> m_queryRows; // MSysQueries, read once
    QString m_lastQuery;
};

// A field's value for a label: the override when it is not blank, the default for Null,
// otherwise the value (trimmed for type 14).
QVariant ValoreCampo(const QVariant& value, int type, const QVariant& defaultValue,
                     const QVariant& override = {});

// The lowest and highest texts an open text range uses, and the open number upper bound.
inline const QString LowestText = QString(34, u'0');
inline const QString HighestText = QString(34, u'Z');
inline constexpr double HighestNumber = 999999999999.0;

// The query text that selects the records of a criterion, for a field of the given class.
// The values are those already rewritten for the class.
QString selectionQueryText(const QString& table, const QString& field, qint16 criterion,
                           fieldtype::Class fieldClass, const QString& equalTo, const QString& from,
                           const QString& to);
