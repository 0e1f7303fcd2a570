// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/labeldocument.h"

#include "document/elementtype.h"

#include <algorithm>
#include <limits>

namespace {
std::size_t slot(ElementKind kind) {
    return static_cast<std::size_t>(kind);
}
} // namespace

LabelDocument::LabelDocument(QObject* parent)
    : QObject(parent) {
    for (const ElementType* type : elementTypes())
        m_templates[slot(type->kind())] = type->makeTemplate();
}

LabelDocument::~LabelDocument() = default;

void LabelDocument::setLayout(const LayoutEtichetta& layout) {
    m_layout = layout;
    emit layoutChanged();
}

void LabelDocument::setLayout(const LayoutEtichetta& layout, const LabelPaper& paper) {
    m_layout = layout;
    m_paper = paper;
    emit layoutChanged();
}

void LabelDocument::setPaper(const LabelPaper& paper) {
    m_paper = paper;
    emit layoutChanged();
}

void LabelDocument::ImpostaLayoutDefault() {
    setLayout(LayoutEtichetta{});
}

void LabelDocument::setModificato(bool modified) {
    if (m_modified == modified)
        return;
    m_modified = modified;
    emit modifiedChanged(modified);
}

void LabelDocument::AzzeraVariabili() {
    const bool flag = m_binding.FlagRiservato;
    const QString text = m_binding.TestoRiservato;
    m_binding = CollegamentoDatabase{};
    m_binding.FlagRiservato = flag;
    m_binding.TestoRiservato = text;
    m_connected = false;
    m_zOrder.clear();
}

void LabelDocument::NuovaEtichetta() {
    // A new label has no file until it is saved under a name: "Salva" must not offer to
    // replace the label that was open before.
    m_fileName.clear();
    ImpostaLayoutDefault();
    // A new label names its paper: it is placed from the paper's edge.
    setPaper(LabelPaper::newLabel());
    AzzeraVariabili();
    m_connected = false;
    emit disconnectRequested();
    m_stacking.clear();
    m_elements.clear();
    m_highestIndex = {};
    emit elementsChanged();
    setModificato(false);
    emit refreshRequested();
    emit replaced();
}

LabelDocument::State LabelDocument::state() const {
    State state{m_layout, m_paper, m_binding, m_zOrder, m_templates, {}, {}, m_highestIndex};
    state.elements.reserve(m_elements.size());
    for (const auto& element : m_elements)
        state.elements.push_back(*element);
    for (const LabelElement* element : m_stacking)
        state.stacking.push_back(element->key());
    return state;
}

void LabelDocument::restore(const State& state) {
    const bool otherLayout = !(m_layout == state.layout) || !(m_paper == state.paper);
    const bool otherDatabase = m_binding.NomeDatabase != state.binding.NomeDatabase ||
                               m_binding.PasswordDb != state.binding.PasswordDb ||
                               m_binding.NomeTabella != state.binding.NomeTabella;
    m_layout = state.layout;
    m_paper = state.paper;
    m_binding = state.binding;
    m_zOrder = state.zOrder;
    m_templates = state.templates;
    m_highestIndex = state.highestIndex;
    std::vector<std::unique_ptr<LabelElement>> elements;
    for (const LabelElement& value : state.elements) {
        const auto kept = std::find_if(m_elements.begin(), m_elements.end(), [&](const auto& e) {
            return e && e->kind == value.kind && e->Index == value.Index;
        });
        if (kept != m_elements.end()) {
            **kept = value;
            elements.push_back(std::move(*kept));
        } else {
            elements.push_back(std::make_unique<LabelElement>(value));
        }
    }
    m_elements = std::move(elements);
    m_stacking.clear();
    for (const QString& key : state.stacking) {
        if (LabelElement* found = element(key))
            m_stacking.push_back(found);
    }
    if (otherDatabase) {
        m_connected = false;
        emit bindingRestored();
    }
    if (otherLayout)
        emit layoutChanged();
    emit elementsChanged();
}

LabelElement& LabelDocument::templateOf(ElementKind kind) {
    return m_templates[slot(kind)];
}

const LabelElement& LabelDocument::templateOf(ElementKind kind) const {
    return m_templates[slot(kind)];
}

std::optional<qint16> LabelDocument::GetNewIndex(ElementKind kind) const {
    const int highest = std::max<int>(templateOf(kind).Index, m_highestIndex[std::size_t(kind)]);
    if (highest >= std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<qint16>(highest + 1);
}

std::optional<qint16> LabelDocument::GetNewIndex(const QString& NomeControllo) const {
    const auto kind = kindFromName(NomeControllo);
    return kind ? GetNewIndex(*kind) : std::optional<qint16>(1);
}

LabelElement* LabelDocument::CreaOgg(ElementKind kind, float left, float top, float width,
                                     float height) {
    const auto index = GetNewIndex(kind);
    if (!index)
        return nullptr;
    auto element = std::make_unique<LabelElement>(templateOf(kind));
    element->Index = *index;
    m_highestIndex[std::size_t(kind)] = *index;
    element->Left = left;
    element->Top = top;
    element->Width = width;
    element->Height = height;
    element->Visible = true;
    LabelElement* created = element.get();
    m_elements.push_back(std::move(element));
    m_stacking.push_back(created);
    emit elementsChanged();
    return created;
}

LabelElement* LabelDocument::CreaOggTesto(float left, float top, float width, float height) {
    return CreaOgg(ElementKind::Testo, left, top, width, height);
}

LabelElement* LabelDocument::CreaOggImmagine(float left, float top, float width, float height) {
    return CreaOgg(ElementKind::Immagine, left, top, width, height);
}

LabelElement* LabelDocument::CreaOggPicture(float left, float top, float width, float height) {
    return CreaOgg(ElementKind::Picture, left, top, width, height);
}

LabelElement* LabelDocument::CreaOggRettangolo(float left, float top, float width, float height) {
    return CreaOgg(ElementKind::Rettangolo, left, top, width, height);
}

bool LabelDocument::removeElement(const QString& key) {
    const auto it = std::find_if(m_elements.begin(), m_elements.end(),
                                 [&](const auto& element) { return element->key() == key; });
    if (it == m_elements.end())
        return false;
    const ElementKind kind = (*it)->kind;
    removeFromStacking(it->get());
    m_zOrder.RimuoviZOrdine(key);
    m_elements.erase(it);
    qint16 highest = 0;
    for (const auto& element : m_elements) {
        if (element->kind == kind)
            highest = std::max(highest, element->Index);
    }
    m_highestIndex[std::size_t(kind)] = highest;
    emit elementsChanged();
    return true;
}

LabelElement* LabelDocument::element(const QString& key) {
    const auto it = std::find_if(m_elements.begin(), m_elements.end(),
                                 [&](const auto& element) { return element->key() == key; });
    return it == m_elements.end() ? nullptr : it->get();
}

const LabelElement* LabelDocument::element(const QString& key) const {
    return const_cast<LabelDocument*>(this)->element(key);
}

void LabelDocument::removeFromStacking(LabelElement* element) {
    // The element moved is most often the newest, at the end.
    const auto found = std::find(m_stacking.rbegin(), m_stacking.rend(), element);
    if (found != m_stacking.rend())
        m_stacking.erase(std::next(found).base());
}

std::vector<LabelElement*> LabelDocument::drawOrder() const {
    const auto pass = [this](const LabelElement* element) {
        const int flag = m_zOrder.GetZOrdine(element->key());
        return flag == SentToBack ? 0 : flag == BroughtToFront ? 2 : 1;
    };
    std::vector<LabelElement*> order;
    order.reserve(m_stacking.size());
    for (const int depth : {0, 1, 2}) {
        for (LabelElement* element : m_stacking) {
            if (pass(element) == depth)
                order.push_back(element);
        }
    }
    return order;
}

void LabelDocument::setStackingOrder(std::vector<LabelElement*> order) {
    m_stacking = std::move(order);
    emit elementsChanged();
}

void LabelDocument::bringToFront(LabelElement* element) {
    removeFromStacking(element);
    m_stacking.push_back(element);
    emit elementsChanged();
}

void LabelDocument::sendToBack(LabelElement* element) {
    removeFromStacking(element);
    m_stacking.insert(m_stacking.begin(), element);
    emit elementsChanged();
}
