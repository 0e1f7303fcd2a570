// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/programfolders.h"

#include <QTemporaryDir>

// A folder of the test's own where the program keeps its settings, margins, saved prints and
// state for as long as it lives: never the user's.
class SettingsFolder {
public:
    SettingsFolder() { programfolders::setBase(m_folder.path()); }
    ~SettingsFolder() { programfolders::setBase({}); }
    SettingsFolder(const SettingsFolder&) = delete;
    SettingsFolder& operator=(const SettingsFolder&) = delete;

    QString path() const { return m_folder.path(); }
    QString filePath(const QString& name) const { return m_folder.filePath(name); }

private:
    QTemporaryDir m_folder;
};
