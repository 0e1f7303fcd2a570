// SPDX-License-Identifier: GPL-3.0-or-later
#include "printcomponent/savedprints.h"
#include "common/programerror.h"

#include "common/messageservice.h"
#include "printcomponent/clspressivo.h"
#include "printcomponent/pressivoui.h"
#include "printcomponent/printsurface.h"

#include <QFileInfo>

namespace savedprints {

namespace {

bool load(PrintSurface& surface, const QString& path) {
    if (const auto error = surface.LoadDoc(path)) {
        MessageService::current().warn(userMessage(error->number, error->description),
                                       QStringLiteral("Gestione stampe"));
        return false;
    }
    surface.setJobName(QFileInfo(path).fileName());
    return true;
}

} // namespace

QString openFilter() {
    return QStringLiteral("File anteprima (*.ant)|*.ant|Tutti Files (*.*)|*.*");
}

bool isSavedPrint(const QString& path) {
    return path.endsWith(QStringLiteral(".ant"), Qt::CaseInsensitive);
}

bool showInPreview(PressivoUi& ui, const QString& path) {
    if (!load(ui.surface(), path))
        return false;
    ui.showPreview();
    return true;
}

bool reprint(PressivoUi& ui, const QString& path, pressivo::Destination destination,
             const QString& fileName, int copies) {
    clsPressivo pressivo(ui);
    if (!load(pressivo.surface(), path))
        return false;
    pressivo.setPrintDestination(destination);
    pressivo.setFileName(fileName);
    pressivo.setCopies(qint16(copies));
    return pressivo.EndDoc();
}

} // namespace savedprints
