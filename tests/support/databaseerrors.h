// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "database/databaseerror.h"

#include <functional>

// The database error `run` stops with; number 0 and no description when it runs to its end.
inline DatabaseError databaseError(const std::function<void()>& run) {
    try {
        run();
    } catch (const DatabaseError& error) {
        return error;
    }
    return DatabaseError(0, QString());
}
