// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <stdexcept>

// What stops a job, by family: the database, a picture, the print itself, a signal. Each
// carries the code users of the label program know the failure by (0 when it has none) and
// the words that say what happened; userMessage() turns any of them into what the user reads.
struct ProgramError : std::runtime_error {
    ProgramError(int number, const QString& description)
        : std::runtime_error(description.toStdString())
        , number(number)
        , description(description) {}

    int number;
    QString description;
};

// A picture an element prints cannot be had (no file, not a picture, too large).
struct PictureError : ProgramError {
    using ProgramError::ProgramError;
};

// The job cannot go on: a value a scanner would refuse, records that changed while printed.
struct PrintError : ProgramError {
    using ProgramError::ProgramError;
    static constexpr int InvalidValue = 5; // "Invalid procedure call or argument"
};

// A file the program keeps for itself (serial numbers) cannot be read or written.
struct FileError : ProgramError {
    using ProgramError::ProgramError;
    static constexpr int PathFileAccess = 75; // "Path/File access error"
};

// SIGINT or SIGTERM asked the job to stop.
struct InterruptedError : ProgramError {
    explicit InterruptedError(const QString& description)
        : ProgramError(UserInterrupt, description) {}
    static constexpr int UserInterrupt = 18; // "User interrupt occurred"
};

// The message of a failure: "Errore non gestito. Codice: N" and its words for a failure with
// a code, the words alone for one without. The database connection has always written its
// number without the space ("Codice:3031").
enum class CodeSpacing { Spaced, Joined };
QString userMessage(int number, const QString& description,
                    CodeSpacing spacing = CodeSpacing::Spaced);
inline QString userMessage(const ProgramError& error) {
    return userMessage(error.number, error.description);
}
