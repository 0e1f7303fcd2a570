// SPDX-License-Identifier: GPL-3.0-or-later
// A person's whole journey in the real window, headless: a new label with every kind of element,
// formatted, on a sheet of its own, bound to the example database with linked fields and a
// criterion, saved, reopened, printed to the preview and to a saved print, and that print
// reopened from the saved print manager.

#include "database/widgets/connectdialogs.h"
#include "database/widgets/frmselezionerecords.h"
#include "printcomponent/clspressivo.h"
#include "printcomponent/printsurface.h"
#include "printcomponent/widgets/frmpressivoanteprima.h"
#include "printcomponent/widgets/frmpressivodestinazionestampa.h"
#include "printcomponent/widgets/frmpressivogestionestampe.h"
#include "printcomponent/widgets/widgetpressivoui.h"
#include "printing/widgets/frmimpostapagina.h"
#include "printing/widgets/frmstampa.h"
#include "support/windowtest.h"

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

using namespace Qt::StringLiterals;

namespace {

class Journey : public WindowTest {
protected:
    Journey() {
        PressivoUi::install(&ui);
        // Whatever goes wrong, no dialog stays open for ever.
        QObject::connect(&watchdog, &QTimer::timeout, [] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                ADD_FAILURE() << "closing a dialog left open: " << modal->metaObject()->className();
                modal->close();
            }
        });
        watchdog.start(20000);
        window.show();
    }
    ~Journey() override { PressivoUi::install(nullptr); }

    LabelElement* insert(const char* tool, double x, double y) {
        run(tool);
        QTest::mouseClick(window.surface(), Qt::LeftButton, {}, at(x, y));
        return window.surface()->ControlloCorrente();
    }

    WidgetPressivoUi ui{std::make_shared<NoPrinter>()};
    QTimer watchdog;
};

TEST_F(Journey, FromANewLabelToAReopenedSavedPrint) {
    // Four elements, formatted.
    LabelElement* text = insert("testo", 900, 1700);
    run("grassetto");
    LabelElement* code = insert("barcode", 900, 2300);
    LabelElement* picture = insert("immagine", 3200, 1700);
    LabelElement* box = insert("rettangolo", 600, 1500);
    ASSERT_TRUE(text && code && picture && box);
    run("spessore2");
    run("mnuPortaIndietro");
    EXPECT_EQ(box->BorderWidth, 2);
    EXPECT_TRUE(text->FontBold);

    // The sheet: 3 labels across.
    whenShown<frmImpostaPagina>([](frmImpostaPagina& dialog) {
        dialog.txtEtichetteOrizzontali->setText(u"3,000"_s);
        dialog.txtLarghezzaEtichetta->setText(u"60,000"_s);
        QTest::mouseClick(dialog.cmdOk, Qt::LeftButton);
    });
    run("imposta");
    EXPECT_EQ(document.layout().EtichetteOrizzontali, 3);

    // The example database and its customers.
    whenShown<frmConnettiDBMDB>([](frmConnettiDBMDB& dialog) {
        dialog.txtNomeFileDB->setText(QStringLiteral(MARVELLO_EXAMPLES_DIR "/clienti.mdb"));
        whenShown<frmSelezionaTabella>([](frmSelezionaTabella& tables) {
            tables.SelezionaTabella(u"Clienti"_s);
            QTest::mouseClick(tables.cmdOk, Qt::LeftButton);
        });
        QTest::mouseClick(dialog.cmdOk, Qt::LeftButton);
    });
    run("connettidb");
    ASSERT_TRUE(document.DatabaseConnesso());

    // Link the text and the barcode.
    const auto link = [&](LabelElement* element, const char* field) {
        select(element);
        whenShown<frmCollegaCampo>([field](frmCollegaCampo& dialog) {
            dialog.SelezionaCampo(QLatin1String(field));
            QTest::mouseClick(dialog.cmdOk, Qt::LeftButton);
        });
        run("collega");
    };
    link(text, "RagioneSociale");
    link(code, "Articolo39");

    // Customers of Rome only.
    whenShown<frmSelezioneRecords>([](frmSelezioneRecords& dialog) {
        dialog.SelezionaCampo(u"Citta"_s);
        dialog.selectCriterion(1);
        dialog.txtCampo[0]->setText(u"Roma"_s);
        QTest::mouseClick(dialog.cmdOk, Qt::LeftButton);
    });
    run("mnuSelezionaRecords");
    EXPECT_EQ(document.binding().ValoreUgualeA, u"Roma");

    // Save, close, reopen.
    const QString label = folder.filePath(u"viaggio.eti"_s);
    messages.fileAnswers.push_back(label);
    run("salva");
    EXPECT_FALSE(document.Modificato());
    run("nuovo");
    messages.fileAnswers.push_back(label);
    run("apri");
    ASSERT_EQ(document.elements().size(), 4u);
    EXPECT_TRUE(document.DatabaseConnesso());
    EXPECT_EQ(document.layout().LarghezzaEtichetta, 60);

    // Print the seven customers of Rome to the preview and page through it. The print request
    // first says that names are too long for the new text's box; the user prints anyway.
    messages.answers = {Answer::Yes, Answer::Yes};
    whenShown<frmStampa>([](frmStampa& dialog) {
        EXPECT_TRUE(dialog.optStampa[0]->isChecked());
        whenShown<frmPressivoDestinazioneStampa>([](frmPressivoDestinazioneStampa& destination) {
            destination.optTipoStampa[1]->click();
            whenShown<frmPressivoAnteprima>([](frmPressivoAnteprima& preview) {
                EXPECT_EQ(preview.txtNumeroPagine->text(), u"1"); // 7 labels on a 3 x 4 sheet
                preview.runCommand(u"successiva"_s);
                EXPECT_EQ(preview.vspAnteprima().PreviewPage(), 1);
                preview.runCommand(u"chiudi"_s);
            });
            QTest::mouseClick(destination.cmdOk, Qt::LeftButton);
        });
        QTest::mouseClick(dialog.cmdOk, Qt::LeftButton);
    });
    run("stampa");

    // Print them to a saved print file.
    const QString saved = folder.filePath(u"Stampe/roma.ant"_s);
    messages.fileAnswers.push_back(saved);
    whenShown<frmStampa>([](frmStampa& dialog) {
        whenShown<frmPressivoDestinazioneStampa>([](frmPressivoDestinazioneStampa& destination) {
            destination.optTipoStampa[2]->click();
            QTest::mouseClick(destination.cmdOk, Qt::LeftButton);
        });
        QTest::mouseClick(dialog.cmdOk, Qt::LeftButton);
    });
    run("stampa");
    ASSERT_TRUE(QFile::exists(saved));

    // Reopen it from the saved print manager into the preview.
    bool previewed = false;
    whenShown<frmPressivoGestioneStampe>([&previewed](frmPressivoGestioneStampe& manager) {
        EXPECT_EQ(manager.filListaFile->count(), 1);
        manager.filListaFile->setCurrentRow(0);
        whenShown<frmPressivoDestinazioneStampa>(
            [&previewed](frmPressivoDestinazioneStampa& destination) {
                EXPECT_FALSE(destination.optTipoStampa[2]->isEnabled());
                destination.optTipoStampa[1]->click();
                whenShown<frmPressivoAnteprima>([&previewed](frmPressivoAnteprima& preview) {
                    previewed = preview.vspAnteprima().PageCount() == 1;
                    preview.runCommand(u"chiudi"_s);
                });
                QTest::mouseClick(destination.cmdOk, Qt::LeftButton);
            });
        QTest::mouseClick(manager.cmdOk, Qt::LeftButton);
    });
    clsPressivo(ui).ManageFilePrinted();
    EXPECT_TRUE(previewed);
    // Said before each print, and nothing else.
    ASSERT_EQ(messages.questions.size(), 2);
    for (const auto& asked : messages.questions)
        EXPECT_TRUE(asked.text.startsWith(u"Etichette con testi tagliati"))
            << asked.text.toStdString();
    EXPECT_TRUE(messages.messages.isEmpty());
}

} // namespace
