// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/widgets/designcontext.h"

#include <QObject>

#include <functional>

class clsDatabase;
class QDialog;

// The Database commands: connecting the label to a database and one of its tables or queries,
// disconnecting it, the record selection, and linking an element to a field.
class DatabaseWorkflow : public QObject {
    Q_OBJECT

public:
    DatabaseWorkflow(const DesignContext& context, clsDatabase& database);

    void connectDatabase();    // a data file: the file and table dialogs
    void connectServer();      // a database server: the server and table dialogs
    void disconnectDatabase(); // by the user
    // `run` shows the selection dialog modally (tests answer it instead).
    void selectRecords(const std::function<int(QDialog&)>& run = {});
    void linkField();
    // Connects the label's database as opening a label does; false when it is not there.
    bool connectLabel(const QString& path, const QString& password, const QString& table);
    void markConnected();
    void markDisconnected();

signals:
    // What the status bar shows: the database, and the table.
    void statusChanged(const QString& database, const QString& table);

private:
    // Binds the label to the database and asks for its table.
    void bind(const QString& database, const QString& password);

    DesignContext m_context;
    clsDatabase& m_database;
};
