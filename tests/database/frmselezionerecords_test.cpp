// SPDX-License-Identifier: GPL-3.0-or-later
#include "database/accesssource.h"
#include "database/databasebinding.h"
#include "database/memorysource.h"
#include "database/widgets/databaselists.h"
#include "database/widgets/frmselezionerecords.h"
#include "support/marvelloprocess.h"
#include "support/recordingmessages.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(SelezioneRecords, OpensOnTheBindingAndStoresOnlyAConfirmedChoice) {
    RecordingMessages messages;
    const AccessSource source(testData("demo.mdb"), {});
    CollegamentoDatabase binding;
    binding.NomeTabella = u"Clienti"_s;
    binding.NomeCampoSelezione = u" citta "_s;
    binding.TipoCriterio = qint16(Criterion::Compreso);
    binding.ValoreDa = u"Bari"_s;
    binding.ValoreA = u"Firenze"_s;

    chooseRecordSelection(binding, source, nullptr, [&](QDialog& dialog) {
        auto& form = static_cast<frmSelezioneRecords&>(dialog);
        form.show();
        form.selectCriterion(1);
        form.txtCampo[0]->clear();
        QTest::mouseClick(form.cmdOk, Qt::LeftButton);
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(messages.lastText(), u"Inserire un valore.");
        QTest::mouseClick(form.cmdCancel, Qt::LeftButton);
        return form.result();
    });
    EXPECT_EQ(binding.TipoCriterio, qint16(Criterion::Compreso)); // cancelled: unchanged

    chooseRecordSelection(binding, source, nullptr, [](QDialog& dialog) {
        auto& form = static_cast<frmSelezioneRecords&>(dialog);
        EXPECT_EQ(form.windowTitle(), u"Seleziona i records");
        EXPECT_EQ(form.cmbCampi->count(), 17);
        EXPECT_EQ(form.cmbCampi->currentText(), u"Citta");
        EXPECT_TRUE(form.optCriteri[2]->isChecked());
        EXPECT_FALSE(form.txtCampo[0]->isEnabled());
        EXPECT_TRUE(form.txtCampo[1]->isEnabled());
        EXPECT_EQ(form.txtCampo[2]->text(), u"Firenze");
        form.show();
        QTest::mouseClick(form.optCriteri[1], Qt::LeftButton, {},
                          QPoint(6, form.optCriteri[1]->height() / 2));
        EXPECT_TRUE(form.txtCampo[0]->isEnabled());
        EXPECT_FALSE(form.txtCampo[1]->isEnabled());
        EXPECT_EQ(form.txtCampo[1]->text(), u"Bari"); // disabling keeps the text
        form.txtCampo[0]->setText(u"Roma"_s);
        form.SelezionaCampo(u"provincia"_s);
        QTest::mouseClick(form.cmdOk, Qt::LeftButton);
        return form.result();
    });
    EXPECT_EQ(binding.NomeCampoSelezione, u"Provincia");
    EXPECT_EQ(binding.TipoCriterio, qint16(Criterion::UgualeA));
    EXPECT_EQ(binding.ValoreUgualeA, u"Roma");
    EXPECT_EQ(binding.ValoreDa, u"Bari");

    // A query lists its own fields.
    binding.NomeTabella = u"ClientiAttivi"_s;
    binding.NomeCampoSelezione = u"Nome"_s;
    binding.TipoCriterio = qint16(Criterion::Tutti);
    chooseRecordSelection(binding, source, nullptr, [](QDialog& dialog) {
        auto& form = static_cast<frmSelezioneRecords&>(dialog);
        EXPECT_EQ(form.cmbCampi->count(), 4);
        EXPECT_EQ(form.cmbCampi->currentText(), u"Nome");
        EXPECT_TRUE(form.optCriteri[0]->isChecked());
        for (const QLineEdit* field : form.txtCampo)
            EXPECT_FALSE(field->isEnabled());
        return 0;
    });
}

// The one table of a data file is chosen already.
TEST(TableList, OneTableIsSelected) {
    QListWidget list;
    CaricaListaTabelle(MemorySource(u"clienti"_s, {}), &list);
    ASSERT_EQ(list.count(), 1);
    ASSERT_NE(list.currentItem(), nullptr);
    EXPECT_TRUE(list.currentItem()->isSelected());
}

} // namespace
