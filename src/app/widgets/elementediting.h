// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/widgets/designcontext.h"

#include <QStringList>

#include <vector>

// The Modifica commands: delete, cut, copy and paste the selected elements, edit a text's or a
// barcode's text, a picture's file.
class ElementEditing {
public:
    explicit ElementEditing(const DesignContext& context)
        : m_context(context) {}

    void deleteSelected();
    void copySelected();
    void cutSelected();
    void paste();
    void editText();
    void editPicture();

private:
    DesignContext m_context;
    QStringList m_copied;            // the keys of the elements Copia remembers
    std::vector<LabelElement> m_cut; // what Taglia took away
};
