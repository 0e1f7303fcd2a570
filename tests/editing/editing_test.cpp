// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/fontboxes.h"
#include "barcode/widgets/frmparametribarcode.h"
#include "database/widgets/connectdialogs.h"
#include "editing/editcommands.h"
#include "editing/widgets/frmallineamento.h"
#include "editing/widgets/frmmodificatesto.h"
#include "support/windowtest.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <tuple>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

TEST(Paste, CopiesStackAboveAndRightOfTheSourceAndPicturesKeepTheirPicture) {
    LabelDocument document;
    LabelElement* source = document.CreaOggTesto(2000, 3000, 1000, 255);
    source->FontSize = 8.25f;
    source->Caption = u"Prezzo"_s;
    source->DataMember = u"Prezzo"_s;
    LabelElement* first = DuplicaOggetto(document, source->key());
    LabelElement* second = DuplicaOggetto(document, source->key());
    ASSERT_TRUE(first && second);
    for (const LabelElement* copy : {first, second})
        EXPECT_EQ(std::tuple(copy->Left, copy->Top, copy->FontSize, copy->Caption, copy->DataMember,
                             document.zOrder().GetZOrdine(copy->key())),
                  std::tuple(2100.f, 2900.f, 8.f, u"Prezzo"_s, u"Prezzo"_s, 1));
    EXPECT_EQ(document.stackingOrder().back(), second);

    // A pasted picture shows its picture.
    LabelElement* picture = document.CreaOggPicture(0, 0, 500, 500);
    picture->Picture = QImage(4, 4, QImage::Format_RGB32);
    picture->ToolTipText = u"logo.png"_s;
    LabelElement* copy = DuplicaOggetto(document, picture->key());
    EXPECT_FALSE(copy->Picture.isNull());
    EXPECT_EQ(copy->ToolTipText, u"logo.png");
}

using Commands = WindowTest;

TEST_F(Commands, FormattingCommandsApplyToTheKindsTheyFit) {
    LabelElement* box = document.CreaOggRettangolo(1000, 2000, 1000, 1000);
    select(box);
    messages.colorAnswers.push_back(QColor(0x12, 0x34, 0x56));
    run("coloreogg"); // stored with red in the low byte
    EXPECT_EQ(box->BorderColor, 0x563412);
    LabelElement* text = document.CreaOggTesto(5000, 5000, 1000, 255);
    select(text);
    messages.colorAnswers.push_back(QColor(0, 255, 0));
    run("coloresfo"); // a background colour makes a transparent text opaque
    EXPECT_EQ(std::pair(text->BackStyle, text->BackColor), std::pair(Background::Opaque, 0x00FF00));
    EXPECT_TRUE(document.Modificato());
    const LabelElement before = *text;
    run("spessore2");
    EXPECT_EQ(text->BorderWidth, before.BorderWidth);
    run("trasparente");
    EXPECT_EQ(text->BackStyle, Background::Transparent);
    run("allineac");
    EXPECT_EQ(text->Alignment, TextAlignment::Centre);
}

TEST_F(Commands, CopyPasteDeleteAndDepth) {
    LabelElement* text = document.CreaOggTesto(1000, 2000, 1000, 255);
    run("mnuIncolla"); // nothing copied: nothing happens
    EXPECT_EQ(document.elements().size(), 1u);
    select(text);
    run("mnuCopia");
    run("mnuIncolla");
    run("mnuIncolla");
    EXPECT_EQ(document.elements().size(), 3u);
    // The last copy is selected: the arrows move it, not the original.
    LabelElement* copy = window.surface()->ControlloCorrente();
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, text);
    const double left = copy->Left;
    QTest::keyClick(window.surface(), Qt::Key_Right);
    EXPECT_GT(copy->Left, left);
    EXPECT_EQ(text->Left, 1000);
    select(text);
    run("mnuPortaIndietro");
    EXPECT_EQ(document.zOrder().GetZOrdine(text->key()), 2);
    run("mnuCancella");
    EXPECT_TRUE(window.surface()->ModoSelezione());
    EXPECT_EQ(document.zOrder().GetZOrdine(u"oggTesto1"_s), 0);
    run("mnuIncolla"); // the copied element is gone: nothing is pasted
    EXPECT_EQ(document.elements().size(), 2u);
}

// Connecting asks for the file, then the table; cancelled, it leaves the label unconnected.
TEST_F(Commands, TheTablesFieldsAreLinkedAndPutInTexts) {
    const QString demo = QStringLiteral(MARVELLO_TEST_DATA_DIR "/demo.mdb");
    whenShown<frmConnettiDBMDB>([demo](frmConnettiDBMDB& dialog) {
        dialog.txtNomeFileDB->setText(demo);
        whenShown<frmSelezionaTabella>([](frmSelezionaTabella& tables) {
            EXPECT_EQ(tables.lstTabelle->count(), 6); // three tables, then three queries
            EXPECT_EQ(tables.lstTabelle->item(3)->text(), u"ClientiRoma");
            QTest::mouseClick(tables.cmdCancel, Qt::LeftButton);
        });
        QTest::mouseClick(dialog.cmdOk, Qt::LeftButton);
    });
    run("connettidb");
    EXPECT_EQ(window.statusPanel(1), u"Non connesso");
    EXPECT_FALSE(document.DatabaseConnesso());
    EXPECT_EQ(document.binding().NomeDatabase, demo);

    // A linked text shows the field; unlinked, it shows "abc" again.
    ASSERT_TRUE(connectDemo());
    select(document.CreaOggRettangolo(5000, 5000, 500, 500));
    run("collega"); // a rectangle cannot be linked: no dialog
    LabelElement* text = document.CreaOggTesto(1000, 2000, 1000, 255);
    select(text);
    whenShown<frmCollegaCampo>([](frmCollegaCampo& dialog) {
        EXPECT_EQ(dialog.lstCampi->count(), 17);
        QTest::mouseClick(dialog.cmdOk, Qt::LeftButton); // nothing selected
        EXPECT_TRUE(dialog.isVisible());
        dialog.SelezionaCampo(u" citta "_s);
        QTest::mouseClick(dialog.cmdOk, Qt::LeftButton);
    });
    run("collega");
    EXPECT_EQ(std::pair(text->DataMember, text->Caption), std::pair(u"Citta"_s, u"[Citta]"_s));
    EXPECT_EQ(messages.lastText(), u"Selezionare il nome campo da collegare al controllo.");
    whenShown<frmCollegaCampo>([](frmCollegaCampo& dialog) {
        EXPECT_EQ(dialog.lstCampi->currentItem()->text(), u"Citta");
        QTest::mouseClick(dialog.cmdScollega, Qt::LeftButton);
    });
    run("collega");
    EXPECT_EQ(std::pair(text->DataMember, text->Caption), std::pair(QString(), u"abc"_s));

    // "Campi" offers the table's fields and the label's own values, and puts the chosen one where
    // the caret is; its menu taking the focus for a moment neither trims nor selects the text.
    text->Caption = u"Spett."_s;
    select(text);
    whenShown<frmModificaTesto>([](frmModificaTesto& editor) {
        const QList<QAction*> offered = editor.cmdCampi->menu()->actions();
        ASSERT_EQ(offered.size(), 17 + 1 + 3); // the fields, a separator, N, data, ora
        EXPECT_EQ(offered.back()->data().toString(), u"ora");
        editor.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));
        editor.txtRighe->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), editor.txtRighe);
        const auto choose = [&](const char* name) {
            QFocusEvent out(QEvent::FocusOut, Qt::PopupFocusReason);
            QApplication::sendEvent(editor.txtRighe, &out);
            for (QAction* action : offered) {
                if (action->data().toString() == QLatin1String(name))
                    action->trigger();
            }
            QFocusEvent in(QEvent::FocusIn, Qt::PopupFocusReason);
            QApplication::sendEvent(editor.txtRighe, &in);
        };
        choose("Citta"); // goes after the text, which stays
        QTextCursor caret = editor.txtRighe->textCursor();
        caret.setPosition(6);
        editor.txtRighe->setTextCursor(caret);
        QTest::keyClicks(editor.txtRighe, u" "_s);
        choose("RagioneSociale");
        QTest::keyClicks(editor.txtRighe, u" n. "_s);
        choose("N");
        // Enter makes a new line; the dialog stays open.
        editor.txtRighe->moveCursor(QTextCursor::End);
        QTest::keyClick(editor.txtRighe, Qt::Key_Return);
        QTest::keyClicks(editor.txtRighe, u"Torino"_s);
        EXPECT_TRUE(editor.isVisible());
        QTest::mouseClick(editor.cmdOk, Qt::LeftButton);
    });
    run("mnuModificaTesto");
    EXPECT_EQ(text->Caption, u"Spett. ${RagioneSociale} n. ${N}${Citta}\nTorino");

    // Double clicking a linked picture opens its field link.
    LabelElement* picture = document.CreaOggPicture(1000, 2000, 1500, 1500);
    picture->DataMember = u"Logo"_s;
    window.show();
    window.surface()->setModoSelezione(true);
    QTest::mouseClick(window.surface(), Qt::LeftButton, {}, at(1500, 2500));
    bool linkDialog = false;
    whenShown<frmCollegaCampo>([&linkDialog](frmCollegaCampo& dialog) {
        linkDialog =
            dialog.lstCampi->currentItem() && dialog.lstCampi->currentItem()->text() == u"Logo";
        QTest::mouseClick(dialog.cmdCancel, Qt::LeftButton);
    });
    QTest::mouseDClick(window.surface(), Qt::LeftButton, {}, at(1500, 2500));
    EXPECT_TRUE(linkDialog);
    EXPECT_EQ(picture->DataMember, u"Logo");

    // Fields that ${...} cannot name are not offered, and a & shows as itself.
    frmModificaTesto editor;
    editor.offerFields({u"data"_s, u"N+1"_s, u"a}b"_s, u" Nome"_s, u"Prezzo & IVA"_s});
    const QList<QAction*> offered = editor.cmdCampi->menu()->actions();
    ASSERT_EQ(offered.size(), 1 + 1 + 3);
    EXPECT_EQ(offered[0]->text(), u"Prezzo && IVA");
    EXPECT_EQ(offered[0]->data().toString(), u"Prezzo & IVA");

    // The wrapped hint has room under the text box and above the buttons, in either form.
    for (const bool multiLine : {false, true}) {
        editor.setMultiLine(multiLine);
        editor.show();
        const QWidget* box = multiLine ? static_cast<QWidget*>(editor.txtRighe) : editor.txtTesto;
        const auto* hint = editor.findChild<QLabel*>(u"lblAiuto"_s);
        ASSERT_TRUE(hint);
        EXPECT_GE(hint->geometry().top(), box->geometry().bottom()) << multiLine;
        EXPECT_GE(hint->height(), hint->heightForWidth(hint->width())) << multiLine;
        EXPECT_LE(hint->geometry().bottom(), editor.cmdOk->mapTo(&editor, QPoint()).y())
            << multiLine;
    }
}

// A new barcode's parameters open with Code 39. A barcode's text whose check digit is wrong is
// said at once, with the right digit, and the editor stays open; placeholders are left for
// printing to check.
TEST_F(Commands, TheEditorsOfBarcodesPicturesAndLinkedTexts) {
    LabelElement* code = document.CreaOggImmagine(1000, 2000, 1935, 1035);
    select(code);
    whenShown<frmParametriBarcode>([](frmParametriBarcode& dialog) {
        EXPECT_EQ(dialog.cmbTipoBarcode->currentText(), u"Code 39");
        dialog.cmbTipoBarcode->setCurrentIndex(1);
        QTest::mouseClick(dialog.cmdOk, Qt::LeftButton);
    });
    run("parbarcode");
    EXPECT_EQ(code->Tag, u"10"); // EAN-13, whose check digit the editor checks
    code->ToolTipText = u"4006381333931"_s;
    whenShown<frmModificaTesto>([this](frmModificaTesto& editor) {
        editor.txtTesto->setText(u"4006381333932"_s);
        QTest::mouseClick(editor.cmdOk, Qt::LeftButton);
        EXPECT_EQ(messages.lastText(), u"Cifra di controllo errata: attesa 1");
        EXPECT_TRUE(editor.isVisible());
        editor.txtTesto->setText(u"400638133393${N}"_s);
        QTest::mouseClick(editor.cmdOk, Qt::LeftButton);
    });
    run("mnuModificaTesto");
    EXPECT_EQ(code->ToolTipText, u"400638133393${N}");

    // The picture editor wants an existing file.
    LabelElement* picture = document.CreaOggPicture(1000, 2000, 1000, 1000);
    select(picture);
    whenShown<frmModificaImmagine>([this](frmModificaImmagine& editor) {
        editor.txtNomeFile->setText(u"/non/esiste.png"_s);
        QTest::mouseClick(editor.cmdOk, Qt::LeftButton);
        EXPECT_EQ(messages.lastText(), u"Inserire un nome file valido.");
        EXPECT_TRUE(editor.isVisible());
        QTest::mouseClick(editor.cmdCancel, Qt::LeftButton);
    });
    run("mnuModificaImmagine");
    EXPECT_TRUE(picture->ToolTipText.isEmpty());

    // Editing a linked text unlinks it.
    LabelElement* text = document.CreaOggTesto(1000, 2000, 1000, 255);
    text->DataMember = u"Citta"_s;
    text->Caption = u"[Citta]"_s;
    select(text);
    whenShown<frmModificaTesto>([](frmModificaTesto& editor) {
        EXPECT_TRUE(editor.txtRighe->toPlainText().isEmpty()); // a linked text shows no text
        editor.txtRighe->setPlainText(u"Roma"_s);
        QTest::mouseClick(editor.cmdOk, Qt::LeftButton);
    });
    run("mnuModificaTesto");
    EXPECT_EQ(std::pair(text->DataMember, text->Caption), std::pair(QString(), u"Roma"_s));
}

TEST_F(Commands, FontBoxesAndTheFontDialogApplyWholeSizesToTheTextOrTheTemplate) {
    EXPECT_TRUE(FontBoxes::FontDisponibile(u"Arial"_s)); // printed by Liberation Sans
    window.fonts().ApplicaCarattere(u"Liberation Serif"_s, u"8,5"_s, true, false);
    const LabelElement& textTemplate = document.templateOf(ElementKind::Testo);
    EXPECT_EQ(std::tuple(textTemplate.FontName, textTemplate.FontSize, textTemplate.FontBold),
              std::tuple(u"Liberation Serif"_s, 8.f, true));
    // New texts take the template's font.
    LabelElement* text = document.CreaOggTesto(1000, 2000, 1000, 255);
    EXPECT_EQ(text->FontName, u"Liberation Serif");
    select(text);
    window.fonts().ApplicaCarattere(u"Arial"_s, u"12"_s, false, true);
    EXPECT_EQ(std::pair(text->FontName, text->FontItalic), std::pair(u"Arial"_s, true));
    EXPECT_EQ(textTemplate.FontName, u"Liberation Serif"); // the template stays

    // The font dialog sets both the template and the selected text.
    QFont chosen(u"Liberation Mono"_s);
    chosen.setPointSizeF(13.5);
    messages.fontAnswers.push_back(chosen);
    run("carattere");
    EXPECT_EQ(std::pair(text->FontName, text->FontSize), std::pair(u"Liberation Mono"_s, 14.f));
    EXPECT_EQ(textTemplate.FontName, u"Liberation Mono");
}

TEST_F(Commands, FontBoxesRefuseUnknownFontsAndSizesOutOfRange) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QComboBox* size = window.fonts().sizeBox();
    QComboBox* name = window.fonts().nameBox();
    EXPECT_EQ(name->currentText(), u"Arial");
    EXPECT_EQ(size->currentText(), u"10");
    for (const char* bad : {"0", "2000"}) {
        size->setFocus();
        size->setCurrentText(QLatin1String(bad));
        name->setFocus();
        QCoreApplication::processEvents();
        EXPECT_EQ(messages.lastText(), u"Inserire un valore compreso fra 1 e 1638.");
    }
    size->setCurrentText(u"10"_s);
    name->setFocus();
    name->setCurrentText(u"liberation sans"_s);
    size->setFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(messages.lastText(), u"Il tipo di carattere inserito non è disponibile nel sistema.");
    EXPECT_NE(document.templateOf(ElementKind::Testo).FontName, u"liberation sans");
}

TEST(Alignment, DialogOrderAndValues) {
    frmAllineamento dialog;
    EXPECT_EQ(dialog.windowTitle(), u"Allineamento");
    EXPECT_EQ(dialog.optAllineamento[1]->text(), u"Centro");
    dialog.presetFrom(1);
    EXPECT_TRUE(dialog.optAllineamento[2]->isChecked()); // right is the third option
    dialog.show();
    QTest::mouseClick(dialog.cmdOk, Qt::LeftButton);
    EXPECT_TRUE(dialog.Confermato);
    EXPECT_EQ(dialog.Allineamento, 1);
}

} // namespace
