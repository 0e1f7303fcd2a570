// SPDX-License-Identifier: GPL-3.0-or-later
#include "barcode/barcodeoptions.h"

namespace barcode {

QString qrLevelName(QrLevel level) {
    switch (level) {
    case QrLevel::L:
        return QStringLiteral("L");
    case QrLevel::M:
        return QStringLiteral("M");
    case QrLevel::Q:
        return QStringLiteral("Q");
    case QrLevel::H:
        return QStringLiteral("H");
    case QrLevel::Automatico:
        break;
    }
    return {};
}

std::optional<QrLevel> qrLevelFromName(QStringView name) {
    for (const QrLevel level :
         {QrLevel::Automatico, QrLevel::L, QrLevel::M, QrLevel::Q, QrLevel::H}) {
        if (name == qrLevelName(level))
            return level;
    }
    return std::nullopt;
}

} // namespace barcode
