// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/programfolders.h"
#include "printcomponent/printsurface.h"
#include "printcomponent/widgets/frmpressivoanteprima.h"
#include "printcomponent/widgets/frmpressivodestinazionestampa.h"
#include "printcomponent/widgets/widgetpressivoui.h"
#include "recordingprinter.h"
#include "support/recordingmessages.h"
#include "support/settingsfolder.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class Destination : public ::testing::Test {
protected:
    Destination() {
        dialog.setCopies(2);
        dialog.setCurrentPrinter(u"Etichettatrice"_s);
        dialog.setPort(u"usb://1"_s);
        dialog.show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }

    void choose(int option) {
        QTest::mouseClick(dialog.optTipoStampa[option], Qt::LeftButton, {},
                          QPoint(6, dialog.optTipoStampa[option]->height() / 2));
    }

    SettingsFolder folder;
    RecordingMessages messages;
    frmPressivoDestinazioneStampa dialog;
};

TEST_F(Destination, PreviewLocksTheCopiesAtOne) {
    choose(1);
    EXPECT_EQ(dialog.txtCopie->text(), u"1");
    EXPECT_FALSE(dialog.txtCopie->isEnabled());
    EXPECT_FALSE(dialog.vscCopie->isEnabled());
    choose(0);
    EXPECT_TRUE(dialog.txtCopie->isEnabled());
    EXPECT_EQ(dialog.txtCopie->text(), u"1");
    choose(1);
    QTest::mouseClick(dialog.cmdOk, Qt::LeftButton);
    EXPECT_EQ(dialog.DestinazioneStampa(), 1);
}

// The printer is chosen with the copies shown; Enter prints them.
TEST_F(Destination, CopiesTakeDigitsOnlyFollowTheScrollBarAndEnterPrintsThem) {
    EXPECT_TRUE(dialog.optTipoStampa[0]->isChecked());
    EXPECT_EQ(dialog.txtCopie->text(), u"2");
    dialog.txtCopie->setFocus();
    dialog.txtCopie->selectAll();
    QTest::keyClicks(dialog.txtCopie, u"1x2"_s);
    EXPECT_EQ(dialog.txtCopie->text(), u"12");
    EXPECT_EQ(messages.beeps, 1);
    dialog.vscCopie->setValue(7);
    EXPECT_EQ(dialog.txtCopie->text(), u"7");
    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_EQ(dialog.DestinazioneStampa(), 2);
    EXPECT_EQ(dialog.Copies(), 7);
}

TEST(DestinationButtons, SetUpAndCancelAnswerAtOnce) {
    for (const auto& [button, answer] : {std::pair{&frmPressivoDestinazioneStampa::cmdImposta, -1},
                                         {&frmPressivoDestinazioneStampa::cmdMargini, -2},
                                         {&frmPressivoDestinazioneStampa::cmdAnnulla, 0}}) {
        frmPressivoDestinazioneStampa dialog;
        dialog.show();
        QTest::mouseClick(dialog.*button, Qt::LeftButton);
        EXPECT_EQ(dialog.DestinazioneStampa(), answer);
    }
}

TEST_F(Destination, AFileNameIsAskedInTheStampeFolder) {
    QTest::mouseClick(dialog.imgOutput[2], Qt::LeftButton); // the picture selects its option
    EXPECT_TRUE(dialog.optTipoStampa[2]->isChecked());
    QTest::mouseClick(dialog.cmdOk, Qt::LeftButton); // the file question is cancelled
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(messages.fileRequests.size(), 1);
    const FileDialogRequest& request = messages.fileRequests[0];
    EXPECT_EQ(request.directory, programfolders::printsFolder());
    EXPECT_TRUE(QDir(programfolders::printsFolder()).exists());
    EXPECT_TRUE(request.confirmOverwrite);

    messages.fileAnswers.push_back(folder.filePath(u"Stampe/prova.ant"_s));
    QTest::mouseClick(dialog.cmdOk, Qt::LeftButton);
    EXPECT_EQ(dialog.DestinazioneStampa(), 3);
    EXPECT_EQ(dialog.FileName().toString(), folder.filePath(u"Stampe/prova.ant"_s));
}

// Paging stops at both ends; the page box refuses pages that do not exist; closing only hides.
TEST(Preview, PagingThePageBoxAndClosing) {
    RecordingMessages messages;
    frmPressivoAnteprima window;
    PrintSurface& surface = window.vspAnteprima();
    surface.StartDoc();
    for (int page = 1; page < 5; ++page)
        surface.NewPage();
    surface.EndDoc();
    window.show();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    window.AggiornaControlli();

    EXPECT_EQ(window.txtNumeroPagine->text(), u"5");
    // The page in the box, the page shown and the warnings so far.
    const auto shown = [&] {
        return std::tuple(window.txtPagina->text().toInt(), surface.PreviewPage(),
                          messages.messages.size());
    };
    const std::pair<const char*, int> paging[] = {
        {"precedente", 1}, {"ultima", 5}, {"successiva", 5}, {"precedente", 4}, {"prima", 1}};
    for (const auto& [command, page] : paging) {
        window.runCommand(QString::fromLatin1(command));
        EXPECT_EQ(shown(), std::tuple(page, page, qsizetype(0))) << command;
    }
    // What is typed in the page box, then left.
    const std::tuple<const char*, int, qsizetype> typing[] = {{"7", 5, 1}, {"", 1, 2}, {"3", 3, 2}};
    for (const auto& [typed, page, warnings] : typing) {
        window.txtPagina->setFocus();
        window.txtPagina->setText(QString::fromLatin1(typed));
        window.cmbZoom->setFocus();
        QCoreApplication::processEvents();
        EXPECT_EQ(shown(), std::tuple(page, page, warnings)) << typed;
    }

    window.close();
    EXPECT_FALSE(window.isVisible());
    window.show();
    EXPECT_EQ(surface.PageCount(), 5); // same window, same document
}

// The page as the preview draws it, in pixels, and the area it is shown in.
struct Fit {
    QSizeF page;
    QSize visible;
};

Fit fitOf(frmPressivoAnteprima& window) {
    QCoreApplication::processEvents();
    const PrintSurface& surface = window.vspAnteprima();
    const double pixelsPerTwip = surface.Zoom() / 100.0 / surface.TwipsPerPixel();
    auto* scroll = window.findChild<QScrollArea*>();
    return {surface.document().paper * pixelsPerTwip, scroll->maximumViewportSize()};
}

class PreviewFit : public ::testing::TestWithParam<QSize> {};

TEST_P(PreviewFit, OpensOnTheWholePageAndFitsAtAnySize) {
    frmPressivoAnteprima window;
    PrintSurface& surface = window.vspAnteprima();
    surface.StartDoc();
    surface.NewPage();
    surface.EndDoc();
    window.resize(GetParam());
    // As the print component opens it: the whole page, asked for before the window shows.
    window.AggiornaControlli();
    window.AggiornaZoom(u"Pagina intera"_s);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const int margin = PrintSurface::PreviewMargin;
    for (int round = 0; round < 2; ++round) {
        const Fit whole = fitOf(window);
        EXPECT_LE(whole.page.width(), whole.visible.width() - 2 * margin + 1);
        EXPECT_LE(whole.page.height(), whole.visible.height() - 2 * margin + 1);
        // One side fills the window.
        EXPECT_TRUE(std::abs(whole.page.height() - (whole.visible.height() - 2 * margin)) < 2 ||
                    std::abs(whole.page.width() - (whole.visible.width() - 2 * margin)) < 2)
            << whole.page.width() << "x" << whole.page.height();

        window.cmbZoom->setEditText(u"Larghezza"_s);
        window.AggiornaZoom();
        const Fit width = fitOf(window);
        const int bar = window.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        EXPECT_NEAR(width.page.width(), width.visible.width() - 2 * margin - bar, 2);

        window.cmbZoom->setEditText(u"Pagina intera"_s);
        window.AggiornaZoom();
        window.resize(GetParam().transposed()); // and again after a resize
    }
    // Ctrl+wheel and + / - zoom by steps.
    const double before = surface.Zoom();
    QTest::keyClick(window.view, Qt::Key_Plus);
    EXPECT_DOUBLE_EQ(surface.Zoom(), before * 1.25);
    QTest::keyClick(window.view, Qt::Key_Minus);
    EXPECT_DOUBLE_EQ(surface.Zoom(), before);
    QWheelEvent wheel(QPointF(50, 50), window.view->mapToGlobal(QPointF(50, 50)), QPoint(),
                      QPoint(0, 120), Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(window.view, &wheel);
    EXPECT_DOUBLE_EQ(surface.Zoom(), before * 1.25);
}

INSTANTIATE_TEST_SUITE_P(WindowSizes, PreviewFit,
                         ::testing::Values(QSize(900, 700), QSize(500, 900)));

// The progress of a print from the preview shows its whole title and printer.
TEST(PrintProgressWindow, IsWideEnoughForItsTitle) {
    auto printer = std::make_shared<RecordingPrinter>();
    WidgetPressivoUi ui(printer);
    PrintSurface& surface = ui.surface();
    surface.StartDoc();
    surface.DrawLine(0, 0, 1440, 1440);
    surface.EndDoc();
    int checked = 0;
    printer->whilePrinting = [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* progress = qobject_cast<QProgressDialog*>(widget);
            if (!progress || !progress->isVisible())
                continue;
            ++checked;
            const QFontMetrics metrics(progress->font());
            // A title bar also holds the window's icon and three buttons.
            EXPECT_GE(progress->width(), metrics.horizontalAdvance(progress->windowTitle()) + 160);
            EXPECT_GE(progress->width(), metrics.horizontalAdvance(u"Stampante Etichettatrice"_s));
        }
    };
    EXPECT_TRUE(surface.setAction(pressivo::PrintDocument));
    EXPECT_EQ(checked, 1);
}

} // namespace
