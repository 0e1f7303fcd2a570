// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The application-wide mouse pointer: the hourglass while the program is busy, then back to
// the default. Not a stack: one CursoreNormale ends any number of CursoreAttesa.
void CursoreAttesa();
void CursoreNormale();

// Shows the hourglass for the lifetime of the object.
class BusyPointer {
public:
    BusyPointer() { CursoreAttesa(); }
    ~BusyPointer() { CursoreNormale(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};
