// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/mainwindow.h"

#include "document/elementtype.h"

#include "app/widgets/fontboxes.h"
#include "app/widgets/placepanel.h"
#include "app/widgets/toolicons.h"
#include "app/widgets/zoomcontrols.h"
#include "common/cursor.h"
#include "common/messageservice.h"
#include "common/programfolders.h"
#include "common/version.h"
#include "common/widgets/windowplacement.h"
#include "designer/widgets/designsurface.h"
#include "document/labeldocument.h"
#include "document/labelfileoperations.h"
#include "printcomponent/clspressivo.h"
#include "printcomponent/pressivoui.h"
#include "printcomponent/savedprints.h"
#include "printing/printengine.h"
#include "printing/widgets/frmattesa.h"
#include "printing/widgets/frmcalibrastampante.h"
#include "printing/widgets/frmimpostapagina.h"
#include "printing/widgets/frmnumerazione.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

frmMarvello::frmMarvello(LabelDocument& document, clsDatabase& database, QWidget* parent)
    : QMainWindow(parent)
    , m_document(document)
    , m_database(database)
    , PicBox(new DesignSurface(document))
    , m_scroll(new QScrollArea(this))
    , m_panel1(new QLabel(QStringLiteral("Non connesso"), this))
    , m_panel2(new QLabel(this))
    , m_place(new PlacePanel(this))
    , m_history(document)
    , m_context{document, *PicBox, m_history, this}
    , m_commands(*this)
    , m_editing(m_context, database)
    , m_formatting(m_context)
    , m_databaseWorkflow(m_context, database)
    , m_files(m_context, *this,
              [this](const QString& path, const QString& password, const QString& table) {
                  return ConnettiDatabase(path, password, table);
              }) {
    CursoreNormale();
    CursoreAttesa();
    setObjectName(QStringLiteral("frmMarvello"));
    setWindowTitle(version::mainWindowCaption());
    m_scroll->setWidget(PicBox);
    m_scroll->setBackgroundRole(QPalette::Dark);
    setCentralWidget(m_scroll);
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->addWidget(m_panel1, 1);
    statusBar()->addWidget(m_panel2, 1);
    statusBar()->addWidget(m_place, 1);
    m_zoom = new ZoomControls(*PicBox, *m_scroll);
    // Whatever a command changed in the label becomes one step to undo.
    m_commands.setAfterCommand([this] {
        m_history.checkpoint({});
        showArmedTool();
    });
    buildMenus();
    buildToolbars();
    for (QToolBar* toolbar : findChildren<QToolBar*>())
        hideEmptyTooltips(toolbar);
    resize(1000, 760);
    CentraForm(this);
    m_document.ImpostaLayoutDefault();
    m_document.setPaper(LabelPaper::newLabel()); // the label of a new window is a new label
    m_document.setModificato(false);
    m_document.markReplaced();

    connect(&m_databaseWorkflow, &DatabaseWorkflow::statusChanged, this,
            [this](const QString& database, const QString& table) {
                m_panel1->setText(database);
                m_panel2->setText(table);
            });
    connect(&m_document, &LabelDocument::layoutChanged, this, &frmMarvello::refresh);
    connect(&m_document, &LabelDocument::elementsChanged, this, &frmMarvello::refresh);
    connect(&m_document, &LabelDocument::refreshRequested, this, &frmMarvello::refresh);
    connect(PicBox, &DesignSurface::elementDoubleClicked, this, &frmMarvello::elementDoubleClicked);
    connect(PicBox, &DesignSurface::selectionChanged, this, [this] {
        if (const LabelElement* element = m_context.selected();
            element && typeOf(*element).hasFont())
            m_fonts->AggiornaBarraCarattere(*element);
        showPlace();
    });
    connect(m_place, &PlacePanel::doubleClicked, this,
            [this] { action(QStringLiteral("mnuPosizione"))->trigger(); });
    connect(PicBox, &DesignSurface::elementChanged, this, [this] {
        showPlace();
        m_document.setModificato(true);
        m_history.checkpoint({});
        showArmedTool(); // an insertion tool is used up by the element it made
    });
    connect(PicBox, &DesignSurface::elementsNudged, this, [this] {
        showPlace();
        m_document.setModificato(true);
        m_history.checkpointInBurst({});
    });
    // The font boxes show the chosen text as it is after every step, undone or redone too.
    connect(&m_history.stack(), &QUndoStack::indexChanged, this, [this] {
        if (const LabelElement* element = m_context.selected();
            element && typeOf(*element).hasFont())
            m_fonts->AggiornaBarraCarattere(*element);
        showPlace();
    });
    QAction* undo = action(QStringLiteral("mnuAnnulla"));
    QAction* redo = action(QStringLiteral("mnuRipeti"));
    undo->setEnabled(false);
    redo->setEnabled(false);
    connect(&m_history.stack(), &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(&m_history.stack(), &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
    connect(&m_document, &LabelDocument::replaced, this, [this] {
        refresh();
        showLabel();
        showArmedTool();
    });
}

frmMarvello::~frmMarvello() = default;

void frmMarvello::showPlace() {
    m_place->showPlace(m_context.selected());
}

QString frmMarvello::statusPanel(int panel) const {
    return panel == 1 ? m_panel1->text() : panel == 2 ? m_panel2->text() : m_place->text();
}

void frmMarvello::buildMenus() {
    using Command = CommandTable::Command;
    const Command separator{nullptr, nullptr};
    auto run = [this](void (frmMarvello::*slot)()) { return [this, slot] { (this->*slot)(); }; };
    ElementEditing& edit = m_editing;
    ElementFormatting& format = m_formatting;
    DatabaseWorkflow& data = m_databaseWorkflow;
    const auto width = [&format](qint16 w) { return [&format, w] { format.setBorderWidth(w); }; };
    const auto tool = [this](DesignSurface::Tool t) { return [this, t] { armTool(int(t)); }; };

    m_commands.addMenu(
        "mnuFile", "&File",
        {{"mnuNuovo", "Nuovo", [this] { m_files.newLabel(); }, QKeySequence::New},
         {"mnuApri", "Apri", [this] { m_files.open(); }, QKeySequence::Open},
         {"mnuSalva", "Salva", [this] { m_files.save(); }, QKeySequence::Save},
         {"mnuSalvaConNome", "Salva con nome...", [this] { m_files.save(); }},
         separator,
         {"mnuApriStampa", "Apri stampa salvata...", run(&frmMarvello::mnuApriStampa_Click)},
         {"mnuGestioneStampe", "Gestione stampe salvate...",
          [] { clsPressivo().ManageFilePrinted(); }},
         separator,
         {"mnuImpostaPagina", "Layout etichetta",
          [this] {
              PicBox->Deseleziona();
              mnuImpostaPagina(m_document, this);
          }},
         {"mnuStampa", "Stampa", run(&frmMarvello::mnuStampa_Click), QKeySequence::Print},
         {"mnuCalibraStampante", "Calibra stampante...",
          [this] { mnuCalibraStampante(m_document, this); }},
         {"mnuNumerazione", "Numerazione...", [this] { mnuNumerazione(m_document, this); }},
         separator,
         {"mnuEsci", "Esci",
          [this] {
              PicBox->Deseleziona();
              close();
          },
          Qt::CTRL | Qt::Key_Q}});
    m_commands.addMenu(
        "mnuModifica", "&Modifica",
        {{"mnuAnnulla", "Annulla", [this] { m_history.undo(); }, Qt::CTRL | Qt::Key_Z},
         {"mnuRipeti",
          "Ripeti",
          [this] { m_history.redo(); },
          Qt::CTRL | Qt::Key_Y,
          {},
          {Qt::CTRL | Qt::SHIFT | Qt::Key_Z}},
         separator,
         {"mnuCancella", "Cancella", [&edit] { edit.deleteSelected(); }, Qt::Key_Delete},
         {"mnuTaglia",
          "Taglia",
          [&edit] { edit.cutSelected(); },
          Qt::CTRL | Qt::Key_X,
          {},
          {Qt::SHIFT | Qt::Key_Delete}},
         {"mnuCopia",
          "Copia",
          [&edit] { edit.copySelected(); },
          Qt::CTRL | Qt::Key_Insert,
          {},
          {Qt::CTRL | Qt::Key_C}},
         {"mnuIncolla",
          "Incolla",
          [&edit] { edit.paste(); },
          Qt::SHIFT | Qt::Key_Insert,
          {},
          {Qt::CTRL | Qt::Key_V}},
         separator,
         {"mnuModificaTesto", "Modifica testo", [&edit] { edit.editText(); }},
         {"mnuModificaImmagine", "Modifica proprietà immagine", [&edit] { edit.editPicture(); }}});
    m_commands.addMenu("mnuVisualizza", "Visualizza", m_zoom->commands());
    m_commands.addMenu(
        "mnuDatabase", "Database",
        {{"mnuConnettiDb",
          "Collega database MDB",
          {},
          {},
          {{"mnuConnettiFile", "File di dati...", [&data] { data.connectDatabase(); }},
           {"mnuConnettiServer", "Server di database...", [&data] { data.connectServer(); }}}},
         {"mnuDisconnettiDb", "Scollega database MDB", [&data] { data.disconnectDatabase(); }},
         {"mnuSelezionaRecords", "Imposta i criteri di selezione",
          [&data] { data.selectRecords(); }},
         separator,
         {"mnuCollega", "Collega oggetto ad un campo dati", [&data] { data.linkField(); }}});
    m_commands.addMenu(
        "mnuOggetti", "Strumenti",
        {{"mnuSeleziona", "Seleziona", tool(DesignSurface::Tool::None)},
         separator,
         {"mnuTesto", "Inserisci un testo", tool(DesignSurface::Tool::Testo)},
         {"mnuCodiciBarre", "Inserisci un barcode", tool(DesignSurface::Tool::CodiceBarre)},
         {"mnuImmagine", "Inserisci un'immagine", tool(DesignSurface::Tool::Immagine)},
         {"mnuRettangolo", "Inserisci un rettangolo", tool(DesignSurface::Tool::Rettangolo)},
         {"mnuLinea", "Inserisci una linea", tool(DesignSurface::Tool::Linea)},
         {"mnuEllisse", "Inserisci un'ellisse", tool(DesignSurface::Tool::Ellisse)}});
    std::vector<Command> formatting{
        {"mnuModalitàSfondo",
         "Modalità sfondo",
         {},
         {},
         {{"mnuOpaco", "Opaco", [&format] { format.setBackground(Background::Opaque); }},
          {"mnuTrasparente", "Trasparente",
           [&format] { format.setBackground(Background::Transparent); }}}},
        {"mnuColoreSfondo", "Colore sfondo", [&format] { format.chooseBackColour(); }},
        {"mnuColoreOggetto", "Colore oggetto", [&format] { format.chooseForeColour(); }},
        separator,
        {"mnuSpessore",
         "Spessore ...",
         {},
         {},
         {{"mnuSpessore1", "1", width(1)},
          {"mnuSpessore2", "2", width(2)},
          {"mnuSpessore3", "3", width(3)},
          separator,
          {"mnuSpessoreMm", "In millimetri...", [&format] { format.chooseLineWidth(); }}}},
        {"mnuRaggioAngoli", "Angoli arrotondati...", [&format] { format.chooseCornerRadius(); }},
        separator,
        {"mnuPortaAvanti", "Porta avanti", [&format] { format.bringToFront(); }},
        {"mnuPortaIndietro", "Porta indietro", [&format] { format.sendToBack(); }},
        {"mnuRuota", "Ruota", [&format] { format.rotate(); }, Qt::CTRL | Qt::Key_R},
        {"mnuPosizione", "Posizione e dimensioni...", [&format] { format.choosePlace(); }},
        separator,
        separator,
        {"mnuParametriBarcode", "Impostazioni oggetto barcode",
         [&format] { format.editBarcodeParameters(); }},
        separator,
        {"mnuCarattere", "Imposta carattere", [&format] { format.chooseFont(); }},
        {"mnuAllineamento", "Allineamento testo", [&format] { format.chooseAlignment(); }},
        {"mnuAllineamentoVerticale",
         "Allineamento verticale",
         {},
         {},
         {{"mnuVerticaleAlto", "In alto",
           [&format] { format.setVertical(VerticalAlignment::Alto); }},
          {"mnuVerticaleCentro", "Al centro",
           [&format] { format.setVertical(VerticalAlignment::Centro); }},
          {"mnuVerticaleBasso", "In basso",
           [&format] { format.setVertical(VerticalAlignment::Basso); }}}},
        {"mnuSottolineato", "Sottolineato", [&format] { format.toggleUnderline(); },
         Qt::CTRL | Qt::Key_U},
        {"mnuAdatta", "Adatta al riquadro", [&format] { format.toggleFit(); }},
        {"mnuMantieniProporzioni", "Mantieni proporzioni",
         [&format] { format.toggleKeepProportions(); }}};
    // Lining up and spacing come after the depth commands.
    const auto arranging = format.arrangeCommands();
    const auto depth = std::find_if(formatting.begin(), formatting.end(), [](const Command& c) {
        return c.name && std::string_view(c.name) == "mnuPortaIndietro";
    });
    formatting.insert(depth + 2, arranging.begin(), arranging.end());
    m_commands.addMenu("mnuFormato", "Formato", formatting);
    m_commands.addMenu(
        "mnuHelp", "&Help",
        {{"mnuInformazioni", "Informazioni su ...", run(&frmMarvello::mnuInformazioni_Click)}});
}

void frmMarvello::buildToolbars() {
    using S = QStyle;
    QToolBar* main = m_commands.addToolbar("Toolbar1");
    m_commands.addButtons(
        main,
        {{"nuovo", "Nuova etichetta vuota", "mnuNuovo", "document-new", S::SP_FileIcon},
         {"apri", "Apri un'etichetta", "mnuApri", "document-open", S::SP_DialogOpenButton},
         {"salva", "Salva un'etichetta", "mnuSalva", "document-save", S::SP_DialogSaveButton},
         {nullptr, nullptr, nullptr},
         {"imposta", "Imposta il formato dell'etichetta", "mnuImpostaPagina", "document-properties",
          S::SP_FileDialogDetailedView},
         {"stampa", "Stampa etichette in anteprima o stampante", "mnuStampa", "document-print",
          S::SP_DialogApplyButton},
         {nullptr, nullptr, nullptr},
         {"connettidb", "Collega un database formato *.MDB", "mnuConnettiFile", "network-connect",
          S::SP_DriveHDIcon},
         {"disconnettidb", "Scollega un database formato *.MDB", "mnuDisconnettiDb",
          "network-disconnect", S::SP_DriveFDIcon},
         {"seleziona", "Attiva la modalità selezione oggetti", "mnuSeleziona", "edit-select",
          S::SP_ArrowUp},
         {"testo", "Inserisce un testo", "mnuTesto", "insert-text", S::SP_FileDialogContentsView},
         {"immagine", "", "mnuImmagine", "insert-image", S::SP_DesktopIcon},
         {"barcode", "Inserisce un barcode", "mnuCodiciBarre", "insert-barcode",
          S::SP_FileDialogListView},
         {"rettangolo", "Inserisce un rettangolo", "mnuRettangolo", "draw-rectangle",
          S::SP_TitleBarNormalButton},
         {"linea", "Inserisce una linea", "mnuLinea", "draw-line", S::SP_TitleBarShadeButton},
         {"ellisse", "Inserisce un'ellisse", "mnuEllisse", "draw-ellipse", S::SP_DialogHelpButton},
         {nullptr, nullptr, nullptr},
         {"modifica", "Modifica un testo", "mnuModificaTesto", "document-edit", S::SP_FileLinkIcon},
         {"collega", "Collega un campo", "mnuCollega", "insert-link", S::SP_CommandLink},
         {nullptr, nullptr, nullptr},
         {"parbarcode", "Parametri barcode", "mnuParametriBarcode", "configure",
          S::SP_FileDialogInfoView}});

    // Toolbar2: formatting. The font boxes, then buttons for the formatting commands.
    addToolBarBreak();
    QToolBar* format = m_commands.addToolbar("Toolbar2");
    m_fonts = new FontBoxes(m_context, *format);
    m_commands.addButtons(
        format,
        {{"carattere", "", "mnuCarattere", "", S::SP_FileDialogContentsView},
         {"font", "", "", "", S::SP_FileDialogInfoView},
         {"grassetto", "", "", "", S::SP_DialogYesButton, true},
         {"corsivo", "", "", "", S::SP_DialogNoButton, true},
         {"allineasx", "", "", "", S::SP_ArrowLeft},
         {"allineac", "", "", "", S::SP_ArrowUp},
         {"allineadx", "", "", "", S::SP_ArrowRight},
         {"coloreogg", "", "mnuColoreOggetto", "", S::SP_DialogResetButton},
         {"coloresfo", "", "mnuColoreSfondo", "", S::SP_DialogDiscardButton},
         {"avanti", "Porta avanti", "mnuPortaAvanti", "", S::SP_ArrowUp},
         {"indietro", "Porta indietro", "mnuPortaIndietro", "", S::SP_ArrowDown},
         {"ruota", "Ruota di 90° in senso orario", "mnuRuota", "object-rotate-right",
          S::SP_BrowserReload},
         {"spessore1", "Spessore linee 1", "mnuSpessore1", "", S::SP_TitleBarMinButton},
         {"spessore2", "Spessore linee 2", "mnuSpessore2", "", S::SP_TitleBarMinButton},
         {"spessore3", "Spessore linee 3", "mnuSpessore3", "", S::SP_TitleBarMinButton},
         {"opaco", "Sfondo opaco", "mnuOpaco", "", S::SP_DialogApplyButton},
         {"trasparente", "Sfondo trasparente", "mnuTrasparente", "", S::SP_DialogCancelButton}});
    m_fonts->setStyleButtons(action(QStringLiteral("grassetto")),
                             action(QStringLiteral("corsivo")));
    const std::pair<const char*, TextAlignment> alignments[] = {
        {"allineasx", TextAlignment::Left},
        {"allineac", TextAlignment::Centre},
        {"allineadx", TextAlignment::Right}};
    for (const auto& [key, alignment] : alignments)
        connect(action(QLatin1String(key)), &QAction::triggered, this,
                [this, alignment] { m_formatting.setAlignment(alignment); });

    m_commands.addToggle(main, "griglia", QStringLiteral("Griglia"),
                         QStringLiteral("Mostra la griglia"), [this] { SetGriglia(); });
    m_commands.addToggle(main, "snap", QStringLiteral("Snap"),
                         QStringLiteral("Aggancia gli oggetti alla griglia"),
                         [this] { SetSnap(); });
    action(QStringLiteral("snap"))->setChecked(m_snap);
    m_fonts->InizializzaCaratteri();
    main->addSeparator();
    m_zoom->addBox(*main);
    m_files.updateTitle();
    showArmedTool();
}

void frmMarvello::SetGriglia() {
    PicBox->setGriglia(!PicBox->Griglia());
    action(QStringLiteral("griglia"))->setChecked(PicBox->Griglia());
}

void frmMarvello::SetSnap() {
    m_snap = !m_snap;
    PicBox->setSnap(m_snap);
    action(QStringLiteral("snap"))->setChecked(m_snap);
}

void frmMarvello::showArmedTool() {
    static const std::pair<const char*, DesignSurface::Tool> buttons[] = {
        {"seleziona", DesignSurface::Tool::None},
        {"testo", DesignSurface::Tool::Testo},
        {"barcode", DesignSurface::Tool::CodiceBarre},
        {"immagine", DesignSurface::Tool::Immagine},
        {"rettangolo", DesignSurface::Tool::Rettangolo},
        {"linea", DesignSurface::Tool::Linea},
        {"ellisse", DesignSurface::Tool::Ellisse}};
    // The arrow is pressed only while clicks select: file and database commands leave the
    // select tool, and a click then selects nothing until the arrow is pressed again.
    const bool selecting = PicBox->ModoSelezione();
    for (const auto& [key, tool] : buttons) {
        if (QAction* button = action(QLatin1String(key))) {
            button->setCheckable(true);
            button->setChecked(PicBox->armedTool() == tool &&
                               (tool != DesignSurface::Tool::None || selecting));
        }
    }
}

void frmMarvello::armTool(int tool) {
    // Every tool command starts by ending the armed tools and the selection.
    m_document.setModificato(true);
    PicBox->armTool(DesignSurface::Tool(tool));
    if (DesignSurface::Tool(tool) == DesignSurface::Tool::None)
        PicBox->setModoSelezione(true);
}

bool frmMarvello::ConnettiDatabase(const QString& percorso, const QString& password,
                                   const QString& tabella) {
    return m_databaseWorkflow.connectLabel(percorso, password, tabella);
}

void frmMarvello::refresh() {
    PicBox->RidisegnaSuperficie();
}

void frmMarvello::showLabel() {
    // The label sits near the surface's top-left corner, with the rulers.
    m_scroll->horizontalScrollBar()->setValue(0);
    m_scroll->verticalScrollBar()->setValue(0);
}

void frmMarvello::mnuApriStampa_Click() {
    const QString folder = programfolders::printsFolder();
    QDir().mkpath(folder);
    FileDialogRequest request;
    request.title = QStringLiteral("Apri stampa salvata");
    request.filter = savedprints::openFilter();
    request.mustExist = true;
    request.directory = folder;
    // Shown, printed on a printer of the user's choice or written to a file, as asked.
    if (const auto file = MessageService::current().chooseFile(request))
        clsPressivo().SendSavedPrint(*file);
}

void frmMarvello::closeEvent(QCloseEvent* event) {
    if (m_files.askToSave())
        event->ignore();
    else
        event->accept();
}

void frmMarvello::mnuStampa_Click() {
    PicBox->Deseleziona();
    frmAttesa wait(this);
    PrintHooks hooks;
    hooks.progress = &wait;
    hooks.askJob = [this](PrintJob& job, bool bound) { askJobWithDialog(job, bound, this); };
    StampaEtichette(m_document, m_database, false, hooks);
}

void frmMarvello::mnuInformazioni_Click() {
    MessageService::current().message(
        QStringLiteral("Marvello\rVersione %1\rProgettazione e stampa di etichette.\r"
                       "Software libero: GNU GPL, versione 3 o successiva.")
            .arg(version::text()),
        QStringLiteral("Informazioni su Marvello"), MessageIcon::Information);
}

void frmMarvello::elementDoubleClicked() {
    const LabelElement* element = m_context.selected();
    if (!element)
        return;
    if (!element->DataMember.isEmpty())
        m_databaseWorkflow.linkField();
    else if (const ValueKind value = typeOf(*element).value();
             value == ValueKind::Text || value == ValueKind::Symbol)
        m_editing.editText();
    else if (value == ValueKind::Picture)
        m_editing.editPicture();
}
