// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>
#include <utility>

// Passwords of databases stay out of sight of other users of the machine: out of the process's
// command line (/proc/PID/cmdline), out of messages and descriptions.
namespace passwords {

// Overwrites, in the process's own arguments, what a password given there takes: the value
// after --password, and the fourth comma-separated part of the calling programs' form
// (LABEL,-D,DATABASE,PASSWORD). Call it once the arguments have been copied.
void hideInArguments(int argc, char** argv);

// The password that `--password VALUE` gives: VALUE itself, or for "-" the first line of
// standard input.
QString fromArgument(const QString& value);

// The first line of a file; nothing when it cannot be read.
std::optional<QString> fromFile(const QString& path);

// MARVELLO_PASSWORD, when set.
QString fromEnvironment();

// A database name as messages and descriptions show it: a password written into a server's
// address (user:password@host) is replaced by ***, however malformed the address.
QString hiddenIn(const QString& databaseName);

// Where in an address its password is: offset and length; nothing when it holds none.
std::optional<std::pair<qsizetype, qsizetype>> passwordSpan(const QByteArray& text);

} // namespace passwords
