// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/labeldocument.h"
#include "printing/serialnumbers.h"
#include "printing/widgets/frmnumerazione.h"
#include "printing/widgets/frmstampa.h"
#include "support/recordingmessages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// The print request: "all labels" preselected for a bound label, what it hands over on Ok,
// and the values it refuses with the focus on the field to mend.
struct Request {
    bool bound; // preselects all labels
    const char* number;
    const char* first;
    bool accepted;
    int numberHandedOver; // accepted: what NumeroEtichette holds
    bool focusOnNumber;   // refused: which field gets the focus
};

TEST(Stampa, OkHandsOverTheChoicesOrRefusesWithTheFocusOnTheField) {
    const Request requests[] = {
        {false, "25", "3", true, 25, false},
        {true, "", "1", true, 0, false},      // all labels: an empty number is no matter
        {true, "40000", "1", true, 0, false}, // nor an oversized one
        {false, "", "1", false, 0, true},
        {false, "40000", "1", false, 0, true},
        {false, "5", "0", false, 0, false},
        {true, "1", "40000", false, 0, false},
        {true, "1", "", false, 0, false},
    };
    for (const Request& r : requests) {
        SCOPED_TRACE(std::string(r.bound ? "all" : "number") + " '" + r.number + "' first '" +
                     r.first + "'");
        RecordingMessages messages;
        frmStampa dialog;
        dialog.presetFor(r.bound);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        EXPECT_TRUE(dialog.optStampa[r.bound ? 0 : 1]->isChecked());
        for (const auto& [field, text] : {std::pair{dialog.txtNumeroEtichette, r.number},
                                          {dialog.txtPrimaEtichetta, r.first}}) {
            field->setFocus();
            field->setText(QString::fromLatin1(text));
        }
        dialog.chkStampaBordi->setChecked(true);
        QTest::mouseClick(dialog.cmdOk, Qt::LeftButton);
        EXPECT_EQ(dialog.PremutoOk, r.accepted);
        if (r.accepted) {
            EXPECT_EQ(dialog.StampaTutte, r.bound);
            EXPECT_EQ(dialog.NumeroEtichette, r.numberHandedOver);
            EXPECT_EQ(dialog.PrimaEtichetta, QString::fromLatin1(r.first).toInt());
            EXPECT_TRUE(dialog.StampaBordi);
            EXPECT_FALSE(dialog.StampaCrocicchi);
            EXPECT_TRUE(messages.messages.isEmpty());
            continue;
        }
        ASSERT_EQ(messages.messages.size(), 1);
        EXPECT_EQ(messages.messages[0].text, u"Indicare un valore positivo.");
        EXPECT_EQ(messages.beeps, 1);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(QApplication::focusWidget(),
                  r.focusOnNumber ? dialog.txtNumeroEtichette : dialog.txtPrimaEtichetta);
        QTest::mouseClick(dialog.cmdCancel, Qt::LeftButton);
        EXPECT_FALSE(dialog.PremutoOk);
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
}

// "Quantità da campo" offers the records' fields, shows the label's choice, and a field chosen
// prints every record; it is not offered for a label bound to nothing. Each question of the
// label gets a field with the answer last given; Ok hands the answers on.
TEST(Stampa, QuantityFromAFieldAndQuestionsWithTheirLastAnswers) {
    frmStampa dialog;
    dialog.presetFor(true);
    dialog.presetQuantity({u"Nome"_s, u"Colli"_s}, u"colli"_s);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    EXPECT_TRUE(dialog.cmbCampoQuantita->isVisible());
    EXPECT_EQ(dialog.cmbCampoQuantita->currentText(), u"Colli");
    // The fields offered take no room from the captions beside them.
    for (QWidget* caption : QList<QWidget*>{dialog.optStampa[1], dialog.chkStampaCrocicchi})
        EXPECT_GE(caption->width(), caption->sizeHint().width());
    dialog.optStampa[1]->setChecked(true);
    dialog.cmbCampoQuantita->setCurrentIndex(1);
    emit dialog.cmbCampoQuantita->activated(1);
    EXPECT_TRUE(dialog.optStampa[0]->isChecked());
    QTest::mouseClick(dialog.cmdOk, Qt::LeftButton);
    ASSERT_TRUE(dialog.PremutoOk);
    EXPECT_EQ(dialog.CampoQuantita, u"Nome");

    frmStampa unbound;
    unbound.presetFor(false);
    unbound.presetQuantity({}, {});
    unbound.presetQuestions({u"Lotto"_s, u"Operatore"_s}, {{u"lotto"_s, u"L41"_s}});
    unbound.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&unbound));
    EXPECT_FALSE(unbound.cmbCampoQuantita->isVisible());
    ASSERT_EQ(unbound.txtRisposte.size(), 2u);
    EXPECT_EQ(unbound.txtRisposte[0]->text(), u"L41");
    EXPECT_TRUE(unbound.txtRisposte[1]->text().isEmpty());
    unbound.txtRisposte[0]->setText(u"L42"_s);
    unbound.txtRisposte[1]->setText(u"Anna"_s);
    QTest::mouseClick(unbound.cmdOk, Qt::LeftButton);
    ASSERT_TRUE(unbound.PremutoOk);
    EXPECT_TRUE(unbound.CampoQuantita.isEmpty());
    EXPECT_EQ(unbound.Risposte,
              (QMap<QString, QString>{{u"Lotto"_s, u"L42"_s}, {u"Operatore"_s, u"Anna"_s}}));
}

// "Numerazione..." shows where the label's serial numbers go on from, and keeps a new start.
TEST(Numerazione, ShowsAndSetsTheNextSerialNumber) {
    QTemporaryDir folder;
    const QByteArray before = qgetenv("XDG_STATE_HOME");
    qputenv("XDG_STATE_HOME", folder.path().toUtf8());
    LabelDocument document;
    document.setFileName(folder.filePath(u"cespiti.eti"_s));
    const auto answer = [&](int value) {
        int shown = -1;
        mnuNumerazione(document, nullptr, [&](QDialog& dialog) {
            auto& form = static_cast<frmNumerazione&>(dialog);
            shown = form.txtProssimo->value();
            form.txtProssimo->setValue(value);
            QTest::mouseClick(form.cmdOk, Qt::LeftButton);
            return form.result();
        });
        return shown;
    };
    EXPECT_EQ(answer(500), 1); // nothing printed yet
    EXPECT_EQ(SerialNumbers::peek(document.fileName()), 500);
    EXPECT_EQ(answer(500), 500);
    qputenv("XDG_STATE_HOME", before);
}

} // namespace
