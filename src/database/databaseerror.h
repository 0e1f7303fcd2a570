// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/programerror.h"

// An error of the database layer, numbered as the Access engine numbers it so that messages
// read as users of Access programs know them.
struct DatabaseError : ProgramError {
    using ProgramError::ProgramError;

    static constexpr int InvalidPassword = 3031;    // not a valid password
    static constexpr int InvalidPath = 3044;        // not a valid path
    static constexpr int CannotOpen = 3051;         // the file cannot be opened
    static constexpr int SyntaxError = 3075;        // syntax error in an expression
    static constexpr int NoSuchTable = 3078;        // input table or query not found
    static constexpr int Locked = 3261;             // locked by another user
    static constexpr int ItemNotFound = 3265;       // a field that does not exist
    static constexpr int UnrecognizedFormat = 3343; // not an Access database, or damaged
    static constexpr int TypeMismatch = 3464;       // data type mismatch in criteria
    static constexpr int UnsupportedQuery = 3129;   // a query this engine does not run
    static constexpr int DivisionByZero = 11;       // division by zero
    static constexpr int InvalidFieldType = 3259;   // a field of a type labels cannot show
};
