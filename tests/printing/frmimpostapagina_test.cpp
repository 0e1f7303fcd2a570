// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/labeldocument.h"
#include "printing/widgets/frmimpostapagina.h"
#include "support/recordingmessages.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class ImpostaPaginaTest : public ::testing::Test {
protected:
    ImpostaPaginaTest()
        : dialog(document) {
        dialog.show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }

    // Retypes a field as a user would: select all, type, leave.
    void retype(QLineEdit* field, const QString& text) {
        field->setFocus();
        QCoreApplication::processEvents();
        field->selectAll();
        if (text.isEmpty())
            QTest::keyClick(field, Qt::Key_Delete);
        else
            QTest::keyClicks(field, text);
    }

    RecordingMessages messages;
    LabelDocument document;
    frmImpostaPagina dialog;
};

// "Carta": a roll's page follows the layout as typed; a size of one's own is typed and must be
// positive; the choice is stored with the layout.
TEST_F(ImpostaPaginaTest, ThePaperIsChosenWithTheLayout) {
    EXPECT_EQ(dialog.cmbCarta->currentText(), u"Della stampante"); // a label that names none
    // One label of 101.6 x 152.4 mm a sheet, no margins: the fields in the layout's order.
    const QStringList typed{u"1"_s, u"1"_s, u"0"_s, u"0"_s, u"101,6"_s, u"152,4"_s};
    for (qsizetype i = 0; i < typed.size(); ++i)
        retype(dialog.fields()[std::size_t(i)], typed[i]);
    dialog.cmbCarta->setCurrentText(u"Rotolo"_s);
    // Placed from the paper's edge now: the origin takes over the 4 mm the label printed with.
    EXPECT_EQ(dialog.txtOrigineX->text(), u"4,000");
    EXPECT_EQ(dialog.txtLarghezzaCarta->text(), u"101,6");
    EXPECT_EQ(dialog.txtAltezzaCarta->text(), u"152,4");
    EXPECT_TRUE(dialog.txtLarghezzaCarta->isReadOnly());

    dialog.cmbCarta->setCurrentText(u"Personalizzata"_s);
    EXPECT_FALSE(dialog.txtLarghezzaCarta->isReadOnly());
    retype(dialog.txtAltezzaCarta, QString());
    QTest::mouseClick(dialog.cmdOk, Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(messages.lastText(), u"Inserire un valore positivo.");

    dialog.cmbCarta->setCurrentText(u"Rotolo"_s);
    QTest::mouseClick(dialog.cmdOk, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(document.paper().kind, LabelPaper::Kind::Roll);
    EXPECT_EQ(document.layout().LarghezzaEtichetta, 101.6);
    EXPECT_EQ(document.layout().OrigineX, 4);
}

// Ok stores every value, decimals and negative values where they may be, without marking the
// label changed; a cleared required field keeps the dialog open and stores nothing, not even the
// valid margin, and the required fields are checked in order.
TEST_F(ImpostaPaginaTest, OkStoresEveryValueOnceTheRequiredOnesArePositive) {
    QSignalSpy changed(&document, &LabelDocument::layoutChanged);
    retype(dialog.txtMargineSinistro, u"5"_s);
    retype(dialog.txtEtichetteVerticali, QString());
    QTest::mouseClick(dialog.cmdOk, Qt::LeftButton);
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(messages.messages[0].text, u"Inserire un valore positivo.");
    EXPECT_EQ(messages.beeps, 1);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(QApplication::focusWidget(), dialog.txtEtichetteVerticali);
    EXPECT_EQ(document.layout(), LayoutEtichetta{});

    retype(dialog.txtEtichetteVerticali, u"4"_s);
    retype(dialog.txtEtichetteOrizzontali, u"3"_s);
    retype(dialog.txtAltezzaEtichetta, u"-5"_s);
    retype(dialog.txtLarghezzaEtichetta, u"0"_s);
    retype(dialog.txtSpazioVerticale, u"-1"_s);
    retype(dialog.txtOrigineX, u"-2,5"_s);
    QTest::mouseClick(dialog.cmdOk, Qt::LeftButton);
    EXPECT_EQ(messages.messages.size(), 2);
    EXPECT_EQ(QApplication::focusWidget(), dialog.txtLarghezzaEtichetta);
    retype(dialog.txtLarghezzaEtichetta, u"63,5"_s);
    QTest::mouseClick(dialog.cmdOk, Qt::LeftButton);
    EXPECT_EQ(messages.messages.size(), 3);
    EXPECT_EQ(QApplication::focusWidget(), dialog.txtAltezzaEtichetta);
    retype(dialog.txtAltezzaEtichetta, u"30"_s);
    QTest::mouseClick(dialog.cmdOk, Qt::LeftButton);
    EXPECT_EQ(messages.messages.size(), 3);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(document.layout(), (LayoutEtichetta{3, 4, 5, 10, 63.5, 30, 10, -1, -2.5, 0}));
    EXPECT_FALSE(document.Modificato());
    EXPECT_EQ(changed.count(), 1);
}

TEST(ImpostaPaginaCommand, CancelKeepsTheLayoutAndStillRepaints) {
    RecordingMessages messages;
    LabelDocument document;
    const LayoutEtichetta before{.MargineSinistro = 7.25};
    document.setLayout(before);
    QSignalSpy changed(&document, &LabelDocument::layoutChanged);
    mnuImpostaPagina(document, nullptr, [](QDialog& dialog) {
        auto& form = static_cast<frmImpostaPagina&>(dialog);
        form.show();
        EXPECT_EQ(form.txtMargineSinistro->text(), u"7,250");
        form.txtMargineSinistro->setText(u"99,000"_s);
        QTest::mouseClick(form.cmdCancel, Qt::LeftButton);
        return form.result();
    });
    EXPECT_EQ(document.layout(), before);
    EXPECT_EQ(changed.count(), 1);
}

} // namespace
