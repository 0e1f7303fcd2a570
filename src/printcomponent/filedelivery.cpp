// SPDX-License-Identifier: GPL-3.0-or-later
#include "printcomponent/filedelivery.h"

#include "printcomponent/pdfstream.h"
#include "printcomponent/printsurface.h"
#include "printcomponent/zploutput.h"

namespace filedelivery {

Format formatOf(const QString& file) {
    if (file.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        return Format::Pdf;
    if (file.endsWith(QStringLiteral(".zpl"), Qt::CaseInsensitive))
        return Format::Zpl;
    return Format::SavedPrint;
}

bool write(PrintSurface& surface, const QString& file, int dotsPerInch, QString* error) {
    if (surface.isStreaming())
        return surface.finishPdf(error);
    switch (formatOf(file)) {
    case Format::Pdf:
        return printoutput::writePdf(surface.document(), file, error);
    case Format::Zpl:
        return zploutput::write(surface.document(), file, dotsPerInch, error);
    case Format::SavedPrint:
        break;
    }
    return surface.SaveDoc(file, error);
}

} // namespace filedelivery
