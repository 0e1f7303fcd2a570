// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/sheetlayout.h"

#include <array>

namespace {

using Member = double LayoutEtichetta::*;
constexpr std::array<Member, LayoutEtichetta::ValueCount> Members = {
    &LayoutEtichetta::EtichetteOrizzontali,
    &LayoutEtichetta::EtichetteVerticali,
    &LayoutEtichetta::MargineSinistro,
    &LayoutEtichetta::MargineSuperiore,
    &LayoutEtichetta::LarghezzaEtichetta,
    &LayoutEtichetta::AltezzaEtichetta,
    &LayoutEtichetta::SpazioOrizzontale,
    &LayoutEtichetta::SpazioVerticale,
    &LayoutEtichetta::OrigineX,
    &LayoutEtichetta::OrigineY};

constexpr std::array<const char*, LayoutEtichetta::ValueCount> Names = {"EtichetteOrizzontali",
                                                                        "EtichetteVerticali",
                                                                        "MargineSinistro",
                                                                        "MargineSuperiore",
                                                                        "LarghezzaEtichetta",
                                                                        "AltezzaEtichetta",
                                                                        "SpazioOrizzontale",
                                                                        "SpazioVerticale",
                                                                        "OrigineX",
                                                                        "OrigineY"};

} // namespace

double& LayoutEtichetta::value(int position) {
    return this->*Members.at(position);
}

double LayoutEtichetta::value(int position) const {
    return this->*Members.at(position);
}

const char* LayoutEtichetta::name(int position) {
    return Names.at(position);
}

void ImpostaLayoutDefault(LayoutEtichetta& layout) {
    layout = LayoutEtichetta{};
}

QStringList LabelPaper::namedPapers() {
    return {QStringLiteral("A4"), QStringLiteral("A5"), QStringLiteral("Letter"),
            QStringLiteral("Legal")};
}
