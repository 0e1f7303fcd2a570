// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Where the print component keeps its files. An installed program keeps them where Linux
// keeps a user's files: the settings in ~/.config/Marvello, saved prints in
// ~/.local/share/Marvello/Stampe. A portable copy (the program in a writable folder of its
// own, the build folder) keeps both in its own folder, as the label program always did.
namespace programfolders {

struct Folders {
    QString settings; // where "pressivo.ini" is
    QString prints;   // the "Stampe" folder
};

// The rule, for a program in `programFolder`: `installed` when that is the folder the
// package installs programs into.
Folders choose(const QString& programFolder, bool installed, bool writable,
               const QString& configFolder, const QString& dataFolder);

// The settings folder (kept for callers that only need one folder).
QString base();
// "pressivo.ini": the page margins.
QString settingsFile();
// "Stampe": saved print files.
QString printsFolder();

// Uses another folder for both (tests); an empty path goes back to the rule above.
void setBase(const QString& folder);

// A helper program of ours ("marvello-mdb-reader"): beside the program, else where the package
// installs it, else where the build made it (`built`).
QString helperProgram(const QString& name, const QString& built);

} // namespace programfolders
