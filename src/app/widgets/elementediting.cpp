// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/elementediting.h"
#include "document/elementtype.h"

#include "common/cursor.h"
#include "common/resourcelimits.h"
#include "database/clsdatabase.h"
#include "database/databaseerror.h"
#include "document/picturefile.h"
#include "editing/editcommands.h"
#include "editing/widgets/frmmodificatesto.h"

#include <QLineEdit>

void ElementEditing::deleteSelected() {
    m_context.touched();
    const std::vector<LabelElement*> chosen = m_context.selection();
    m_context.surface.Deseleziona();
    for (LabelElement* element : chosen)
        deleteElement(m_context.document, *element);
    m_context.surface.setModoSelezione(true);
}

void ElementEditing::copySelected() {
    m_context.touched();
    if (m_context.selection().empty())
        return;
    m_copied.clear();
    m_cut.clear();
    for (const LabelElement* element : m_context.selection())
        m_copied << element->key();
}

void ElementEditing::cutSelected() {
    if (m_context.selection().empty())
        return;
    m_copied.clear();
    m_cut.clear();
    for (const LabelElement* element : m_context.selection())
        m_cut.push_back(*element);
    deleteSelected();
}

void ElementEditing::paste() {
    m_context.touched();
    // A copy refers to the live element: when it is gone, nothing is pasted. What was cut
    // is pasted from what it was.
    std::vector<LabelElement*> pasted;
    for (const QString& key : m_copied) {
        if (LabelElement* copy = DuplicaOggetto(m_context.document, key))
            pasted.push_back(copy);
    }
    for (const LabelElement& element : m_cut) {
        if (LabelElement* copy = pasteElement(m_context.document, element))
            pasted.push_back(copy);
    }
    // What comes next (arrows, Cancella, formatting) is for the copies, never the originals.
    if (!pasted.empty())
        m_context.surface.select(pasted);
}

void ElementEditing::editText() {
    m_context.touched();
    LabelElement* element = m_context.selected();
    if (!element)
        return;
    const ElementType& type = typeOf(*element);
    if (type.value() != ValueKind::Text && type.value() != ValueKind::Symbol)
        return;
    CursoreAttesa();
    frmModificaTesto editor(m_context.window);
    editor.setMultiLine(type.value() == ValueKind::Text);
    editor.offerFields(tableFields());
    editor.setCheck(
        [&type, element](const QString& text) { return type.valueProblem(*element, text); });
    if (element->DataMember.trimmed().isEmpty())
        editor.setTesto(type.ownValue(*element));
    CursoreNormale();
    editor.exec();
    if (!editor.Confermato)
        return;
    type.setOwnValue(*element, editor.Testo);
    element->DataMember.clear(); // editing a linked element unlinks it
    m_context.edited();
}

QStringList ElementEditing::tableFields() const {
    QStringList names;
    if (!m_context.document.DatabaseConnesso() || !m_database.isConnected())
        return names;
    try {
        for (const FieldInfo& field :
             m_database.source().fields(m_context.document.binding().NomeTabella))
            names << field.name;
    } catch (const DatabaseError&) {
        // No table (yet): the label's own values are still offered.
    }
    return names;
}

void ElementEditing::editPicture() {
    m_context.touched();
    LabelElement* element = m_context.selected();
    if (!element || typeOf(*element).value() != ValueKind::Picture)
        return;
    CursoreAttesa();
    frmModificaImmagine editor(m_context.window);
    if (element->DataMember.trimmed().isEmpty())
        editor.txtNomeFile->setText(element->ToolTipText);
    CursoreNormale();
    editor.exec();
    if (!editor.Confermato)
        return;
    element->ToolTipText = editor.NomeFile;
    if (const QImage picture =
            picturefile::read(editor.NomeFile, resourcelimits::DocumentPicturePixels).picture;
        !picture.isNull())
        element->Picture = picture;
    element->DataMember.clear();
    m_context.edited();
}
