// SPDX-License-Identifier: GPL-3.0-or-later
#include "service/serviceconfig.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// No configuration or token file is this long: a larger one is a mistake, not read whole.
constexpr qint64 LongestConfigFile = 1 << 20;
constexpr int ShortestToken = 16;

std::optional<QByteArray> readSmallFile(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    const QByteArray bytes = file.read(LongestConfigFile + 1);
    if (bytes.size() > LongestConfigFile) {
        *error = QStringLiteral("%1: file troppo grande.").arg(path);
        return std::nullopt;
    }
    return bytes;
}

bool readTokens(const QString& path, QStringList& tokens, QString* error) {
    const auto bytes = readSmallFile(path, error);
    if (!bytes)
        return false;
    for (const QByteArray& line : bytes->split('\n')) {
        const QString token = QString::fromUtf8(line).trimmed();
        if (!token.isEmpty() && !token.startsWith(u'#'))
            tokens << token;
    }
    return true;
}

bool setListen(ServiceConfig& config, const QString& value, QString* error) {
    const qsizetype colon = value.lastIndexOf(u':');
    bool ok = false;
    const int port = colon > 0 ? value.mid(colon + 1).toInt(&ok) : 0;
    if (!ok || port < 0 || port > 65535) {
        *error = QStringLiteral("listen vuole INDIRIZZO:PORTA, come 127.0.0.1:8631 (porta 0: "
                                "una libera).");
        return false;
    }
    config.host = value.left(colon);
    if (config.host.startsWith(u'[') && config.host.endsWith(u']'))
        config.host = config.host.mid(1, config.host.size() - 2);
    config.port = port;
    return true;
}

// One setting, from the file or the command line.
bool apply(ServiceConfig& config, const QString& key, const QString& value, QString* error) {
    if (key == u"listen")
        return setListen(config, value, error);
    if (key == u"labels")
        config.labels = value;
    else if (key == u"state")
        config.state = value;
    else if (key == u"watch")
        config.watch = value;
    else if (key == u"watch-to")
        config.watchTo = value;
    else if (key == u"token")
        config.tokens << value;
    else if (key == u"tokens")
        return readTokens(value, config.tokens, error);
    else if (key == u"printers") {
        for (const QString& name : value.split(u',', Qt::SkipEmptyParts))
            config.printers << name.trimmed();
    } else if (key == u"certificate")
        config.certificate = value;
    else if (key == u"key")
        config.key = value;
    else {
        *error = QStringLiteral("impostazione sconosciuta: %1").arg(key);
        return false;
    }
    return true;
}

bool readFile(ServiceConfig& config, const QString& path, QString* error) {
    const auto bytes = readSmallFile(path, error);
    if (!bytes)
        return false;
    int number = 0;
    for (const QByteArray& raw : bytes->split('\n')) {
        ++number;
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const qsizetype equals = line.indexOf(u'=');
        QString why;
        if (equals <= 0)
            why = QStringLiteral("manca \"=\"");
        else if (apply(config, line.left(equals).trimmed(), line.mid(equals + 1).trimmed(), &why))
            continue;
        *error = QStringLiteral("%1, riga %2: %3").arg(path).arg(number).arg(why);
        return false;
    }
    return true;
}

} // namespace

std::optional<ServiceConfig>
ServiceConfig::fromArguments(const QStringList& words, const QString& defaultFile, QString* error) {
    ServiceConfig config;
    QString file = defaultFile;
    bool named = false;
    std::vector<std::pair<QString, QString>> options;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString& word = words[i];
        if (word == u"--check")
            continue;
        if (!word.startsWith(QStringLiteral("--")) || i + 1 >= words.size()) {
            *error = QStringLiteral("Opzione non valida per serve: %1").arg(word);
            return std::nullopt;
        }
        const QString value = words[++i];
        if (word == u"--config") {
            file = value;
            named = true;
        } else {
            options.emplace_back(word.mid(2), value);
        }
    }
    if ((named || QFileInfo::exists(file)) && !file.isEmpty() && !readFile(config, file, error))
        return std::nullopt;
    for (const auto& [key, value] : options) {
        // A token on the command line is seen by every user of the machine.
        if (key == u"token") {
            *error = QStringLiteral("i token vanno in un file: --tokens FILE.");
            return std::nullopt;
        }
        if (!apply(config, key, value, error))
            return std::nullopt;
    }
    return config;
}

QStringList ServiceConfig::problems() const {
    QStringList found;
    const auto folder = [&](const QString& path, const QString& key) {
        if (path.isEmpty())
            found << QStringLiteral("%1: manca la cartella.").arg(key);
        else if (!QFileInfo(path).isDir())
            found << QStringLiteral("%1: %2 non è una cartella.").arg(key, path);
    };
    folder(labels, QStringLiteral("labels"));
    if (state.isEmpty())
        found << QStringLiteral("state: manca la cartella.");
    if (!watch.isEmpty())
        folder(watch, QStringLiteral("watch"));
    if (watchTo != u"pdf" &&
        (!watchTo.startsWith(QStringLiteral("printer:")) || !allowsPrinter(watchTo.mid(8))))
        found << QStringLiteral("watch-to: \"pdf\" o \"printer:NOME\" di una stampante di "
                                "printers.");
    if (tokens.isEmpty())
        found << QStringLiteral("tokens: nessun token: nessuno potrebbe inviare lavori.");
    for (const QString& token : tokens)
        if (token.size() < ShortestToken) {
            found << QStringLiteral("tokens: ogni token vuole almeno %1 caratteri.")
                         .arg(ShortestToken);
            break;
        }
    if (certificate.isEmpty() != key.isEmpty())
        found << QStringLiteral("certificate e key vanno date insieme.");
    for (const QString& file : {certificate, key})
        if (!file.isEmpty() && !QFileInfo(file).isReadable())
            found << QStringLiteral("%1 non si può leggere.").arg(file);
    return found;
}

bool ServiceConfig::allowsPrinter(const QString& name) const {
    return printers.contains(name, Qt::CaseInsensitive);
}

QString defaultServiceConfigFile() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("marvello/serve.conf"));
}
