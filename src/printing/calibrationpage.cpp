// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/calibrationpage.h"

#include "common/numbers.h"
#include "common/units.h"
#include "document/labeldocument.h"
#include "printcomponent/clspressivo.h"
#include "printcomponent/pressivocodes.h"
#include "printcomponent/printsurface.h"
#include "printing/sheetgeometry.h"

namespace calibration {

namespace {

constexpr double CrossArm = 3; // millimetres each way from a cross's centre
constexpr double ScaleLength = 10;

void cross(clsPressivo& pressivo, QPointF centre) {
    pressivo.DrawLine(centre.x() - CrossArm, centre.y(), centre.x() + CrossArm, centre.y());
    pressivo.DrawLine(centre.x(), centre.y() - CrossArm, centre.x(), centre.y() + CrossArm);
    pressivo.DrawCircle(centre.x(), centre.y(), CrossArm / 2);
}

// Millimetre ticks from the corner along the top edge and down the left edge: every fifth
// longer, the tenth longest.
void scales(clsPressivo& pressivo, QPointF corner) {
    for (int mm = 0; mm <= int(ScaleLength); ++mm) {
        const double tick = mm % 10 == 0 ? 4 : mm % 5 == 0 ? 3 : 1.5;
        pressivo.DrawLine(corner.x() + mm, corner.y(), corner.x() + mm, corner.y() + tick);
        pressivo.DrawLine(corner.x(), corner.y() + mm, corner.x() + tick, corner.y() + mm);
    }
}

} // namespace

PrintOutcome printPage(const LabelDocument& document, PressivoUi& ui, const QPointF& offset) {
    clsPressivo pressivo(ui);
    if (pressivo.SelectPrintDestination() == pressivo::Discard)
        return PrintOutcome::Cancelled;
    // The label's place on its page, as it lies there.
    const LayoutEtichetta page = sheet::pageLayout(document.paper(), document.layout());
    const std::optional<QSizeF> paper = sheet::paperSize(document.paper(), document.layout());
    pressivo.surface().setJobPaper(
        paper ? std::optional<QSizeF>(*paper * units::PaperTwipsPerMillimetre) : std::nullopt);
    pressivo.surface().setJobName(QStringLiteral("Calibrazione"));
    pressivo.StartDoc();
    pressivo.setScaleMode(pressivo::Millimetre);
    pressivo.setOffsetX((paper ? 0.0 : sheet::PrintShiftX) + offset.x());
    pressivo.setOffsetY(offset.y());
    if (pressivo.PrintDestination() == pressivo::Printer)
        pressivo.surface().setCalibration(offset * units::TwipsPerMillimetre);

    const QPointF corner = sheet::labelCorner(page, 1, 1);
    const double w = page.LarghezzaEtichetta, h = page.AltezzaEtichetta;
    pressivo.DrawLine(corner.x(), corner.y(), corner.x() + w, corner.y() + h, {},
                      QStringLiteral("B"), {}, 1);
    // The top-left cross is the one measured; a label with room has one at each corner.
    cross(pressivo, corner + QPointF(CrossDistance, CrossDistance));
    const bool roomy = w >= 3 * CrossDistance && h >= 3 * CrossDistance;
    if (roomy) {
        for (const QPointF in :
             {QPointF(w - CrossDistance, CrossDistance), QPointF(CrossDistance, h - CrossDistance),
              QPointF(w - CrossDistance, h - CrossDistance)})
            cross(pressivo, corner + in);
    }
    scales(pressivo, corner);
    if (roomy && w >= 50) {
        pressivo.setFontName(QStringLiteral("DejaVu Sans"));
        pressivo.setFontSize(7);
        const QStringList lines{
            QStringLiteral("Calibrazione: %1 x %2 mm").arg(FormatNumero(w, 2), FormatNumero(h, 2)),
            QStringLiteral("croci a %1 mm dai bordi").arg(CrossDistance),
            QStringLiteral("spostamento %1; %2 mm")
                .arg(FormatNumero(offset.x(), 2), FormatNumero(offset.y(), 2))};
        for (int i = 0; i < lines.size(); ++i) {
            pressivo.setCurrentX(float(corner.x() + CrossDistance + CrossArm + 2));
            pressivo.setCurrentY(float(corner.y() + CrossDistance + CrossArm + 1 + 3.5 * i));
            pressivo.DrawText(lines[i]);
        }
    }
    return pressivo.EndDoc() ? PrintOutcome::Delivered : PrintOutcome::Failed;
}

QPointF correctedOffset(const QPointF& printedWith, const QPointF& measured) {
    return printedWith + QPointF(CrossDistance, CrossDistance) - measured;
}

} // namespace calibration
