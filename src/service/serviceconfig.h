// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// How the print service runs: where it listens, which labels and printers it may use, who may
// send jobs. Read from a file of key = value lines, then the command line's options on top:
//   listen = 127.0.0.1:8631     labels = /srv/etichette     state = /var/lib/marvello
//   tokens = /etc/marvello/tokens (one a line)              token = … (one more, may repeat)
//   printers = ZEBRA, UFFICIO   watch = /var/spool/marvello  watch-to = printer:ZEBRA
//   certificate = cert.pem      key = key.pem               (HTTPS when both are given)
struct ServiceConfig {
    QString host = QStringLiteral("127.0.0.1");
    int port = 8631;
    QString labels; // the folder of labels jobs may name; nothing outside it is printed
    QString state;  // the journal and the PDFs
    QString watch;  // a folder other programs drop jobs in; none when empty
    QString watchTo = QStringLiteral("pdf"); // where the folder's .csv jobs print
    QStringList tokens;                      // the bearer tokens accepted
    QStringList printers;
    QString certificate;
    QString key;

    // The configuration file and then the options (`marvello serve …` without "serve");
    // nothing, and why, when something is not valid. `defaultFile` is read when the words do
    // not name one and it exists.
    static std::optional<ServiceConfig> fromArguments(const QStringList& words,
                                                      const QString& defaultFile, QString* error);

    // What stops the service from starting with it, in the words of its configuration; empty
    // when it can start.
    QStringList problems() const;

    bool usesTls() const { return !certificate.isEmpty() && !key.isEmpty(); }
    bool allowsPrinter(const QString& name) const;
};

// The configuration file when none is named: serve.conf in the user's configuration folder.
QString defaultServiceConfigFile();
