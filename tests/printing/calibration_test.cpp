// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/units.h"
#include "document/labeldocument.h"
#include "printcomponent/pressivoui.h"
#include "printcomponent/printersettings.h"
#include "printcomponent/printsurface.h"
#include "printcomponent/recordingprinter.h"
#include "printing/calibrationpage.h"
#include "printing/widgets/frmcalibrastampante.h"
#include "support/marvelloprocess.h"
#include "support/near.h"
#include "support/recordingmessages.h"
#include "support/settingsfolder.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QSpinBox>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The page shows where the printer puts the label: its frame at the label's edge and the
// top-left cross 10 mm in from it, both moved by exactly the offsets it is printed with.
// Each printer keeps its own settings: offsets corrected from where the cross was measured,
// the language of a printer without a driver, a test page printed as the printer will print.
// "Annulla" keeps nothing.
TEST(Calibration, ThePageMarksTheLabelsEdgeAndTheDialogKeepsEachPrintersOwnSettings) {
    SettingsFolder folder;
    RecordingMessages messages;
    LabelDocument document;
    document.setLayout({1, 1, 0, 0, 101.6, 76.2}, {LabelPaper::Kind::Roll});
    HeadlessPressivoUi ui;
    ui.destination = pressivo::File;
    ui.fileName = folder.filePath(u"calibrazione.pdf"_s);
    ASSERT_EQ(calibration::printPage(document, ui, QPointF(1.5, 2)), PrintOutcome::Delivered);
    const QImage page = pdfPage(ui.fileName, 1, 254, folder.path());
    ASSERT_EQ(page.size(), QSize(1016, 762)); // the roll's page: the label
    const auto dark = [&page](QPointF millimetres) {
        const QPoint dot = (millimetres * 10).toPoint(); // 254 dpi: 10 dots a millimetre
        return qGray(page.pixel(dot)) < 128;
    };
    // The frame: its left edge 1.5 mm in, its top 2 mm down, nothing before them.
    EXPECT_TRUE(dark({1.5, 40}));
    EXPECT_FALSE(dark({1.0, 40}));
    EXPECT_TRUE(dark({50, 2}));
    EXPECT_FALSE(dark({50, 1.5}));
    // The cross at 10 mm from the label's corner: its arms at 11.5 mm and 12 mm.
    EXPECT_TRUE(dark({11.5, 14.5}));
    EXPECT_TRUE(dark({9, 12}));
    EXPECT_FALSE(dark({9, 13}));
    // The 10 mm scale along the top: a tick at every millimetre.
    for (int mm = 0; mm <= 10; ++mm)
        EXPECT_TRUE(dark({1.5 + mm, 2.8})) << mm;

    auto printer = std::make_shared<RecordingPrinter>();
    QString opened;
    PrinterSettings openedWith;
    const auto open = [&](const QString& name, const PrinterSettings& settings) {
        opened = name;
        openedWith = settings;
        return printer;
    };
    const QStringList printers{u"UFFICIO"_s, u"ZEBRA"_s};
    {
        frmCalibraStampante dialog(document, printers, u"ZEBRA"_s, open);
        EXPECT_EQ(dialog.chosenPrinter(), u"ZEBRA");
        dialog.cmbLinguaggio->setCurrentIndex(1);
        dialog.txtRisoluzione->setValue(300);
        dialog.txtMisuraX->setValue(11.5); // printed 1.5 mm too far right
        dialog.txtMisuraY->setValue(9);    // and 1 mm too high
        dialog.cmdCorreggi->click();
        EXPECT_DOUBLE_EQ(dialog.txtSpostamentoX->value(), -1.5);
        EXPECT_DOUBLE_EQ(dialog.txtSpostamentoY->value(), 1);
        dialog.cmdProva->click();
        ASSERT_EQ(printer->jobs.size(), 1u);
        EXPECT_EQ(opened, u"ZEBRA");
        // The page goes out as the printer will print, nothing kept before "Ok".
        EXPECT_EQ(openedWith, (PrinterSettings{-1.5, 1, true, 300}));
        EXPECT_EQ(printersettings::read(u"ZEBRA"_s), PrinterSettings{});
        EXPECT_TRUE(printer->received.calibration.has_value()); // not moved again
        QRectF frame;
        for (const DrawOp& op : printer->received.pages.at(0).operations())
            if (op.kind == DrawOp::Kind::Rectangle && frame.isNull())
                frame = QRectF(op.area.topLeft() / units::TwipsPerMillimetre,
                               op.area.size() / units::TwipsPerMillimetre);
        EXPECT_TRUE(near(frame, QRectF(-1.5, 1, 101.6, 76.2)));

        dialog.cmbStampante->setCurrentText(u"UFFICIO"_s);
        EXPECT_EQ(dialog.txtSpostamentoX->value(), 0);
        EXPECT_FALSE(dialog.txtRisoluzione->isEnabled());
        dialog.txtSpostamentoX->setValue(0.5);
        dialog.cmbStampante->setCurrentText(u"ZEBRA"_s);
        EXPECT_DOUBLE_EQ(dialog.txtSpostamentoX->value(), -1.5); // what was typed, kept
        dialog.cmdOk->click();
    }
    EXPECT_EQ(printersettings::read(u"ZEBRA"_s), (PrinterSettings{-1.5, 1, true, 300}));
    EXPECT_EQ(printersettings::read(u"UFFICIO"_s), (PrinterSettings{0.5, 0, false, 0}));

    // A correction is of the page printed, whatever was typed since; "Annulla" keeps nothing.
    frmCalibraStampante cancelled(document, printers, u"UFFICIO"_s, open);
    cancelled.cmdProva->click();
    cancelled.txtSpostamentoX->setValue(3);
    cancelled.txtMisuraX->setValue(9);
    cancelled.cmdCorreggi->click();
    EXPECT_DOUBLE_EQ(cancelled.txtSpostamentoX->value(), 1.5);
    cancelled.cmdCancel->click();
    EXPECT_EQ(printersettings::read(u"UFFICIO"_s).offsetX, 0.5);
}

} // namespace
