// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/widgets/designcontext.h"

#include <QObject>

#include <functional>

class QMainWindow;

// The File commands on the label itself: new, open, save, save as, and the question before
// the label is let go. The window's title names the label's file and marks unsaved changes.
class LabelFiles : public QObject {
    Q_OBJECT

public:
    // `connect` connects the database of a label just opened.
    LabelFiles(const DesignContext& context, QMainWindow& window,
               std::function<bool(const QString&, const QString&, const QString&)> connect);

    void newLabel();
    void open();
    // Both show the save dialog, on the label's own file when it has one.
    void save();
    // Asks whether to keep the changes; true: what was being done is cancelled.
    bool askToSave();
    void updateTitle();

private:
    DesignContext m_context;
    QMainWindow& m_window;
    std::function<bool(const QString&, const QString&, const QString&)> m_connect;
};
