// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/widgets/filefield.h"

#include "common/files.h"
#include "common/messageservice.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

void browseIntoField(QLineEdit* field, const QString& title, const QString& filter,
                     int filterIndex) {
    FileDialogRequest request;
    request.title = title;
    request.filter = filter;
    request.filterIndex = filterIndex;
    request.mustExist = true;
    // Where the field's file is, else the working folder: never the program's folder, and
    // never what the last dialog visited (Qt would open the next save dialog there).
    const QFileInfo current(field->text());
    request.directory = !field->text().isEmpty() && current.absoluteDir().exists()
                            ? current.absolutePath()
                            : QDir::currentPath();
    if (const auto chosen = MessageService::current().chooseFile(request))
        field->setText(*chosen);
}

bool fieldNamesAFile(QLineEdit* field, const QString& message, const QString& title) {
    if (FileEsiste(field->text()))
        return true;
    MessageService::current().warn(message, title);
    field->setFocus();
    return false;
}
