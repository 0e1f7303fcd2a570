// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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

// Sets the defaults: 2 x 4 labels of 80 x 50 mm, margins and gaps 10 mm, origin 0.
void ImpostaLayoutDefault(LayoutEtichetta& layout);
