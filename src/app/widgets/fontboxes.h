// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/widgets/designcontext.h"

#include <QObject>

class QAction;
class QComboBox;
class QToolBar;

// The font boxes of the formatting toolbar with the bold and italic buttons: they show the
// selected text's font and set it, or the font of the texts inserted next when none is
// selected. A name the system cannot print or a size outside 1 to 1638 is refused when the
// box is left.
class FontBoxes : public QObject {
    Q_OBJECT

public:
    FontBoxes(const DesignContext& context, QToolBar& toolbar);

    // The font families the system prints with, with the Windows names the metric-compatible
    // Liberation fonts stand in for.
    static QStringList printerFonts();
    static bool FontDisponibile(const QString& nome);

    // Bold and italic are toolbar buttons made elsewhere; they set the font too.
    void setStyleButtons(QAction* bold, QAction* italic);
    // Fills the boxes and sets the font new texts start with.
    void InizializzaCaratteri();
    void AggiornaBarraCarattere(const LabelElement& font);
    void ApplicaCarattere(const QString& nome, const QString& dimensione, bool grassetto,
                          bool corsivo);
    QComboBox* nameBox() const { return m_name; }
    QComboBox* sizeBox() const { return m_size; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyControls();
    void refuse(QComboBox* box, const QString& message);

    DesignContext m_context;
    QComboBox* m_name;
    QComboBox* m_size;
    QAction* m_bold = nullptr;
    QAction* m_italic = nullptr;
};
