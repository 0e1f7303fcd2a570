// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/sheetgeometry.h"

namespace sheet {

QPointF labelCorner(const LayoutEtichetta& layout, int column, int row) {
    const double c = column - 1;
    const double r = row - 1;
    return {layout.MargineSinistro + layout.OrigineX + c * layout.LarghezzaEtichetta +
                c * layout.SpazioOrizzontale,
            layout.MargineSuperiore + layout.OrigineY + r * layout.AltezzaEtichetta +
                r * layout.SpazioVerticale};
}

} // namespace sheet
