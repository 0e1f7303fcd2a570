// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/widgets/designcontext.h"

#include <QString>

// The Modifica commands: delete, copy and paste the selected element, edit a text's or a
// barcode's text, a picture's file.
class ElementEditing {
public:
    explicit ElementEditing(const DesignContext& context)
        : m_context(context) {}

    void deleteSelected();
    void copySelected();
    void paste();
    void editText();
    void editPicture();

private:
    DesignContext m_context;
    QString m_copied; // the key of the element Copia remembers
};
