#pragma once

#include "jetheader.h"
#include "rowsource.h"

#include <QString>

#include <memory>
#include <vector>

// One Access file opened read-only through libmdb, the only code that knows libmdb.
//
// libmdb can loop forever or crash on a damaged file, so every read runs in a child process
// that is given a time limit: whatever happens there, this process gets rows or an error.
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

    // A table's fields with their type codes; throws DatabaseError 3078 when there is none.
    std::vector<FieldInfo> tableFields(const QString& exactName) const;
    // All rows of a table; throws DatabaseError.
    RowSource readTable(const QString& exactName) const;

    // How long one read may take before the file counts as damaged (milliseconds).
    static void setReadTimeLimit(int milliseconds);

private:
    AccessFile(QString path, jetheader::Header header);
    void readCatalog();

    QString m_path;
    jetheader::Header m_header;
    std::vector<CatalogObject> m_tables;
    std::vector<CatalogObject> m_queries;
};
