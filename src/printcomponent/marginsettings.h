// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/units.h"

// The page margins the print component keeps between runs in the settings file, in
// centimetres under their own keys; three millimetres where a key is missing or not a
// positive number.
struct PageMargins {
    units::Length top, bottom, right, left;

    static PageMargins read();
    void save() const;
};
