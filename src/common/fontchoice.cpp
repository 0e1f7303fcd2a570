// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/fontchoice.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

namespace fontchoice {

namespace {

bool isBold(const QFont& font) {
    return font.weight() >= QFont::DemiBold;
}

bool isItalic(const QFont& font) {
    return font.style() != QFont::StyleNormal;
}

// The named style of `family` whose weight and slant match: "Bold Italic", "Regular".
QString styleFor(const QString& family, bool bold, bool italic) {
    QString best;
    int bestScore = -1;
    for (const QString& style : QFontDatabase::styles(family)) {
        const QFont candidate = QFontDatabase::font(family, style, 12);
        const int score = (isBold(candidate) == bold ? 2 : 0) +
                          (isItalic(candidate) == italic ? 2 : 0) +
                          // of equal ones, the plain italic before the oblique
                          (candidate.style() != QFont::StyleOblique ? 1 : 0);
        if (score > bestScore) {
            best = style;
            bestScore = score;
        }
    }
    return best;
}

} // namespace

QFont dialogFont(const QFont& font) {
    const QString family = QFontInfo(font).family();
    QFont shown(family);
    shown.setPointSizeF(font.pointSizeF());
    shown.setBold(isBold(font));
    shown.setItalic(isItalic(font));
    const QString style = styleFor(family, isBold(font), isItalic(font));
    if (!style.isEmpty())
        shown.setStyleName(style);
    return shown;
}

QFont chosenFont(const QFont& initial, const QFont& chosen) {
    const bool sameFamily =
        chosen.family().compare(QFontInfo(initial).family(), Qt::CaseInsensitive) == 0 ||
        chosen.family().compare(initial.family(), Qt::CaseInsensitive) == 0;
    if (sameFamily && qFuzzyCompare(chosen.pointSizeF(), initial.pointSizeF()) &&
        isBold(chosen) == isBold(initial) && isItalic(chosen) == isItalic(initial))
        return initial;
    QFont result(sameFamily ? initial.family() : chosen.family());
    result.setPointSizeF(chosen.pointSizeF());
    result.setBold(isBold(chosen));
    result.setItalic(isItalic(chosen));
    return result;
}

} // namespace fontchoice
