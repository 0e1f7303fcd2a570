// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/widgets/frmstampa.h"
#include "support/recordingmessages.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class StampaTest : public ::testing::Test {
protected:
    void open(bool connected) {
        dialog.presetFor(connected);
        dialog.show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }

    void set(QLineEdit* field, const QString& text) {
        field->setFocus();
        field->setText(text);
    }

    RecordingMessages messages;
    frmStampa dialog;
};

TEST_F(StampaTest, TheOptionFollowsTheDatabaseConnection) {
    open(true);
    EXPECT_TRUE(dialog.optStampa[0]->isChecked());
    frmStampa unbound;
    unbound.presetFor(false);
    EXPECT_TRUE(unbound.optStampa[1]->isChecked());
}

TEST_F(StampaTest, OkHandsOverTheChoices) {
    open(false);
    set(dialog.txtNumeroEtichette, QStringLiteral("25"));
    set(dialog.txtPrimaEtichetta, QStringLiteral("3"));
    dialog.chkStampaBordi->setChecked(true);
    QTest::mouseClick(dialog.cmdOk, Qt::LeftButton);
    EXPECT_TRUE(dialog.PremutoOk);
    EXPECT_FALSE(dialog.StampaTutte);
    EXPECT_EQ(dialog.NumeroEtichette, 25);
    EXPECT_EQ(dialog.PrimaEtichetta, 3);
    EXPECT_TRUE(dialog.StampaBordi);
    EXPECT_FALSE(dialog.StampaCrocicchi);
    EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_F(StampaTest, AllLabelsIgnoreAnEmptyNumber) {
    open(true);
    set(dialog.txtNumeroEtichette, QString());
    QTest::mouseClick(dialog.cmdOk, Qt::LeftButton);
    EXPECT_TRUE(dialog.PremutoOk);
    EXPECT_TRUE(dialog.StampaTutte);
    EXPECT_EQ(dialog.NumeroEtichette, 0);
}

struct Refusal {
    bool all;
    const char* number;
    const char* first;
    bool focusOnNumber;
};

void PrintTo(const Refusal& r, std::ostream* os) {
    *os << (r.all ? "all" : "number") << " '" << r.number << "' first '" << r.first << "'";
}

class StampaRefusals : public StampaTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(StampaRefusals, ReportAndKeepTheDialogOpen) {
    open(GetParam().all);
    set(dialog.txtNumeroEtichette, QString::fromLatin1(GetParam().number));
    set(dialog.txtPrimaEtichetta, QString::fromLatin1(GetParam().first));
    QTest::mouseClick(dialog.cmdOk, Qt::LeftButton);
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(messages.messages[0].text, u"Indicare un valore positivo.");
    EXPECT_EQ(messages.messages[0].title, u"Stampa");
    EXPECT_EQ(messages.beeps, 1);
    EXPECT_FALSE(dialog.PremutoOk);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(QApplication::focusWidget(),
              GetParam().focusOnNumber ? dialog.txtNumeroEtichette : dialog.txtPrimaEtichetta);
}

INSTANTIATE_TEST_SUITE_P(
    Values, StampaRefusals,
    ::testing::Values(Refusal{false, "", "1", true}, Refusal{false, "0", "1", true},
                      Refusal{false, "40000", "1", true}, Refusal{false, "5", "0", false},
                      Refusal{true, "", "0", false}, Refusal{true, "1", "40000", false},
                      Refusal{true, "1", "", false}));

TEST_F(StampaTest, CancelPrintsNothing) {
    open(false);
    QTest::mouseClick(dialog.cmdCancel, Qt::LeftButton);
    EXPECT_FALSE(dialog.PremutoOk);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(StampaTest, AllLabelsWithAnOversizedNumberHandsOverNoNumber) {
    open(true);
    set(dialog.txtNumeroEtichette, QStringLiteral("40000"));
    QTest::mouseClick(dialog.cmdOk, Qt::LeftButton);
    EXPECT_TRUE(dialog.PremutoOk);
    EXPECT_EQ(dialog.NumeroEtichette, 0);
}

} // namespace
