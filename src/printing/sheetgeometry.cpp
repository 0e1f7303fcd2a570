// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/sheetgeometry.h"

#include <QPageSize>

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

std::optional<QSizeF> paperSize(const LabelPaper& paper, const LayoutEtichetta& layout) {
    switch (paper.kind) {
    case LabelPaper::Kind::Printer:
        return std::nullopt;
    case LabelPaper::Kind::Named: {
        const QPageSize::PageSizeId id = paper.name == u"A5"       ? QPageSize::A5
                                         : paper.name == u"Letter" ? QPageSize::Letter
                                         : paper.name == u"Legal"  ? QPageSize::Legal
                                                                   : QPageSize::A4;
        return QPageSize(id).size(QPageSize::Millimeter);
    }
    case LabelPaper::Kind::Custom:
        return QSizeF(paper.width, paper.height);
    case LabelPaper::Kind::Roll: {
        // The labels as they lie on the page: a turned label is as wide as it is high.
        const LayoutEtichetta lying = pageLayout(paper, layout);
        const int across = std::max(1, int(lying.EtichetteOrizzontali));
        return QSizeF(2 * lying.MargineSinistro + across * lying.LarghezzaEtichetta +
                          (across - 1) * lying.SpazioOrizzontale,
                      2 * lying.MargineSuperiore + lying.AltezzaEtichetta);
    }
    }
    return std::nullopt;
}

LayoutEtichetta pageLayout(const LabelPaper& paper, const LayoutEtichetta& layout) {
    LayoutEtichetta page = layout;
    if (paper.kind == LabelPaper::Kind::Roll)
        page.EtichetteVerticali = 1;
    if (paper.turned)
        std::swap(page.LarghezzaEtichetta, page.AltezzaEtichetta);
    return page;
}

} // namespace sheet
