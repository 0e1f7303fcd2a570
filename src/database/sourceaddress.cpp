// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/sourceaddress.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace {

const QString SeparatorKey = QStringLiteral("?separatore=");

// SQLite files say so in their first bytes, whatever their extension.
bool startsLikeSqlite(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(16) == QByteArray("SQLite format 3\0", 16);
}

SourceAddress::Kind fileKind(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"csv" || suffix == u"txt" || suffix == u"tsv")
        return SourceAddress::Kind::DelimitedText;
    if (suffix == u"xlsx" || suffix == u"xlsm" || suffix == u"ods")
        return SourceAddress::Kind::Spreadsheet;
    if (suffix == u"sqlite" || suffix == u"sqlite3" || suffix == u"db" || startsLikeSqlite(path))
        return SourceAddress::Kind::Sqlite;
    return SourceAddress::Kind::Access;
}

} // namespace

QString separatorName(QChar separator) {
    return separator == u'\t' ? QStringLiteral("tab") : QString(separator);
}

std::optional<QChar> separatorFromName(const QString& name) {
    if (name.compare(u"tab", Qt::CaseInsensitive) == 0 || name == u"\t")
        return QChar(u'\t');
    if (name == u"," || name == u";" || name == u"|")
        return name.front();
    return std::nullopt;
}

std::optional<SourceAddress> SourceAddress::parse(const QString& name) {
    SourceAddress address;
    const QString text = name.trimmed();
    if (text.startsWith(u"odbc:", Qt::CaseInsensitive)) {
        address.kind = Kind::Odbc;
        address.database = text.mid(5);
        if (address.database.isEmpty())
            return std::nullopt;
        return address;
    }
    const qsizetype scheme = text.indexOf(u"://");
    if (scheme > 1) {
        const QString kind = text.left(scheme).toLower();
        if (kind == u"postgresql" || kind == u"postgres")
            address.kind = Kind::PostgreSql;
        else if (kind == u"mysql" || kind == u"mariadb")
            address.kind = Kind::MySql;
        else
            return std::nullopt;
        const QUrl url(text, QUrl::StrictMode);
        if (!url.isValid() || url.host().isEmpty())
            return std::nullopt;
        address.host = url.host();
        address.port = url.port(0);
        address.user = url.userName();
        address.password = url.password();
        address.database = url.path().mid(1);
        if (address.database.isEmpty() || address.database.contains(u'/'))
            return std::nullopt;
        return address;
    }
    address.path = text;
    if (const qsizetype at = text.lastIndexOf(SeparatorKey, -1, Qt::CaseInsensitive);
        at > 0 && !QFileInfo::exists(text)) {
        const auto separator = separatorFromName(text.mid(at + SeparatorKey.size()));
        if (!separator)
            return std::nullopt;
        address.path = text.left(at);
        address.separator = separator;
    }
    address.kind = fileKind(address.path);
    if (address.separator && address.kind != Kind::DelimitedText)
        return std::nullopt;
    return address;
}

QString SourceAddress::toString() const {
    switch (kind) {
    case Kind::Odbc:
        return QStringLiteral("odbc:") + database;
    case Kind::PostgreSql:
    case Kind::MySql: {
        QUrl url;
        url.setScheme(kind == Kind::PostgreSql ? QStringLiteral("postgresql")
                                               : QStringLiteral("mysql"));
        url.setHost(host);
        if (port > 0)
            url.setPort(port);
        url.setUserName(user);
        url.setPath(u'/' + database);
        return url.toString();
    }
    default:
        return separator ? path + SeparatorKey + separatorName(*separator) : path;
    }
}

QString SourceAddress::driver() const {
    switch (kind) {
    case Kind::Sqlite:
        return QStringLiteral("QSQLITE");
    case Kind::PostgreSql:
        return QStringLiteral("QPSQL");
    case Kind::MySql:
        return QStringLiteral("QMYSQL");
    case Kind::Odbc:
        return QStringLiteral("QODBC");
    default:
        return {};
    }
}
