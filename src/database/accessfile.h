// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "database/jetheader.h"
#include "database/rowsource.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

// One Access file opened read-only. libmdb reads it in a process of its own (the reader,
// marvello-mdb-reader) because it can loop forever, allocate without end or crash on a
// damaged file: the reader streams the rows over a pipe, with a memory limit, and a reader
// that stops sending, complains or sends fewer rows than the table declares makes the file
// count as damaged (3343). Whatever happens there, this process gets rows or an error.
class AccessFile {
public:
    struct CatalogObject {
        QString name;
        qint32 id = 0;
        int type = 0;          // 1 table, 5 stored query (as in MSysObjects)
        qint32 flags = 0;      // as in MSysObjects
        qint32 Attributes = 0; // as the Access engine reports them: 1 hidden, 0x80000002 system
    };

    // Opens the file and checks the password as Access does. Throws DatabaseError: 3044 bad
    // path, 3051 unreadable, 3343 not an Access database (or damaged), 3031 wrong password.
    static std::unique_ptr<AccessFile> open(const QString& path, const QString& password);
    ~AccessFile();
    AccessFile(const AccessFile&) = delete;
    AccessFile& operator=(const AccessFile&) = delete;

    jetheader::Version version() const { return m_header.version; }

    // Tables (system ones too) and stored queries, in catalog order.
    const std::vector<CatalogObject>& tables() const { return m_tables; }
    const std::vector<CatalogObject>& queries() const { return m_queries; }

    // A table's rows, taken one at a time from the reader as they arrive.
    class TableReader {
    public:
        TableReader(const QString& path, const QString& command, const QString& table);
        ~TableReader();
        TableReader(const TableReader&) = delete;
        TableReader& operator=(const TableReader&) = delete;
        // Waits for the fields when they have not arrived yet.
        const std::vector<FieldInfo>& fields();
        // The next row; false after the last. Throws DatabaseError.
        bool next(Row& row);

    private:
        class Process;
        std::unique_ptr<Process> m_process;
    };
    std::unique_ptr<TableReader> openTable(const QString& exactName) const;

    // A table's fields with their type codes; throws DatabaseError 3078 when there is none.
    std::vector<FieldInfo> tableFields(const QString& exactName) const;
    // The rows of a table (those `keep` accepts, all without it); throws DatabaseError.
    RowSource readTable(const QString& exactName,
                        const std::function<bool(const Row&)>& keep = {}) const;

    // How long the reader may send nothing before the file counts as damaged (milliseconds).
    static void setReadTimeLimit(int milliseconds);
    // The reader program to run (tests); by default the one beside the program.
    static void setReaderProgram(const QString& path);

private:
    AccessFile(QString path, jetheader::Header header);
    void readCatalog();

    QString m_path;
    jetheader::Header m_header;
    std::vector<CatalogObject> m_tables;
    std::vector<CatalogObject> m_queries;
};
