// SPDX-License-Identifier: GPL-3.0-or-later
#include "printcomponent/pressivoui.h"

#include "printcomponent/printsurface.h"

namespace {
PressivoUi*& installed() {
    static PressivoUi* ui = nullptr;
    return ui;
}
} // namespace

PressivoUi& PressivoUi::current() {
    static HeadlessPressivoUi headless;
    PressivoUi* ui = installed();
    return ui ? *ui : headless;
}

void PressivoUi::install(PressivoUi* ui) {
    installed() = ui;
}

HeadlessPressivoUi::HeadlessPressivoUi()
    : m_surface(std::make_unique<PrintSurface>()) {}

HeadlessPressivoUi::~HeadlessPressivoUi() = default;

PrintSurface& HeadlessPressivoUi::surface() {
    return *m_surface;
}

void HeadlessPressivoUi::askDestination(DestinationRequest& request) {
    ++questions;
    request.DestinazioneStampa = destination;
    request.FileName = fileName;
    if (copies > 0)
        request.Copies = qint16(copies);
}
