// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/labeldocument.h"

#include <QElapsedTimer>
#include <QObject>
#include <QUndoStack>

// Undo and redo for a label. Every command ends with a checkpoint: what changed since the
// last one becomes one step, whatever the command did (nothing changed, no step). A step
// holds the label before and after, so that undoing puts it back exactly. Moves by the arrow
// keys make one step as long as they follow each other within a second. The label is
// unmodified exactly when the steps are back at the saved label.
class LabelHistory : public QObject {
    Q_OBJECT

public:
    static constexpr int MostSteps = 200;

    explicit LabelHistory(LabelDocument& document, QObject* parent = nullptr);

    QUndoStack& stack() { return m_stack; }
    // Records what changed since the last checkpoint as one step.
    void checkpoint(const QString& what);
    // The same, gathering the checkpoints of a burst (keys pressed one after another, with no
    // pause of a second and no other step between them) into one step.
    void checkpointInBurst(const QString& what);
    static constexpr qint64 BurstPauseMs = 1000;

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
    QElapsedTimer m_sinceBurst;
    bool m_applying = false;
};
