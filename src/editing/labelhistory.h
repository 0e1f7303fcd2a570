// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/labeldocument.h"

#include <QObject>
#include <QUndoStack>

// Undo and redo for a label. Every command ends with a checkpoint: what changed since the
// last one becomes one step, whatever the command did (nothing changed, no step). A step
// holds the label before and after, so that undoing puts it back exactly. Moves by the arrow
// keys held down make one step. The label is unmodified exactly when the steps are back at
// the saved label.
class LabelHistory : public QObject {
    Q_OBJECT

public:
    static constexpr int MostSteps = 200;

    explicit LabelHistory(LabelDocument& document, QObject* parent = nullptr);

    QUndoStack& stack() { return m_stack; }
    // Records what changed since the last checkpoint as one step.
    void checkpoint(const QString& what);
    // The same, gathering every checkpoint of one burst (keys held down) into one step.
    void checkpointInBurst(const QString& what);
    void endBurst() { ++m_burst; }

    void undo() { m_stack.undo(); }
    void redo() { m_stack.redo(); }

private:
    class Step;
    void record(const QString& what, int burst);
    void apply(const LabelDocument::State& state);
    void reset();

    LabelDocument& m_document;
    QUndoStack m_stack;
    LabelDocument::State m_last;
    int m_burst = 1;
    bool m_applying = false;
};
