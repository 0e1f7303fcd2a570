// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/sheetgeometry.h"

#include <algorithm>

namespace sheet {

QPointF labelCorner(const LayoutEtichetta& layout, int column, int row) {
    const double c = column - 1;
    const double r = row - 1;
    return {layout.MargineSinistro + layout.OrigineX + c * layout.LarghezzaEtichetta +
                c * layout.SpazioOrizzontale,
            layout.MargineSuperiore + layout.OrigineY + r * layout.AltezzaEtichetta +
                r * layout.SpazioVerticale};
}

QSizeF sheetExtent(const LayoutEtichetta& layout) {
    // Fractional counts print as their whole part, and a sheet has at least one label.
    const int columns = std::max(1, int(layout.EtichetteOrizzontali));
    const int rows = std::max(1, int(layout.EtichetteVerticali));
    const QPointF last = labelCorner(layout, columns, rows);
    return {last.x() + layout.LarghezzaEtichetta, last.y() + layout.AltezzaEtichetta};
}

} // namespace sheet
