// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/labelhistory.h"

class LabelHistory::Step : public QUndoCommand {
public:
    Step(LabelHistory& history, LabelDocument::State before, LabelDocument::State after,
         const QString& what, int burst)
        : QUndoCommand(what)
        , m_history(history)
        , m_before(std::move(before))
        , m_after(std::move(after))
        , m_burst(burst) {}

    void undo() override { m_history.apply(m_before); }
    void redo() override {
        // Pushed after the change was made: the first redo has nothing to do.
        if (m_done)
            m_history.apply(m_after);
        m_done = true;
    }
    int id() const override { return m_burst > 0 ? 1 : -1; }
    bool mergeWith(const QUndoCommand* other) override {
        const auto* next = static_cast<const Step*>(other);
        if (next->m_burst != m_burst)
            return false;
        m_after = next->m_after;
        return true;
    }

private:
    LabelHistory& m_history;
    LabelDocument::State m_before;
    LabelDocument::State m_after;
    int m_burst; // 0: a step of its own
    bool m_done = false;
};

LabelHistory::LabelHistory(LabelDocument& document, QObject* parent)
    : QObject(parent)
    , m_document(document)
    , m_last(document.state()) {
    m_stack.setUndoLimit(MostSteps);
    connect(&m_document, &LabelDocument::replaced, this, &LabelHistory::reset);
    // After every step taken, undone or redone: modified unless back at the saved label.
    connect(&m_stack, &QUndoStack::indexChanged, this,
            [this] { m_document.setModificato(!m_stack.isClean()); });
    // A label saved (or a new one) is the state undoing comes back to.
    connect(&m_document, &LabelDocument::modifiedChanged, this, [this](bool modified) {
        if (!modified && !m_applying)
            m_stack.setClean();
    });
}

void LabelHistory::reset() {
    m_stack.clear();
    m_last = m_document.state();
    m_stack.setClean();
}

void LabelHistory::checkpoint(const QString& what) {
    record(what, 0);
}

void LabelHistory::checkpointInBurst(const QString& what) {
    if (m_sinceBurst.isValid() && m_sinceBurst.elapsed() > BurstPauseMs)
        ++m_burst;
    record(what, m_burst);
    m_sinceBurst.restart();
}

void LabelHistory::record(const QString& what, int burst) {
    if (m_applying)
        return;
    LabelDocument::State now = m_document.state();
    if (now == m_last)
        return;
    if (burst == 0)
        ++m_burst; // a step of its own ends any burst
    LabelDocument::State before = std::exchange(m_last, now);
    m_stack.push(new Step(*this, std::move(before), std::move(now), what, burst));
}

void LabelHistory::apply(const LabelDocument::State& state) {
    m_applying = true;
    ++m_burst; // moves after an undo are steps of their own
    m_document.restore(state);
    m_last = state;
    m_applying = false;
}
