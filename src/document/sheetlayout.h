// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The sheet that carries the labels: a grid of labels across and down, with margins, label
// size, gaps and a print origin. Counts and millimetres, in the order of the label file.
struct LayoutEtichetta {
    double EtichetteOrizzontali = 2;
    double EtichetteVerticali = 4;
    double MargineSinistro = 10;
    double MargineSuperiore = 10;
    double LarghezzaEtichetta = 80;
    double AltezzaEtichetta = 50;
    double SpazioOrizzontale = 10;
    double SpazioVerticale = 10;
    double OrigineX = 0;
    double OrigineY = 0;

    static constexpr int ValueCount = 10;

    // The values by position 0..9, in file order.
    double& value(int position);
    double value(int position) const;
    // Their names, in file order.
    static const char* name(int position);

    bool operator==(const LayoutEtichetta&) const = default;
};

// The paper a label prints on, when the label names one. A label that does not prints on the
// printer's paper (A4 for files), shifted as labels always were; one that does is placed from
// the paper's edge, and its paper goes with every job.
struct LabelPaper {
    enum class Kind { Printer = 0, Named = 1, Custom = 2, Roll = 3 };
    Kind kind = Kind::Printer;
    QString name;     // Named: one of namedPapers()
    double width = 0; // Custom: millimetres
    double height = 0;
    // The label is printed turned a quarter clockwise on its page: a landscape label on a roll
    // narrower than its width. The page holds it as it lies.
    bool turned = false;
    bool names() const { return kind != Kind::Printer; }
    // The names a label can give, as the layout dialog lists them.
    static QStringList namedPapers();
    // The paper of a new label.
    static LabelPaper newLabel() { return {Kind::Named, QStringLiteral("A4"), 0, 0, false}; }
    bool operator==(const LabelPaper&) const = default;
};

// Sets the defaults: 2 x 4 labels of 80 x 50 mm, margins and gaps 10 mm, origin 0.
void ImpostaLayoutDefault(LayoutEtichetta& layout);
