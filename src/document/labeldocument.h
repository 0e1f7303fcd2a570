// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "database/databasebinding.h"
#include "document/labelelement.h"
#include "document/sheetlayout.h"
#include "document/zordertable.h"

#include <QObject>

#include <array>
#include <memory>
#include <optional>
#include <vector>

// The open label: sheet layout, database binding, elements and the depth table, with the
// flag that says whether it has unsaved changes. Free of widgets: the window, the print
// engine and batch jobs all work on it.
//
// Elements keep two orders: creation order (the order of the label file) and stacking order.
// What covers what, on the design surface and on paper alike, is drawOrder(): the depth
// passes (sent to the back, unmoved, brought to the front), each in stacking order.
class LabelDocument : public QObject {
    Q_OBJECT

public:
    explicit LabelDocument(QObject* parent = nullptr);
    ~LabelDocument() override;

    const LayoutEtichetta& layout() const { return m_layout; }
    void setLayout(const LayoutEtichetta& layout);
    void ImpostaLayoutDefault();
    const LabelPaper& paper() const { return m_paper; }
    void setPaper(const LabelPaper& paper);
    // Both at once, as the layout dialog stores them: one change.
    void setLayout(const LayoutEtichetta& layout, const LabelPaper& paper);

    const CollegamentoDatabase& binding() const { return m_binding; }
    void setBinding(const CollegamentoDatabase& binding) { m_binding = binding; }

    // True while the bound database is open and holds the bound table or query.
    bool DatabaseConnesso() const { return m_connected; }
    void setDatabaseConnesso(bool connected) { m_connected = connected; }

    TabellaZOrdine& zOrder() { return m_zOrder; }
    const TabellaZOrdine& zOrder() const { return m_zOrder; }

    // The label file last read or written; empty for a label never saved.
    const QString& fileName() const { return m_fileName; }
    void setFileName(const QString& fileName) { m_fileName = fileName; }

    bool Modificato() const { return m_modified; }
    void setModificato(bool modified);

    // Empties the first eight binding values, disconnects and empties the depth table;
    // the two reserved values are kept.
    void AzzeraVariabili();
    // Makes this an empty new label: defaults, no binding, no elements, unmodified.
    void NuovaEtichetta();

    // The template a new element of the kind is copied from; the font commands change the
    // text template so new texts take the chosen font.
    LabelElement& templateOf(ElementKind kind);
    const LabelElement& templateOf(ElementKind kind) const;

    // One more than the largest index of the kind (the template counts, so at least 1);
    // nothing when the kind has used up its indices.
    std::optional<qint16> GetNewIndex(ElementKind kind) const;
    std::optional<qint16> GetNewIndex(const QString& NomeControllo) const;

    // Creates a visible element as a copy of its template at the given geometry (twips),
    // in front of all others. Nothing when no index is left.
    LabelElement* CreaOgg(ElementKind kind, float left, float top, float width, float height);
    LabelElement* CreaOggTesto(float left, float top, float width, float height);
    LabelElement* CreaOggImmagine(float left, float top, float width, float height);
    LabelElement* CreaOggPicture(float left, float top, float width, float height);
    LabelElement* CreaOggRettangolo(float left, float top, float width, float height);

    // Removes a user element and its depth entry. False when there is no such element.
    bool removeElement(const QString& key);

    LabelElement* element(const QString& key);
    const LabelElement* element(const QString& key) const;

    // User elements in creation order.
    const std::vector<std::unique_ptr<LabelElement>>& elements() const { return m_elements; }
    // User elements in the order they were moved in depth: the order within a depth pass.
    const std::vector<LabelElement*>& stackingOrder() const { return m_stacking; }
    // User elements from the backmost to the frontmost, as the surface and the print draw.
    std::vector<LabelElement*> drawOrder() const;

    // Stacking only; the depth table is the caller's business.
    void bringToFront(LabelElement* element);
    void sendToBack(LabelElement* element);
    // Everything a user can change, as one value: what undo and redo put back.
    struct State {
        LayoutEtichetta layout;
        LabelPaper paper;
        CollegamentoDatabase binding;
        TabellaZOrdine zOrder;
        std::array<LabelElement, ElementKindCount> templates;
        std::vector<LabelElement> elements; // creation order
        std::vector<QString> stacking;      // keys, backmost first
        std::array<qint16, ElementKindCount> highestIndex{};
        bool operator==(const State&) const = default;
    };
    State state() const;
    // Puts the label back as it was. Elements still there keep their address; a binding to
    // another database or table leaves the label disconnected and says so (bindingRestored).
    void restore(const State& state);
    // Another label replaced this one (opened, or a new one): what came before is not its past.
    void markReplaced() { emit replaced(); }

    // Replaces the stacking order at once (a reader that knows every element's depth); the
    // list must hold each user element exactly once.
    void setStackingOrder(std::vector<LabelElement*> order);

signals:
    // The database must be closed and the status bar must say "Non connesso".
    void disconnectRequested();
    void layoutChanged();
    void elementsChanged();
    void modifiedChanged(bool modified);
    // The window should refresh itself (not the design surface).
    void refreshRequested();
    void replaced();
    // restore() brought back another binding: its database is to be connected again.
    void bindingRestored();

private:
    void removeFromStacking(LabelElement* element);

    LayoutEtichetta m_layout;
    LabelPaper m_paper;
    CollegamentoDatabase m_binding;
    bool m_connected = false;
    TabellaZOrdine m_zOrder;
    bool m_modified = false;
    QString m_fileName;
    std::array<LabelElement, ElementKindCount> m_templates;
    std::vector<std::unique_ptr<LabelElement>> m_elements;
    std::vector<LabelElement*> m_stacking;
    // The largest index each kind has used, so that creating is not a walk over all elements.
    std::array<qint16, ElementKindCount> m_highestIndex{};
};
