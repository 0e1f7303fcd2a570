// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/placepanel.h"

#include "common/units.h"
#include "document/labelelement.h"

#include <QLocale>
#include <QMouseEvent>

#include <cmath>

PlacePanel::PlacePanel(QWidget* parent)
    : QLabel(parent) {
    setObjectName(QStringLiteral("lblPosizione"));
    setToolTip(QStringLiteral("Doppio clic: Posizione e dimensioni"));
}

void PlacePanel::showPlace(const LabelElement* element) {
    if (!element) {
        clear();
        return;
    }
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    // Tenths of a millimetre, as the ruler of a label is read.
    const auto mm = [&](double twips) {
        return italian.toString(std::round(twips / units::TwipsPerMillimetre * 10) / 10, 'f', 1);
    };
    setText(QStringLiteral("X %1  Y %2  L %3  A %4 mm")
                .arg(mm(element->Left - units::LabelOriginXTwips),
                     mm(element->Top - units::LabelOriginYTwips), mm(element->Width),
                     mm(element->Height)));
}

void PlacePanel::mouseDoubleClickEvent(QMouseEvent* event) {
    emit doubleClicked();
    event->accept();
}
