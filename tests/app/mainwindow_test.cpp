// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/units.h"
#include "common/widgets/widgetmessageservice.h"
#include "editing/widgets/frmmisura.h"
#include "editing/widgets/frmposizione.h"
#include "printcomponent/pressivoui.h"
#include "printcomponent/printsurface.h"
#include "support/files.h"
#include "support/near.h"
#include "support/windowtest.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <QToolTip>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using MainWindow = WindowTest;

TEST_F(MainWindow, TheSavePromptsThreeAnswers) {
    window.show();
    EXPECT_TRUE(window.close()); // without changes: nothing asked
    EXPECT_TRUE(messages.questions.isEmpty());
    window.show();
    document.setModificato(true);
    messages.answers = {Answer::Cancel};
    EXPECT_FALSE(window.close());
    EXPECT_EQ(messages.questions.back().text, u"Si desidera mantenere i cambiamenti?");
    // Yes, then the save dialog cancelled: the window stays.
    messages.answers = {Answer::Yes};
    EXPECT_FALSE(window.close());
    EXPECT_EQ(messages.fileRequests.size(), 1);
    messages.answers = {Answer::No};
    EXPECT_TRUE(window.close());
}

// The connection shows in the status bar, the grid and snap switches on their buttons.
TEST_F(MainWindow, ConnectionSwitchesAndANewLabel) {
    const QString demo = QStringLiteral(MARVELLO_TEST_DATA_DIR "/demo.mdb");
    document.setBinding({demo, QString(), u"Clienti"_s});
    EXPECT_TRUE(window.ConnettiDatabase(demo, {}, u"clienti"_s)); // a table's name in any case
    EXPECT_EQ(window.statusPanel(1), u"Connesso: "_s + demo);
    EXPECT_EQ(window.statusPanel(2), u"Clienti");
    run("mnuDisconnettiDb");
    EXPECT_EQ(window.statusPanel(1), u"Non connesso");
    EXPECT_FALSE(document.DatabaseConnesso());
    EXPECT_TRUE(document.Modificato());
    EXPECT_EQ(document.binding().NomeDatabase, demo); // kept for the next save
    EXPECT_FALSE(window.ConnettiDatabase(demo, {}, u"Manca"_s));
    EXPECT_TRUE(messages.messages.isEmpty()); // a missing table says nothing of its own

    EXPECT_FALSE(window.surface()->Griglia());
    EXPECT_TRUE(window.Snap());
    run("griglia");
    run("snap");
    EXPECT_TRUE(window.surface()->Griglia());
    EXPECT_FALSE(window.Snap());
    EXPECT_TRUE(window.action(u"griglia"_s)->isChecked());
    EXPECT_FALSE(window.action(u"snap"_s)->isChecked());

    // A new label keeps nothing of the one open before: no elements, and no file name that the
    // title would show and "Salva" would offer to replace.
    document.CreaOggTesto(567, 1440, 1000, 255);
    document.setFileName(u"/tmp/spedizione.eti"_s);
    document.setModificato(true);
    messages.answers = {Answer::No};
    run("nuovo");
    EXPECT_TRUE(document.elements().empty());
    EXPECT_FALSE(document.Modificato());
    EXPECT_TRUE(document.fileName().isEmpty());
    EXPECT_FALSE(window.windowTitle().contains(u"spedizione"))
        << window.windowTitle().toStdString();
}

TEST_F(MainWindow, MovingAnElementMarksTheLabelChanged) {
    window.show();
    LabelElement* text = document.CreaOggTesto(1200, 2000, 1000, 255);
    window.surface()->setModoSelezione(true);
    const QPoint from = at(1500, 2100);
    QTest::mousePress(window.surface(), Qt::LeftButton, {}, from);
    QTest::mouseMove(window.surface(), from + QPoint(30, 30));
    QTest::mouseRelease(window.surface(), Qt::LeftButton, {}, from + QPoint(30, 30));
    EXPECT_NE(text->Left, 1200);
    EXPECT_TRUE(document.Modificato());
    // File commands clear the selection; the select tool stays, and a click selects again.
    messages.fileAnswers.push_back(std::nullopt);
    run("salva");
    EXPECT_EQ(window.surface()->ControlloCorrente(), nullptr);
    EXPECT_TRUE(window.surface()->ModoSelezione());
    QTest::mouseClick(window.surface(), Qt::LeftButton, {}, at(text->Left + 300, text->Top + 100));
    EXPECT_EQ(window.surface()->ControlloCorrente(), text);

    // The toolbar shows the armed tool, and the select tool once it is used up.
    const auto selectAndRectangle = [&] {
        return std::pair(window.action(u"seleziona"_s)->isChecked(),
                         window.action(u"rettangolo"_s)->isChecked());
    };
    EXPECT_EQ(selectAndRectangle(), std::pair(true, false));
    run("rettangolo");
    EXPECT_EQ(selectAndRectangle(), std::pair(false, true));
    QTest::mouseClick(window.surface(), Qt::LeftButton, {}, at(4000, 4000));
    EXPECT_EQ(document.elements().size(), 2u);
    EXPECT_EQ(selectAndRectangle(), std::pair(true, false));
}

// Lines and ellipses come from their tools; a line is caught within a few pixels of it; Ruota
// turns the chosen element a quarter about its centre, and Annulla turns it back.
TEST_F(MainWindow, LinesAndEllipsesAreDrawnAndTurned) {
    window.show();
    // A new window's first click on an element selects it, as its pressed arrow says.
    EXPECT_TRUE(window.surface()->ModoSelezione());
    EXPECT_TRUE(window.action(u"seleziona"_s)->isChecked());
    run("linea");
    QTest::mouseClick(window.surface(), Qt::LeftButton, {}, at(3000, 3000));
    ASSERT_EQ(document.elements().size(), 1u);
    LabelElement& line = *document.elements()[0];
    EXPECT_EQ(line.kind, ElementKind::Linea);
    EXPECT_EQ(line.Height, 0);
    window.surface()->select({});
    QTest::mouseClick(window.surface(), Qt::LeftButton, {},
                      at(line.Left + line.Width / 2, line.Top) + QPoint(0, 2));
    ASSERT_EQ(window.surface()->ControlloCorrente(), &line);
    const QPointF centre = line.box().center();
    run("ruota");
    EXPECT_EQ(line.Rotazione, 90);
    EXPECT_TRUE(near(line.box(), QRectF(centre.x(), centre.y() - 1935 / 2.0, 0, 1935), 0.01));
    window.action(u"mnuAnnulla"_s)->trigger();
    ASSERT_EQ(document.elements().size(), 1u);
    EXPECT_EQ(document.elements()[0]->Rotazione, 0);
    EXPECT_NEAR(document.elements()[0]->Width, 1935, 0.01);

    run("ellisse");
    QTest::mouseClick(window.surface(), Qt::LeftButton, {}, at(5000, 5000));
    ASSERT_EQ(document.elements().size(), 2u);
    LabelElement& ellipse = *document.elements()[1];
    EXPECT_EQ(ellipse.kind, ElementKind::Ellisse);
    run("spessore3");
    EXPECT_FLOAT_EQ(ellipse.SpessoreMm, 0.8f);
    // Types over what a dialog's box shows, and confirms it.
    const auto retype = [](QDoubleSpinBox* box, const QString& typed, QPushButton* ok) {
        box->selectAll();
        QTest::keyClicks(box, typed);
        QTest::mouseClick(ok, Qt::LeftButton);
    };
    // Any width in millimetres, shown as it prints and typed with the decimal comma.
    whenShown<frmMisura>([retype](frmMisura& dialog) {
        EXPECT_EQ(dialog.txtMisura->text(), u"0,80 mm");
        retype(dialog.txtMisura, u"1,25"_s, dialog.cmdOk);
    });
    run("mnuSpessoreMm");
    EXPECT_FLOAT_EQ(ellipse.SpessoreMm, 1.25f);
    LabelElement* frame = document.CreaOggRettangolo(6000, 6000, 1500, 1000);
    window.surface()->select({frame});
    whenShown<frmMisura>(
        [retype](frmMisura& dialog) { retype(dialog.txtMisura, u"2,5"_s, dialog.cmdOk); });
    run("mnuRaggioAngoli");
    EXPECT_FLOAT_EQ(frame->RaggioAngoli, 2.5f);
    window.surface()->select({&ellipse});

    // Its place typed with the decimal comma; what was not changed stays.
    const float height = ellipse.Height;
    whenShown<frmPosizione>(
        [retype](frmPosizione& dialog) { retype(dialog.txtMisure[0], u"12,5"_s, dialog.cmdOk); });
    run("mnuPosizione");
    EXPECT_NEAR(ellipse.Left, units::LabelOriginXTwips + 12.5 * units::TwipsPerMillimetre, 0.01);
    EXPECT_EQ(ellipse.Height, height);
    // The status bar shows it, and a double click there opens the same dialog.
    EXPECT_TRUE(window.statusPanel(3).startsWith(u"X 12,5  Y "))
        << window.statusPanel(3).toStdString();
    auto* place = window.findChild<QLabel*>(u"lblPosizione"_s);
    ASSERT_NE(place, nullptr);
    whenShown<frmPosizione>(
        [retype](frmPosizione& dialog) { retype(dialog.txtMisure[1], u"7"_s, dialog.cmdOk); });
    QTest::mouseDClick(place, Qt::LeftButton);
    EXPECT_NEAR(ellipse.Top, units::LabelOriginYTwips + 7 * units::TwipsPerMillimetre, 0.01);
    EXPECT_TRUE(window.statusPanel(3).contains(u"Y 7,0")) << window.statusPanel(3).toStdString();

    // A turned element pasted is turned too.
    run("ruota");
    run("mnuCopia");
    run("mnuIncolla");
    ASSERT_EQ(document.elements().size(), 4u);
    EXPECT_EQ(document.elements()[3]->Rotazione, 90);
    EXPECT_EQ(document.elements()[3]->Width, ellipse.Width);
}

TEST_F(MainWindow, ASavedPrintOpensAgainInThePreview) {
    // A saved print of three labels, written as the destination dialog writes it.
    const QString saved = folder.filePath(u"prova.ant"_s);
    HeadlessPressivoUi ui;
    PressivoUi::install(&ui);
    ui.surface().StartDoc();
    ui.surface().NewPage();
    ui.surface().EndDoc();
    ASSERT_TRUE(ui.surface().SaveDoc(saved));
    ui.surface().KillDoc();

    ui.destination = pressivo::Preview; // "Video"
    messages.fileAnswers.push_back(saved);
    run("mnuApriStampa");
    ASSERT_EQ(messages.fileRequests.size(), 1);
    EXPECT_TRUE(messages.fileRequests[0].filter.contains(u"*.ant"));
    EXPECT_EQ(ui.previews, 1);
    EXPECT_EQ(ui.surface().PageCount(), 2);

    // Or to a PDF: the destination is the user's to choose, the saved print stays as it was.
    const QByteArray before = readBytes(saved);
    ui.destination = pressivo::File;
    ui.fileName = folder.filePath(u"copia.pdf"_s);
    messages.fileAnswers.push_back(saved);
    run("mnuApriStampa");
    EXPECT_TRUE(QFileInfo(ui.fileName).size() > 0);
    EXPECT_EQ(readBytes(saved), before);
    PressivoUi::install(nullptr);
}

TEST(FileDialogs, ANameWithoutExtensionTakesTheChosenTypes) {
    const QTemporaryDir folder;
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Save;
    request.filter = QStringLiteral("Tutti Files (*.*)|*.*|File anteprima (*.ant)|*.ant|"
                                    "Documento PDF (*.pdf)|*.pdf");
    request.filterIndex = 2;
    request.directory = folder.path();
    for (const auto& [filter, suffix] : {std::pair{"Documento PDF (*.pdf)", ".pdf"},
                                         std::pair{"File anteprima (*.ant)", ".ant"}}) {
        // Qt's own dialog: answered once the event loop of its exec() runs.
        QTimer::singleShot(0, [filter = filter] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->selectNameFilter(QString::fromLatin1(filter));
            emit dialog->filterSelected(QString::fromLatin1(filter));
            dialog->selectFile(u"etichette"_s);
            QMetaObject::invokeMethod(dialog, "accept"); // as the Save button does
        });
        const auto chosen = WidgetMessageService().chooseFile(request);
        ASSERT_TRUE(chosen);
        EXPECT_TRUE(chosen->endsWith(QString::fromLatin1(suffix))) << chosen->toStdString();
    }
}

TEST_F(MainWindow, SmallThingsAUserNoticesAtOnce) {
    window.resize(700, 500);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    // A button without a tooltip shows no empty box; one with a tooltip shows it.
    auto tooltipOf = [&](const char* key) {
        for (QToolButton* button : window.findChildren<QToolButton*>()) {
            if (button->defaultAction() &&
                button->defaultAction()->objectName() == QLatin1String(key)) {
                QHelpEvent help(QEvent::ToolTip, QPoint(4, 4), button->mapToGlobal(QPoint(4, 4)));
                QCoreApplication::sendEvent(button, &help);
                const bool shown = QToolTip::isVisible();
                QToolTip::hideText();
                return shown;
            }
        }
        ADD_FAILURE() << key;
        return false;
    };
    EXPECT_FALSE(tooltipOf("immagine"));
    EXPECT_TRUE(tooltipOf("stampa"));

    // The font size box shows four digits.
    auto* size = window.findChild<QComboBox*>(u"cmbFontsize"_s);
    ASSERT_NE(size, nullptr);
    EXPECT_GE(size->lineEdit()->width(), size->fontMetrics().horizontalAdvance(u"1638"_s));

    // "Nuovo" brings the label back into view.
    auto* scroll = window.findChild<QScrollArea*>();
    ASSERT_NE(scroll, nullptr);
    QScrollBar& across = *scroll->horizontalScrollBar();
    QScrollBar& down = *scroll->verticalScrollBar();
    across.setValue(300);
    down.setValue(300);
    run("mnuNuovo");
    EXPECT_EQ(across.value(), 0);
    EXPECT_EQ(down.value(), 0);

    // Zooming out from a corner far from the label brings the label back into view, and
    // zooming keeps the middle of the view where it was.
    auto* surface = window.surface();
    const auto labelInView = [&] {
        const QRect view(QPoint(across.value(), down.value()), scroll->viewport()->size());
        return view.contains(surface->labelPixels());
    };
    run("mnuZoom100");
    for (int i = 0; i < 4; ++i)
        run("mnuZoomAvanti");
    across.setValue(across.maximum());
    down.setValue(down.maximum());
    EXPECT_FALSE(labelInView());
    for (int i = 0; i < 5; ++i)
        run("mnuZoomIndietro");
    EXPECT_TRUE(labelInView());
    for (int i = 0; i < 4; ++i)
        run("mnuZoomAvanti"); // 300 %: the label is larger than the view
    across.setValue(surface->labelPixels().center().x() - scroll->viewport()->width() / 2);
    ASSERT_GT(across.value(), 0);
    const double middle =
        (across.value() + scroll->viewport()->width() / 2.0) * surface->twipsPerPixel();
    run("mnuZoomAvanti");
    EXPECT_NEAR((across.value() + scroll->viewport()->width() / 2.0) * surface->twipsPerPixel(),
                middle, 2 * surface->twipsPerPixel());

    // The rulers stay along the view's top and left edges while the surface scrolls.
    run("mnuZoom100");
    across.setValue(300);
    down.setValue(300);
    const QImage view = scroll->viewport()->grab().toImage();
    const auto whiteShare = [&](QPoint from, QPoint step, int count) {
        int white = 0;
        for (int i = 0; i < count; ++i)
            white += view.pixelColor(from + i * step) == Qt::white;
        return double(white) / count;
    };
    EXPECT_GT(whiteShare(QPoint(40, 6), QPoint(1, 0), view.width() / 2), 0.8);  // the top one
    EXPECT_GT(whiteShare(QPoint(3, 60), QPoint(0, 1), view.height() / 2), 0.8); // the left one

    // The shortcuts every program has.
    for (const auto& [name, keys] : {std::pair{"mnuNuovo", QKeySequence(Qt::CTRL | Qt::Key_N)},
                                     std::pair{"mnuApri", QKeySequence(Qt::CTRL | Qt::Key_O)},
                                     std::pair{"mnuStampa", QKeySequence(Qt::CTRL | Qt::Key_P)},
                                     std::pair{"mnuEsci", QKeySequence(Qt::CTRL | Qt::Key_Q)}})
        EXPECT_TRUE(window.action(QLatin1String(name))->shortcuts().contains(keys)) << name;
}

} // namespace
