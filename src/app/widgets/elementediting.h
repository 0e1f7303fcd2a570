// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/widgets/designcontext.h"

#include <QStringList>

#include <vector>

class clsDatabase;

// The Modifica commands: delete, cut, copy and paste the selected elements, edit a text's or a
// barcode's text (offering the fields of the label's table), a picture's file.
class ElementEditing {
public:
    ElementEditing(const DesignContext& context, const clsDatabase& database)
        : m_context(context)
        , m_database(database) {}

    void deleteSelected();
    void copySelected();
    void cutSelected();
    void paste();
    void editText();
    void editPicture();

private:
    // The fields of the label's table; none when it has no table, or it cannot be read.
    QStringList tableFields() const;

    DesignContext m_context;
    const clsDatabase& m_database;
    QStringList m_copied;            // the keys of the elements Copia remembers
    std::vector<LabelElement> m_cut; // what Taglia took away
};
