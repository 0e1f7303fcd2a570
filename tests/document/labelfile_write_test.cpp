// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/regionalsettings.h"
#include "document/labeldocument.h"
#include "document/labelfile.h"
#include "document/labeljson.h"
#include "support/files.h"
#include "support/labelfiletext.h"
#include "support/marvelloprocess.h"

#include <map>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray written(const LabelDocument& document) {
    const auto result = labelfile::write(document);
    if (const auto* error = std::get_if<labelfile::WriteError>(&result)) {
        ADD_FAILURE() << error->message.toStdString();
        return {};
    }
    return std::get<QByteArray>(result);
}

// A label that sets every property of every kind to something other than the template's.
void fillEveryProperty(LabelDocument& document) {
    document.setBinding({u"C:\\Dati\\Città.mdb"_s, u"p4ss"_s, u"Ordini Aperti"_s, u"Prezzo"_s, 2,
                         u"x"_s, u"1,5"_s, u"99,75"_s, true, u" libero € "_s});
    document.setLayout({3, 7, 4.5, 12.75, 63.5, 38.1, 2.5, 0, -2.5, 0.125});

    LabelElement* text = document.CreaOggTesto(600, 1500, 2500.5f, 300);
    text->Caption = u"Perché così? Prezzo € 3,50 – «offerta»"_s;
    text->FontName = u"Times New Roman"_s;
    text->FontSize = 14;
    text->FontBold = true;
    text->FontItalic = true;
    text->BackStyle = Background::Opaque;
    text->Alignment = TextAlignment::Centre;
    text->BackColor = 65535;
    text->ForeColor = 255;
    text->DataMember = u"Descrizione"_s;
    document.zOrder().SetZOrdine(text->key(), 1);

    LabelElement* barcode = document.CreaOggImmagine(0, 0, 1935, 1035); // left of the label
    barcode->Tag = u"11"_s;
    barcode->ToolTipText = u"8001234567890"_s;

    LabelElement* picture = document.CreaOggPicture(567, 1440, 1000, 500);
    picture->Tag = u"logo"_s;
    picture->DataMember = u"Foto"_s;
    picture->ToolTipText = u"/tmp/non esiste.png"_s;
    picture->MantieniProporzioni = false; // stretched, as pictures of older labels are
    document.zOrder().SetZOrdine(picture->key(), 2);

    LabelElement* rectangle = document.CreaOggRettangolo(700.25f, 1600, 3000, 1500);
    rectangle->BackStyle = Background::Opaque;
    rectangle->BackColor = 12632256;
    rectangle->BorderColor = colors::ButtonFace; // system colour: negative
    rectangle->BorderWidth = 3;
    rectangle->Tag = u"cornice"_s;
    document.zOrder().SetZOrdine(rectangle->key(), 1);
}

// Every property survives save, load, save. Lines, ellipses and what the first four kinds
// gained (turns, round corners, widths in mm) are in sections older programs skip: read as they
// read (known keys and their lines, anything else skipped line by line), the file is the one
// written without them.
TEST(WriteLabelFile, NewKindsAndTurnsGoWhereOlderProgramsSkipThem) {
    LabelDocument before;
    fillEveryProperty(before);
    LabelDocument after;
    fillEveryProperty(after);
    after.element(u"oggTesto1"_s)->Rotazione = 90;
    LabelElement* barcode = after.element(u"oggImmagine1"_s);
    barcode->Rotazione = 270;
    // EAN-8 keeps the Tag's EAN digit for older programs.
    barcode->OpzioniBarcode = {barcode::Symbology::Ean8, 0.33f, barcode::QrLevel::Q, true};
    LabelElement* frame = after.element(u"oggRettangolo1"_s);
    frame->RaggioAngoli = 2.5f;
    frame->SpessoreMm = 0.4f;
    after.element(u"oggPicture1"_s)->MantieniProporzioni = true;
    LabelElement* line = after.CreaOgg(ElementKind::Linea, 600, 2000, 3000, 0);
    line->Ascendente = true;
    line->SpessoreMm = 1.25f;
    line->TipoLinea = LineStyle::Punteggiata;
    line->BorderColor = 255;
    line->Rotazione = 180;
    LabelElement* ellipse = after.CreaOgg(ElementKind::Ellisse, 700, 2100, 800, 400);
    ellipse->BackStyle = Background::Opaque;
    ellipse->BackColor = 65535;
    ellipse->SpessoreMm = 5;
    CollegamentoDatabase binding = after.binding();
    binding.CampoQuantita = u"Colli"_s;
    after.setBinding(binding);
    const QByteArray bytes = written(after);

    LabelDocument loaded;
    ASSERT_FALSE(labelfile::read(bytes, loaded));
    EXPECT_EQ(written(loaded), bytes);
    EXPECT_EQ(loaded.binding(), after.binding()); // the password too
    EXPECT_EQ(documentToJson(loaded), documentToJson(after));
    EXPECT_NE(documentToJson(loaded), documentToJson(before));

    const std::map<QString, int> known{{"oggDatabase", 10}, {"oggLayout", 10},
                                       {"oggTesto", 15},    {"oggImmagine", 8},
                                       {"oggPicture", 8},   {"oggRettangolo", 10}};
    const QStringList lines = windows1252::decode(bytes).split(u"\r\n"_s);
    QStringList older;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (const auto section = known.find(lines[i]); section != known.end()) {
            older += lines.mid(i, section->second + 1);
            i += section->second;
        }
    }
    older << QString();
    EXPECT_EQ(older.join(u"\r\n"_s), windows1252::decode(written(before)));
}

// The paper a label names goes in a section older programs skip, after everything they read;
// a label that names none is written as labels always were. A section that names no paper
// this program can place leaves the label on the printer's paper. A label turned on its page
// says so in a section of its own.
TEST(WriteLabelFile, KeepsTheSectionOrderLineFormsAndThePaperALabelNames) {
    LabelDocument original;
    fillEveryProperty(original);
    const QByteArray without = written(original);
    const QStringList lines = windows1252::decode(without).split(u"\r\n"_s);
    ASSERT_EQ(lines.size(), 11 + 11 + 16 + 9 + 9 + 11 + 1);
    EXPECT_EQ(lines.last(), QString()); // the last line ends with CRLF too
    // The sections in their order; positions from the label's corner (X = Left - 567,
    // Y = Top - 1440); the depth flag last in a text, before the border width in a rectangle.
    const auto at = [&](std::initializer_list<int> numbers) {
        QStringList picked;
        for (const int n : numbers)
            picked << lines[n];
        return picked;
    };
    EXPECT_EQ(at({0, 11, 22, 38, 56}), QStringList({"oggDatabase", "oggLayout", "oggTesto",
                                                    "oggImmagine", "oggRettangolo"}));
    EXPECT_EQ(at({23, 24, 25, 37, 39}), QStringList({" 33 ", " 60 ", " 2500,5 ", " 1 ", "-567 "}));
    EXPECT_EQ(at({63, 64, 65, 66}), QStringList({"-2147483633 ", "cornice", " 1 ", " 3 "}));
    EXPECT_EQ(at({9, 10, 15, 20}), QStringList({"True", " libero € ", " 12,75 ", "-2,5 "}));
    EXPECT_FALSE(without.contains("oggCarta"));
    for (const LabelPaper& paper : {LabelPaper{LabelPaper::Kind::Named, u"Letter"_s, 0, 0},
                                    LabelPaper{LabelPaper::Kind::Custom, {}, 100, 62.5},
                                    LabelPaper{LabelPaper::Kind::Roll, {}, 0, 0},
                                    LabelPaper{LabelPaper::Kind::Roll, {}, 0, 0, true}}) {
        original.setPaper(paper);
        const QByteArray with = written(original);
        EXPECT_TRUE(with.startsWith(without)); // older readers find what they always did
        LabelDocument loaded;
        loaded.NuovaEtichetta();
        ASSERT_FALSE(labelfile::read(with, loaded));
        EXPECT_EQ(loaded.paper(), paper);
        EXPECT_EQ(written(loaded), with);
        // An older label read into the same window takes none.
        ASSERT_FALSE(labelfile::read(without, loaded));
        EXPECT_EQ(loaded.paper(), LabelPaper{});
    }
    for (const char* hostile :
         {"oggCarta\r\n 1 \r\nA0\r\n 0 \r\n 0 \r\n", "oggCarta\r\n 2 \r\n\r\n-5 \r\n 100 \r\n",
          "oggCarta\r\n 2 \r\n\r\n 1e300 \r\n 100 \r\n", "oggCarta\r\n 9 \r\n\r\n 1 \r\n 1 \r\n"}) {
        LabelDocument loaded;
        EXPECT_FALSE(labelfile::read(without + hostile, loaded)) << hostile;
        EXPECT_FALSE(loaded.paper().names()) << hostile;
    }
    LabelDocument cut; // a file that ends inside the section, as inside any other
    EXPECT_TRUE(labelfile::read(without + "oggCarta\r\n 3 \r\n", cut));
    EXPECT_FALSE(cut.paper().names());
}

TEST(ExampleLabels, LoadAndSaveToTheSameBytes) {
    for (const char* name :
         {"spedizione.eti", "prodotto.eti", "completo.eti", "corriere-4x6.eti", "scaffale.eti"}) {
        const QByteArray bytes = readBytes(example(name));
        LabelDocument document;
        ASSERT_FALSE(labelfile::read(bytes, document, QStringLiteral(MARVELLO_EXAMPLES_DIR)));
        EXPECT_FALSE(document.elements().empty()) << name;
        EXPECT_EQ(written(document), bytes) << name;
    }
}

TEST(Locales, AFileWrittenInItalyReadsTheSameEverywhereAndBack) {
    const QLocale italy(QLocale::Italian, QLocale::Italy);
    const auto restore = qScopeGuard([&] { RegionalSettings::setLocale(italy); });
    LabelDocument italian;
    fillEveryProperty(italian);
    const QByteArray fromItaly = written(italian);
    for (const QLocale& system : {QLocale::c(), QLocale(QLocale::English, QLocale::UnitedStates),
                                  QLocale(QLocale::German, QLocale::Switzerland)}) {
        SCOPED_TRACE(system.name().toStdString());
        RegionalSettings::setLocale(system);
        LabelDocument elsewhere;
        ASSERT_FALSE(labelfile::read(fromItaly, elsewhere));
        EXPECT_EQ(documentToJson(elsewhere), documentToJson(italian));

        // Written there, read back in Italy.
        const QByteArray fromElsewhere = written(elsewhere);
        RegionalSettings::setLocale(italy);
        LabelDocument back;
        ASSERT_FALSE(labelfile::read(fromElsewhere, back));
        EXPECT_EQ(written(back), fromItaly);
    }
}

// A text's lines are kept; its own line in the file holds them as blanks, for older
// programs. A text outside the code page refuses the whole write.
TEST(WriteLabelFile, LineBreaksAreKeptAndTextsOutsideTheCodePageRefuseTheWholeWrite) {
    LabelDocument document;
    LabelElement* text = document.CreaOggTesto(567, 1440, 1000, 255);
    text->Caption = u"riga uno\r\nriga due\nriga tre\rfine \\n"_s;
    const QByteArray bytes = written(document);
    EXPECT_TRUE(bytes.contains("\r\nriga uno riga due riga tre fine \\n\r\n"));
    LabelDocument loaded;
    ASSERT_FALSE(labelfile::read(bytes, loaded));
    ASSERT_EQ(loaded.elements().size(), 1u);
    EXPECT_EQ(loaded.elements()[0]->Caption, u"riga uno\nriga due\nriga tre\nfine \\n");

    document.CreaOggTesto(567, 1440, 1000, 255)->Caption = u"Łódź"_s;
    const auto result = labelfile::write(document);
    const auto* error = std::get_if<labelfile::WriteError>(&result);
    ASSERT_TRUE(error);
    // The element as its user knows it, not by the program's names for it.
    EXPECT_TRUE(error->message.contains(u"il testo \"Łódź\"")) << error->message.toStdString();
    EXPECT_FALSE(error->message.contains(u"oggTesto"));
    EXPECT_FALSE(error->message.contains(u"Caption"));
}

TEST(WriteLabelFile, NumbersCarryNoGroupSeparator) {
    EXPECT_EQ(labelfile::formatNumber(1234567.5, u','), u" 1234567,5 ");
    EXPECT_EQ(labelfile::formatNumber(-0.0, u','), u" 0 ");
    EXPECT_EQ(labelfile::formatNumber(0.1f, u'.'), u" 0.1 ");
    EXPECT_EQ(labelfile::formatNumber(-12.0f, u','), u"-12 ");
}

} // namespace
