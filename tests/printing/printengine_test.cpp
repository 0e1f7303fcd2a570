// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/units.h"
#include "database/clsdatabase.h"
#include "document/labeldocument.h"
#include "document/labelfile.h"
#include "editing/editcommands.h"
#include "printcomponent/pressivoui.h"
#include "printcomponent/printersettings.h"
#include "printcomponent/printsurface.h"
#include "printcomponent/recordingprinter.h"
#include "printcomponent/widgets/frmpressivoanteprima.h"
#include "printcomponent/widgets/frmpressivodestinazionestampa.h"
#include "printcomponent/widgets/widgetpressivoui.h"
#include "printing/placeholders.h"
#include "printing/printengine.h"
#include "printing/widgets/frmattesa.h"
#include "support/files.h"
#include "support/near.h"
#include "support/recordingmessages.h"
#include "support/settingsfolder.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

constexpr double Mm = 56.7;

class Engine : public ::testing::Test {
protected:
    // The preview keeps the document for the test to look at.
    Engine() { ui.destination = pressivo::Preview; }

    // Prints `job` through `windows`, the headless ones when none are given.
    PrintOutcome print(PrintJob job, bool direct = false, PrintProgress* progress = nullptr,
                       PressivoUi* windows = nullptr) {
        PrintHooks hooks;
        hooks.ui = windows ? windows : &ui;
        hooks.progress = progress;
        hooks.askJob = [&](PrintJob& asked, bool bound) {
            askedBound = bound;
            ++asks;
            asked = job;
        };
        return StampaEtichette(document, database, direct, hooks);
    }

    static PrintJob labels(int count, int first = 1) {
        return PrintJob{true, false, qint16(count), qint16(first)};
    }
    static PrintJob all() { return PrintJob{true, true}; }

    const PrintDocument& printed() const { return ui.surface().document(); }

    // (page, column, row) of every rectangle drawn at a label's top-left corner.
    std::vector<std::tuple<int, int, int>> corners() const {
        std::vector<std::tuple<int, int, int>> found;
        // Labels 90 x 60 mm apart from the 10 mm margins, moved 4 mm right by the engine.
        for (std::size_t p = 0; p < printed().pages.size(); ++p)
            for (const DrawOp& op : printed().pages[p].operations())
                if (op.kind == DrawOp::Kind::Rectangle)
                    found.emplace_back(int(p) + 1,
                                       int(std::lround((op.area.left() / Mm - 14) / 90)) + 1,
                                       int(std::lround((op.area.top() / Mm - 10) / 60)) + 1);
        return found;
    }

    // The top-left corner, in millimetres, of the first rectangle on a document's first page.
    static QPointF firstCorner(const PrintDocument& document) {
        for (const DrawOp& op : document.pages.at(0).operations())
            if (op.kind == DrawOp::Kind::Rectangle)
                return op.area.topLeft() / Mm;
        return QPointF(-1, -1);
    }

    LabelElement* rectangleAtCorner() {
        return document.CreaOggRettangolo(567, 1440, 10 * Mm, 5 * Mm);
    }

    // Binds the label to the customers of the demo database whose `field` meets `criterion`.
    void bind(int criterion, const QString& field, const QString& equal, const QString& from = {},
              const QString& to = {}) {
        document.setBinding({QStringLiteral(MARVELLO_TEST_DATA_DIR "/demo.mdb"), QString(),
                             u"Clienti"_s, field, qint16(criterion), equal, from, to});
        ASSERT_TRUE(connectLabelDatabase(database, document, document.binding().NomeDatabase, {},
                                         u"Clienti"_s));
    }

    std::vector<QString> texts() const {
        std::vector<QString> found;
        for (const PrintPage& page : printed().pages)
            for (const DrawOp& op : page.operations())
                if (op.kind == DrawOp::Kind::TextBox || op.kind == DrawOp::Kind::Text)
                    found.push_back(op.text);
        return found;
    }

    SettingsFolder folder;
    RecordingMessages messages;
    mutable HeadlessPressivoUi ui;
    LabelDocument document;
    clsDatabase database;
    bool askedBound = false;
    int asks = 0;
};

using Corners = std::vector<std::tuple<int, int, int>>;

// A cancelled dialog or destination prints nothing. Labels fill the sheet's grid from the
// position asked, a full sheet starts a page, and fractional counts act as their whole part.
TEST_F(Engine, LabelsFillTheGridFromTheFirstPositionAsked) {
    rectangleAtCorner();
    EXPECT_EQ(print(PrintJob{}), PrintOutcome::Cancelled);
    ui.destination = pressivo::Discard;
    EXPECT_EQ(print(labels(1)), PrintOutcome::Cancelled);
    EXPECT_EQ(ui.previews, 0);
    ui.destination = pressivo::Preview;
    EXPECT_EQ(print(labels(5, 3)), PrintOutcome::Delivered);
    EXPECT_EQ(corners(), (Corners{{1, 1, 2}, {1, 2, 2}, {1, 1, 3}, {1, 2, 3}, {1, 1, 4}}));
    EXPECT_EQ(ui.previews, 1);
    print(labels(2, 8));
    EXPECT_EQ(corners(), (Corners{{1, 2, 4}, {2, 1, 1}}));
    print(labels(1, 9));
    EXPECT_EQ(corners(), (Corners{{2, 1, 1}}));
    document.setLayout({2.5, 1.9});
    print(labels(3));
    EXPECT_EQ(corners(), (Corners{{1, 1, 1}, {1, 2, 1}, {2, 1, 1}}));
}

TEST_F(Engine, CropMarksAndBordersAreNineLinesALabel) {
    PrintJob job = labels(2);
    job.StampaCrocicchi = job.StampaBordi = true;
    print(job);
    ASSERT_EQ(printed().pages.size(), 1u);
    // Each label: its marks and outline, then its elements within its cell (a clip and its end).
    const auto ops = printed().pages[0].operations();
    ASSERT_EQ(ops.size(), 22u);
    EXPECT_EQ(ops[0].kind, DrawOp::Kind::Line);
    // The first mark: a 2 mm vertical line through the label's top-left corner.
    EXPECT_TRUE(near(ops[0].area.topLeft() / Mm, {10 + 4, 9}, 1e-9));
    EXPECT_NEAR(ops[0].area.bottom() / Mm, 11, 1e-9);
    EXPECT_EQ(ops[8].kind, DrawOp::Kind::Rectangle); // the outline
    EXPECT_NEAR(ops[8].area.width() / Mm, 80, 1e-9);
    EXPECT_EQ(ops[9].kind, DrawOp::Kind::Clip);
    EXPECT_EQ(ops[9].area, ops[8].area); // the cell is the outline
    EXPECT_EQ(ops[10].kind, DrawOp::Kind::Clip);
    EXPECT_TRUE(ops[10].area.isEmpty());
}

// Brought to the front one after the other, the last one covers the first: on paper (in the
// order the surface draws too), and in the label saved and opened again.
TEST_F(Engine, WhatTheSurfaceShowsOnTopPrintsOnTopAndStaysThere) {
    LabelElement* x = document.CreaOggTesto(567, 1440, 1000, 255);
    x->Caption = u"X"_s;
    LabelElement* y = document.CreaOggTesto(567, 1440, 1000, 255);
    y->Caption = u"Y"_s;
    bringToFront(document, *y);
    bringToFront(document, *x);
    print(labels(1));
    EXPECT_EQ(texts(), (std::vector<QString>{"Y", "X"}));

    const auto saved = labelfile::write(document);
    ASSERT_TRUE(std::holds_alternative<QByteArray>(saved));
    LabelDocument reopened;
    ASSERT_FALSE(labelfile::read(std::get<QByteArray>(saved), reopened, folder.path()));
    ASSERT_EQ(reopened.drawOrder().size(), 2u);
    EXPECT_EQ(reopened.drawOrder().back()->Caption, u"X");
}

TEST_F(Engine, FontSizesPrintInWholePoints) {
    document.CreaOggTesto(567, 1440, 1000, 255)->FontSize = 10.5f;
    document.CreaOggTesto(567, 1440, 1000, 255)->FontSize = 11.5f;
    messages.answers = {Answer::Yes}; // the boxes are small for their text
    ASSERT_EQ(print(labels(1)), PrintOutcome::Delivered);
    std::vector<double> sizes;
    for (const DrawOp& op : printed().pages.at(0).operations())
        if (op.kind == DrawOp::Kind::TextBox)
            sizes.push_back(printed().styles[std::size_t(op.style)].fontSize);
    EXPECT_EQ(sizes, (std::vector<double>{10, 12}));
}

// A label that names its paper prints on it, placed from its edge, whatever the printer's
// paper; a roll's page is one row of labels. A label that names none prints as it always did.
TEST_F(Engine, ALabelPrintsOnThePaperItNames) {
    // A 4 x 6 in page does not take the default sheet of 2 x 4 labels; a label made to the
    // page's size prints on it.
    auto printer = std::make_shared<RecordingPrinter>();
    printer->paper = QSizeF(4 * 1440, 6 * 1440);
    ui.surface().setPrinterBackend(printer);
    document.CreaOggRettangolo(units::LabelOriginXTwips, units::LabelOriginYTwips, 10 * Mm, 5 * Mm);
    EXPECT_EQ(print(labels(1)), PrintOutcome::Failed);
    EXPECT_TRUE(messages.lastText().contains(u"non stanno sulla pagina"))
        << messages.lastText().toStdString();
    LayoutEtichetta layout{1, 1, 0, 0, 101.6, 152.4};
    document.setLayout(layout);
    EXPECT_EQ(print(labels(1)), PrintOutcome::Delivered);

    printer->paper = QSizeF(12240, 15840); // Letter
    layout.EtichetteVerticali = 3;         // a roll ignores the rows: one label a page
    document.setLayout(layout);
    document.setPaper({LabelPaper::Kind::Roll, {}, 0, 0});
    ASSERT_EQ(print(labels(3)), PrintOutcome::Delivered);
    EXPECT_EQ(printed().pages.size(), 3u);
    EXPECT_TRUE(near(QRectF(QPointF(), printed().paper), QRectF(0, 0, 4 * 1440, 6 * 1440), 1));
    EXPECT_TRUE(near(firstCorner(printed()), {0, 0}, 0.01));

    document.setPaper({LabelPaper::Kind::Named, u"A5"_s, 0, 0});
    document.setLayout({1, 3, 5, 0, 60, 40}); // 60 x 40 mm, 5 mm from the paper's left edge
    ASSERT_EQ(print(labels(3)), PrintOutcome::Delivered);
    EXPECT_EQ(printed().pages.size(), 1u);
    EXPECT_TRUE(near(QRectF(QPointF(), printed().paper / units::PaperTwipsPerMillimetre),
                     QRectF(0, 0, 148, 210), 0.01));
    EXPECT_NEAR(firstCorner(printed()).x(), 5, 0.01);
    // A sheet wider than the paper it names: the paper is changed in the layout.
    document.setLayout({3, 3, 5, 0, 60, 40});
    EXPECT_EQ(print(labels(1)), PrintOutcome::Failed);
    EXPECT_TRUE(messages.lastText().contains(u"\"Carta\"")) << messages.lastText().toStdString();
    document.setLayout({1, 3, 5, 0, 60, 40});

    // Without a paper of its own: the printer's, and the 4 mm every label had.
    document.setPaper({});
    ASSERT_EQ(print(labels(1)), PrintOutcome::Delivered);
    EXPECT_EQ(printed().paper, QSizeF(12240, 15840));
    EXPECT_NEAR(firstCorner(printed()).x(), 9, 0.01);
}

// Each printer prints with the offsets calibrated for it, kept by its name in the settings;
// another printer keeps its own, and an offset given for the job wins.
TEST_F(Engine, EachPrinterPrintsWithItsOwnCalibration) {
    rectangleAtCorner();
    document.setPaper(LabelPaper::newLabel());
    ASSERT_TRUE(printersettings::write(u"ETICHETTE"_s, {2.25, -1.5, false, 0}));
    const auto cornerOn = [&](const QString& name, std::optional<QPointF> given) {
        auto printer = std::make_shared<RecordingPrinter>();
        printer->name = name;
        ui.surface().setPrinterBackend(printer);
        ui.destination = pressivo::Printer;
        PrintJob job = labels(1);
        job.Offset = given;
        EXPECT_EQ(print(job), PrintOutcome::Delivered);
        return firstCorner(printer->received);
    };
    EXPECT_TRUE(near(cornerOn(u"ETICHETTE"_s, std::nullopt), {10 + 2.25, 10 - 1.5}));
    EXPECT_TRUE(near(cornerOn(u"UFFICIO"_s, std::nullopt), {10, 10}));
    // A job's offset moves every label by exactly that much.
    EXPECT_TRUE(near(cornerOn(u"ETICHETTE"_s, QPointF(1.5, -0.5)), {10 + 1.5, 10 - 0.5}));
    // A settings file edited by hand cannot throw labels off the paper.
    writeBytes(printersettings::file(), "[etichette]\nOffsetX=1e300\nOffsetY=nan\n");
    EXPECT_EQ(printersettings::read(u"ETICHETTE"_s),
              (PrinterSettings{printersettings::LargestOffset, 0}));
}

// "All labels": one for an unbound label, one a record in order for a bound one.
TEST_F(Engine, AllLabelsAreOneOrOneARecordInOrder) {
    rectangleAtCorner();
    print(all());
    EXPECT_FALSE(askedBound);
    EXPECT_EQ(corners().size(), 1u);

    bind(1, "Citta", "Roma");
    document.CreaOggTesto(567, 1440, 3000, 255)->DataMember = u"RagioneSociale"_s;
    print(all());
    EXPECT_TRUE(askedBound);
    EXPECT_EQ(texts(), (std::vector<QString>{"Rossi Forniture S.r.l.",
                                             "Tipografia Città Eterna S.p.A.", "Sartoria Ricci",
                                             "Studio Tecnico Moretti", "Trasporti Rapidi S.r.l.",
                                             "Lavanderia Express", "Ultimo Cliente Roma S.r.l."}));
}

TEST_F(Engine, LabelsBeyondTheLastRecordPrintEmptyValues) {
    bind(1, "Citta", "Firenze");
    document.CreaOggTesto(567, 1440, 3000, 255)->DataMember = u"Citta"_s;
    document.CreaOggTesto(567, 1440, 3000, 255)->Caption = u"fisso"_s;
    print(labels(3));
    EXPECT_EQ(texts(), (std::vector<QString>{"Firenze", "fisso", "Firenze", "fisso", "", "fisso"}));
}

// Fields, the label's number and the date inside texts and barcodes; a field the table lacks
// stops the job before anything is printed.
TEST_F(Engine, PlaceholdersFillInFieldsNumbersAndTheDate) {
    LabelElement* text = document.CreaOggTesto(567, 1440, 3000, 255);
    text->Caption = u"${N:3}/${N+1000} ${data} ${Altro"_s;
    print(labels(2));
    const QString today = QDate::currentDate().toString(u"dd/MM/yyyy"_s);
    EXPECT_EQ(texts(), (std::vector<QString>{"001/1001 " + today + " ${Altro",
                                             "002/1002 " + today + " ${Altro"}));

    text->Caption = u"${CAP} ${citta} (${Provincia})"_s;
    EXPECT_EQ(print(labels(1)), PrintOutcome::Failed); // no database: no fields
    EXPECT_EQ(ui.previews, 1);
    EXPECT_TRUE(messages.lastText().contains(u"\"CAP\"")) << messages.lastText().toStdString();

    bind(1, "Citta", "Firenze");
    EXPECT_EQ(print(all()), PrintOutcome::Delivered);
    EXPECT_EQ(texts(), (std::vector<QString>{"50123 Firenze (FI)", "50125 Firenze (FI)"}));

    text->Caption = u"${Citta} ${Regione}"_s;
    EXPECT_EQ(print(all()), PrintOutcome::Failed);
    EXPECT_TRUE(messages.lastText().contains(u"\"Regione\" usato dal testo"));
    EXPECT_EQ(ui.previews, 2);
}

// In a text of several lines a line whose fields are all empty is left out, with its break;
// a text of one line prints as it always did.
// A caption filled in from fields named `names` holding `values`, as label `n` at `now`.
QString expand(const char* caption, const QStringList& names, const std::vector<QVariant>& values,
               int n = 1, const QDateTime& now = {}) {
    std::vector<FieldInfo> fields(std::size_t(names.size()));
    for (std::size_t i = 0; i < fields.size(); ++i)
        fields[i].name = names[qsizetype(i)];
    TextTemplate text(QString::fromUtf8(caption));
    EXPECT_TRUE(text.bind(&fields).isEmpty()) << caption;
    return text
        .expand(
            n, now, [&](std::size_t i) { return values[i]; },
            [](const QVariant& v) { return v.toString(); }, 1000)
        .value_or(u"(troppo lungo)"_s);
}

TEST(TextTemplates, EmptyLinesOfSeveralLineTextsCloseUp) {
    const auto address = [](const char* caption) {
        return expand(caption, {"Nome", "Via2", "Citta"}, {u"Rossi"_s, u" "_s, u"Torino"_s}, 7);
    };
    EXPECT_EQ(address("${Nome}\n${Via2}\n${Citta}"), u"Rossi\nTorino");
    EXPECT_EQ(address("${Nome}\nc/o ${Via2}\n${Citta} ${N}"), u"Rossi\nTorino 7");
    EXPECT_EQ(address("${Nome}\n${Citta}\n${Via2}"), u"Rossi\nTorino");
    EXPECT_EQ(address("${Via2}\n${Nome}"), u"Rossi");
    EXPECT_EQ(address("Spett.le\n\n${Nome}"), u"Spett.le\n\nRossi"); // no field: kept
    EXPECT_EQ(address("${Nome} ${Via2}\n${Citta}"), u"Rossi  \nTorino");
    EXPECT_EQ(address("Tel. ${Via2}"), u"Tel.  ");
    EXPECT_EQ(address("${Nome}\nLotto ${N} ${Via2}"), u"Rossi\nLotto 7  "); // a number prints
}

// Dates moved by days or months (across month ends and a leap day), dates and numbers in a
// format, and a text for an empty field; unchanged under any regional settings.
TEST(TextTemplates, DatesNumbersAndFallbacks) {
    const auto product = [](const char* caption, const QDateTime& now) {
        return expand(caption, {"Scadenza", "Prezzo", "Note", "Peso"},
                      {QDateTime(QDate(2027, 3, 31), QTime(0, 0)), 12.5, QVariant(), u"1.5"_s}, 1,
                      now);
    };
    const QDateTime leap(QDate(2024, 2, 27), QTime(14, 5, 9));
    const QDateTime endOfJanuary(QDate(2023, 1, 31), QTime(8, 0));
    const QLocale before;
    for (const QLocale& locale :
         {before, QLocale::c(), QLocale(QLocale::English, QLocale::UnitedStates)}) {
        QLocale::setDefault(locale);
        EXPECT_EQ(product("${data+2}", leap), u"29/02/2024");
        EXPECT_EQ(product("${data+3}", leap), u"01/03/2024");
        EXPECT_EQ(product("${data-58}", leap), u"31/12/2023");
        EXPECT_EQ(product("${data+1M}", endOfJanuary), u"28/02/2023");
        EXPECT_EQ(product("${data+12M:MMMM yyyy}", endOfJanuary), u"gennaio 2024");
        EXPECT_EQ(product("${data:yyyy-MM-dd} ${ora:HH:mm:ss}", leap), u"2024-02-27 14:05:09");
        EXPECT_EQ(product("${Scadenza:MM/yyyy}", leap), u"03/2027");
        EXPECT_EQ(product("${Prezzo:,2} €", leap), u"12,50 €");
        EXPECT_EQ(product("${Peso:,3} kg", leap), u"1,500 kg"); // a number in a text field
        EXPECT_EQ(product("${Note|nessuna nota}", leap), u"nessuna nota");
        EXPECT_EQ(product("${Prezzo|gratis}", leap), u"12.5");
    }
    QLocale::setDefault(before);
}

// The window offers the answers last given to a label's questions, label by label.
TEST_F(Engine, QuestionsOfferTheLastAnswers) {
    document.CreaOggTesto(567, 1440, 3000, 255)->Caption = u"Lotto ${?Lotto}"_s;
    document.setFileName(folder.filePath(u"alimenti.eti"_s));
    QStringList asked;
    QMap<QString, QString> offered;
    PrintHooks hooks;
    hooks.ui = &ui;
    const auto printAnswering = [&](const QString& answer) {
        hooks.askJob = [&](PrintJob& job, bool) {
            asked = job.Domande;
            offered = job.Risposte;
            job.PremutoOk = true;
            job.NumeroEtichette = job.PrimaEtichetta = 1;
            job.Risposte = {{u"Lotto"_s, answer}};
        };
        return StampaEtichette(document, database, false, hooks);
    };
    EXPECT_EQ(printAnswering(u"L41"_s), PrintOutcome::Delivered);
    EXPECT_EQ(asked, QStringList{u"Lotto"_s});
    EXPECT_TRUE(offered.isEmpty());
    EXPECT_EQ(texts(), std::vector<QString>{"Lotto L41"});
    EXPECT_EQ(printAnswering(u"L42"_s), PrintOutcome::Delivered);
    EXPECT_EQ(offered.value(u"Lotto"_s), u"L41");
    // A direct print has no dialog: it takes the last answers, and without one it prints
    // nothing rather than an empty lot.
    StampaEtichette(document, database, true, hooks); // to the printer, if there is one
    EXPECT_FALSE(messages.lastText().contains(u"chiede")) << messages.lastText().toStdString();
    document.setFileName(folder.filePath(u"altra.eti"_s));
    EXPECT_EQ(StampaEtichette(document, database, true, hooks), PrintOutcome::Failed);
    EXPECT_TRUE(messages.lastText().contains(u"\"Lotto\"")) << messages.lastText().toStdString();
    printAnswering(u"X"_s);
    EXPECT_TRUE(offered.isEmpty()); // another label, its own answers
}

// A barcode's text is upright and regular whatever the text drawn before it.
TEST_F(Engine, ABarcodesTextTakesNoStyleFromTheTextBeforeIt) {
    LabelElement* text = document.CreaOggTesto(567, 1440, 3000, 255);
    text->Caption = u"corsivo"_s;
    text->FontItalic = text->FontBold = true;
    document.CreaOggImmagine(567, 2000, 3000, 1000)->ToolTipText = u"12345"_s;
    print(labels(1));
    std::vector<std::pair<bool, bool>> italicAndBold; // of each text showing the code
    for (const DrawOp& op : printed().pages.at(0).operations())
        if ((op.kind == DrawOp::Kind::Text || op.kind == DrawOp::Kind::TextBox) &&
            op.text.contains(u"12345"))
            italicAndBold.emplace_back(printed().styles[std::size_t(op.style)].fontItalic,
                                       printed().styles[std::size_t(op.style)].fontBold);
    EXPECT_EQ(italicAndBold, (std::vector<std::pair<bool, bool>>{{false, false}}));
}

TEST_F(Engine, ADirectPrintAsksNothingAndStartsAtTheFirstPosition) {
    bind(1, "Provincia", "FI");
    rectangleAtCorner();
    ui.destination = pressivo::Discard; // never asked: a direct print goes to the printer
    EXPECT_EQ(print(labels(5, 6), true), PrintOutcome::Failed); // no printer installed
    EXPECT_EQ(asks, 0);
    EXPECT_EQ(ui.questions, 0);
    EXPECT_TRUE(messages.lastText().contains(u"Nessuna stampante installata"));
}

TEST_F(Engine, TheSymbologyFollowsTheFirstDigitOfTheTag) {
    for (const char* tag : {"1", "10", "0", ""}) {
        LabelElement* code = document.CreaOggImmagine(567, 1440, 40 * Mm, 15 * Mm);
        code->Tag = QString::fromLatin1(tag);
        code->ToolTipText = tag[0] == '1' ? u"5901234123457"_s : u"A1"_s;
    }
    document.CreaOggImmagine(567, 1440, 40 * Mm, 15 * Mm)->Tag = u"7"_s;
    print(labels(1));
    EXPECT_EQ(texts(), (std::vector<QString>{"5901234123457", "5901234123457", "*A1*", "*A1*"}));
}

TEST_F(Engine, AnOpenUpperBoundIsRewrittenInTheLabel) {
    bind(2, "Codice", "", "35");
    print(labels(1));
    EXPECT_EQ(document.binding().ValoreA, u"999999999999");
}

// The preview of a long job opens with its first page and takes the others as they are drawn;
// it prints only the whole job, and closing it early ends the job. A long job keeps the
// window's events flowing while labels are drawn, and "Annulla" stops it cleanly: no PDF, not
// even a partial one, and nothing left in the folder.
TEST_F(Engine, ALongJobPreviewsItsFirstPageEarlyAndStopsCleanlyWhenCancelled) {
    rectangleAtCorner();
    WidgetPressivoUi windows(std::make_shared<NoPrinter>());
    const auto run = [&](bool closeEarly) {
        struct Seen {
            PrintOutcome outcome;
            int pagesWhileDrawing = 0, pagesAtEnd = 0;
            bool printableWhileDrawing = true, printableAtEnd = false;
        } seen;
        // Answered by the event loop: "Video" in the destination dialog, then the preview.
        std::function<void()> look = [&] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* destination = qobject_cast<frmPressivoDestinazioneStampa*>(widget);
                if (destination && destination->isVisible()) {
                    QTest::mouseClick(destination->optTipoStampa[1], Qt::LeftButton, {},
                                      QPoint(6, destination->optTipoStampa[1]->height() / 2));
                    QTest::mouseClick(destination->cmdOk, Qt::LeftButton);
                }
            }
            frmPressivoAnteprima* preview = windows.preview();
            if (preview && preview->isVisible()) {
                const bool printable =
                    preview->Toolbar1->findChild<QAction*>(u"stampa"_s)->isEnabled();
                if (windows.surface().isOpen() && seen.pagesWhileDrawing == 0) {
                    seen.pagesWhileDrawing = windows.surface().PageCount();
                    seen.printableWhileDrawing = printable;
                    if (closeEarly) {
                        preview->close();
                        return;
                    }
                } else if (!windows.surface().isOpen()) {
                    seen.pagesAtEnd = windows.surface().PageCount();
                    seen.printableAtEnd = printable;
                    preview->close();
                    return;
                }
            }
            QMetaObject::invokeMethod(qApp, look, Qt::QueuedConnection);
        };
        QMetaObject::invokeMethod(qApp, look, Qt::QueuedConnection);
        seen.outcome = print(labels(20000), false, nullptr, &windows);
        return seen;
    };

    const auto whole = run(false);
    EXPECT_EQ(whole.outcome, PrintOutcome::Delivered);
    EXPECT_GT(whole.pagesWhileDrawing, 1);
    EXPECT_LT(whole.pagesWhileDrawing, whole.pagesAtEnd / 2);
    EXPECT_FALSE(whole.printableWhileDrawing);
    EXPECT_TRUE(whole.printableAtEnd);

    EXPECT_EQ(run(true).outcome, PrintOutcome::Cancelled);
    EXPECT_EQ(windows.surface().PageCount(), 0);

    document.CreaOggTesto(567, 567, 20 * Mm, 5 * Mm)->Caption = u"Etichetta"_s;
    QWidget window;
    window.show();
    frmAttesa wait(&window);
    ui.destination = pressivo::File;
    ui.fileName = folder.filePath(u"lungo.pdf"_s);
    // Answered by the event loop only: each answer posts the next; the third presses "Annulla".
    std::vector<int> answeredAt;
    std::function<void()> answer = [&] {
        answeredAt.push_back(wait.barAvanzamento->value());
        if (answeredAt.size() == 3)
            QTest::mouseClick(wait.cmdAnnulla, Qt::LeftButton);
        else
            QMetaObject::invokeMethod(&window, answer, Qt::QueuedConnection);
    };
    QMetaObject::invokeMethod(&window, answer, Qt::QueuedConnection);
    EXPECT_EQ(print(labels(20000), false, &wait), PrintOutcome::Cancelled);

    ASSERT_EQ(answeredAt.size(), 3u);
    EXPECT_GT(answeredAt.back(), answeredAt.front()); // answered while labels were drawn
    EXPECT_LT(answeredAt.back(), 20000);
    EXPECT_FALSE(wait.isVisible());
    EXPECT_FALSE(QFile::exists(ui.fileName));
    EXPECT_EQ(QDir(folder.path()).entryList({u"*.pdf*"_s}, QDir::Files), QStringList());
    EXPECT_TRUE(messages.messages.isEmpty()); // from either job
}

// From the window, texts too long for their box are said before the job, which the user may
// then stop; the job says nothing more of them.
TEST_F(Engine, CutTextsAreSaidBeforeTheJobFromTheWindow) {
    document.CreaOggTesto(567, 567, 3 * Mm, 3 * Mm)->Caption =
        u"Un nome troppo lungo per il suo riquadro"_s;
    messages.answers = {Answer::No};
    EXPECT_EQ(print(labels(3)), PrintOutcome::Cancelled);
    ASSERT_EQ(messages.questions.size(), 1);
    EXPECT_TRUE(messages.questions[0].text.contains(u"tagliati, che non entrano nel loro "
                                                    u"riquadro: 3 (la prima: il testo \"Un nome"))
        << messages.questions[0].text.toStdString();
    EXPECT_EQ(ui.previews, 0);

    // Bound to an SQLite file, whose connection reads one selection at a time: the names too
    // long are said before, and every record still prints after.
    const QString sqlite = folder.filePath(u"clienti.sqlite"_s);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"w"_s);
        db.setDatabaseName(sqlite);
        ASSERT_TRUE(db.open());
        QSqlQuery query(db);
        ASSERT_TRUE(query.exec(u"CREATE TABLE Clienti (Nome TEXT)"_s));
        ASSERT_TRUE(query.exec(QStringLiteral("INSERT INTO Clienti VALUES ('Ragione sociale "
                                              "lunghissima'), ('B'), ('Altra ragione lunga')")));
    }
    QSqlDatabase::removeDatabase(u"w"_s);
    document.NuovaEtichetta();
    document.CreaOggTesto(567, 567, 10 * Mm, 5 * Mm)->DataMember = u"Nome"_s;
    document.setBinding({sqlite, {}, u"Clienti"_s});
    ASSERT_TRUE(connectLabelDatabase(database, document, sqlite, {}, u"Clienti"_s));
    messages.answers = {Answer::Yes};
    EXPECT_EQ(print(all()), PrintOutcome::Delivered);
    ASSERT_EQ(messages.questions.size(), 2);
    EXPECT_TRUE(messages.questions.back().text.contains(u"riquadro: 2 (la prima"))
        << messages.questions.back().text.toStdString();
    EXPECT_EQ(texts().size(), 3u);
}

// A picture that is no picture ends the job with a message; a real one is read once and held
// once, however many labels show it.
TEST_F(Engine, PicturesAreReadOnceAndOneThatIsNoPictureEndsTheJob) {
    LabelElement* picture = document.CreaOggPicture(567, 1440, 1000, 500);
    picture->ToolTipText = folder.filePath(u"finta.png"_s);
    writeBytes(picture->ToolTipText, "non è un'immagine");
    EXPECT_EQ(print(labels(2)), PrintOutcome::Failed);
    EXPECT_TRUE(messages.lastText().startsWith(u"Errore non gestito. Codice: 481"));
    EXPECT_EQ(ui.previews, 0);
    QImage image(20, 10, QImage::Format_RGB32);
    image.fill(Qt::green);
    picture->ToolTipText = folder.filePath(u"logo.png"_s);
    ASSERT_TRUE(image.save(picture->ToolTipText));
    print(labels(20));
    EXPECT_EQ(printed().pictures.size(), 1u);
    EXPECT_EQ(printed().pages.size(), 3u);
}

TEST(FieldText, ValuesPrintAsTheRegionalSettingsWriteThem) {
    EXPECT_EQ(fieldText(1500.5), u"1500,5");
    EXPECT_EQ(fieldText(12), u"12");
    EXPECT_EQ(fieldText(true), u"Vero");
    EXPECT_EQ(fieldText(QDateTime(QDate(2015, 1, 12), QTime(0, 0), Qt::UTC)), u"12/01/2015");
    EXPECT_EQ(fieldText(QDateTime(QDate(2019, 10, 21), QTime(14, 30), Qt::UTC)),
              u"21/10/2019 14:30:00");
    EXPECT_EQ(fieldText(QVariant()), u"");
}

TEST(PlacementFunctions, ReadTheLayoutAtEveryCall) {
    LayoutEtichetta layout;
    LabelElement element = LabelElement::makeTemplate(ElementKind::Testo);
    element.Left = 567 + 5 * 56.7f;
    element.Top = 1440 + 2 * 56.7f;
    element.Width = 567;
    EXPECT_NEAR(GetX(layout, 2, element), 105, 1e-4);
    EXPECT_NEAR(GetY(layout, 3, element), 132, 1e-4);
    EXPECT_NEAR(GetW(element), 10, 1e-9);
    layout.OrigineX = -2.5;
    EXPECT_NEAR(GetX(layout, 2, element), 102.5, 1e-4);
    EXPECT_NEAR(GetXGen(layout, 0, 1), 7.5, 1e-9);
}

} // namespace
