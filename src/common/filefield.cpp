#include "filefield.h"

#include "files.h"
#include "messageservice.h"
#include "printcomponent/programfolders.h"

#include <QLineEdit>

void browseIntoField(QLineEdit* field, const QString& title, const QString& filter,
                     int filterIndex) {
    FileDialogRequest request;
    request.title = title;
    request.filter = filter;
    request.filterIndex = filterIndex;
    request.mustExist = true;
    request.directory = programfolders::base();
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
