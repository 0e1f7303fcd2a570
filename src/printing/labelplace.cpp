// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/labelplace.h"

#include "common/units.h"
#include "document/labelelement.h"
#include "printing/sheetgeometry.h"

double GetXGen(const LayoutEtichetta& l, double x, int colonna) {
    return x + sheet::labelCorner(l, colonna, 1).x();
}

double GetYGen(const LayoutEtichetta& l, double y, int riga) {
    return y + sheet::labelCorner(l, 1, riga).y();
}

double GetX(const LayoutEtichetta& l, int colonna, const LabelElement& controllo) {
    return GetXGen(l,
                   (double(controllo.Left) - units::LabelOriginXTwips) / units::TwipsPerMillimetre,
                   colonna);
}

double GetY(const LayoutEtichetta& l, int riga, const LabelElement& controllo) {
    return GetYGen(
        l, (double(controllo.Top) - units::LabelOriginYTwips) / units::TwipsPerMillimetre, riga);
}

double GetW(const LabelElement& controllo) {
    return double(controllo.Width) / units::TwipsPerMillimetre;
}
double GetH(const LabelElement& controllo) {
    return double(controllo.Height) / units::TwipsPerMillimetre;
}
