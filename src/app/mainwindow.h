// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>
#include <QMap>

class clsDatabase;
class DesignSurface;
class LabelDocument;
class QAction;
class QLabel;
class QScrollArea;

// The main window: menus, the two toolbars, the design surface and the status bar. Every
// command is one procedure named after its menu item; toolbar buttons and shortcuts run the
// same actions.
class frmMarvello : public QMainWindow {
    Q_OBJECT

public:
    frmMarvello(LabelDocument& document, clsDatabase& database, QWidget* parent = nullptr);

    // The action of a menu item ("mnuNuovo") or a toolbar key ("nuovo").
    QAction* action(const QString& name) const { return m_actions.value(name); }
    DesignSurface* surface() const { return PicBox; }
    QString statusPanel(int panel) const;

    bool Snap() const { return m_snap; }

    // Lifecycle and file commands.
    bool ChiediSalvataggio(); // true: cancel what was being done
    void mnuNuovo_Click();
    void mnuApri_Click();
    void mnuSalva_Click();
    void mnuEsci_Click();
    void mnuApriStampa_Click();     // a saved print, in the preview
    void showLabel();               // scrolls the design surface back to the label
    void mnuGestioneStampe_Click(); // the saved print manager
    void mnuImpostaPagina_Click();
    void mnuStampa_Click();
    void mnuStampaDiretta_Click();
    void mnuDisconnettiDb_Click();
    void mnuSelezionaRecords_Click();
    void mnuInformazioni_Click();
    void SetGriglia();
    void SetSnap();
    void SetConnesso();
    void SetDisconnesso();
    void RidisegnaSuperficie();
    // Tools: every tool command starts by ending the armed tools and the selection.
    void AnnullaModi();
    void mnuSeleziona_Click();
    void mnuTesto_Click();
    void mnuCodiciBarre_Click();
    void mnuImmagine_Click();
    void mnuRettangolo_Click();
    // Editing and formatting the selected element.
    void mnuCancella_Click();
    void mnuCopia_Click();
    void mnuIncolla_Click();
    void mnuModificaTesto_Click();
    void mnuModificaImmagine_Click();
    void mnuPortaAvanti_Click();
    void mnuPortaIndietro_Click();
    void mnuOpaco_Click();
    void mnuTrasparente_Click();
    void mnuSpessore1_Click();
    void mnuSpessore2_Click();
    void mnuSpessore3_Click();
    void mnuColoreOggetto_Click();
    void mnuColoreSfondo_Click();
    void mnuParametriBarcode_Click();
    void mnuAllineamento_Click();
    void ImpostaAllineamento(int valore);
    void elementDoubleClicked();
    void mnuConnettiDb_Click();
    void mnuCollega_Click();
    // Fonts: the lists, the boxes and the one operation behind them.
    static QStringList printerFonts();
    static bool FontDisponibile(const QString& nome);
    void InizializzaCaratteri();
    void AggiornaBarraCarattere(const struct LabelElement& font);
    void ApplicaCarattere(const QString& nome, const QString& dimensione, bool grassetto,
                          bool corsivo);
    void mnuCarattere_Click();
    class QComboBox* fontNameBox() const {
        return m_fontName;
    }
    class QComboBox* fontSizeBox() const {
        return m_fontSize;
    }
    // Connects the label's database as opening a label does; false when it is not there.
    bool ConnettiDatabase(const QString& percorso, const QString& password, const QString& tabella);

    void refresh();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* addCommand(const QString& name, const QString& caption, void (frmMarvello::*slot)());
    void buildMenus();
    void buildToolbars();
    void refreshToolbar();
    void applyFontControls();

    LabelDocument& m_document;
    clsDatabase& m_database;
    DesignSurface* PicBox;
    QScrollArea* m_scroll;
    QLabel* m_panel1;
    QLabel* m_panel2;
    class QComboBox* m_fontName = nullptr;
    class QComboBox* m_fontSize = nullptr;
    QMap<QString, QAction*> m_actions;
    bool m_snap = true;
    QString m_copied; // the key of the element Copia remembers
    struct LabelElement* selected() const;
    void edited(); // the selected element changed: repaint
};
