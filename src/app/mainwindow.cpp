// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow.h"
#include "printcomponent/clspressivo.h"
#include "printcomponent/pressivoui.h"
#include "printcomponent/programfolders.h"
#include "printcomponent/savedprints.h"

#include "app/toolicons.h"
#include "barcode/frmparametribarcode.h"
#include "common/colors.h"
#include "common/cursor.h"
#include "common/messageservice.h"
#include "common/numbers.h"
#include "common/version.h"
#include "common/windowplacement.h"
#include "database/clsdatabase.h"
#include "database/connectdialogs.h"
#include "database/databaseerror.h"
#include "database/databaselists.h"
#include "database/frmselezionerecords.h"
#include "designer/designsurface.h"
#include "document/labeldocument.h"
#include "document/labelfileoperations.h"
#include "editing/editcommands.h"
#include "editing/frmallineamento.h"
#include "editing/frmmodificatesto.h"
#include "printing/frmattesa.h"
#include "printing/frmimpostapagina.h"
#include "printing/printengine.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
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
    , m_panel2(new QLabel(this)) {
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
    buildMenus();
    buildToolbars();
    for (QToolBar* toolbar : findChildren<QToolBar*>())
        hideEmptyTooltips(toolbar);
    resize(1000, 760);
    CentraForm(this);
    m_document.ImpostaLayoutDefault();
    m_document.setModificato(false);

    connect(&m_document, &LabelDocument::disconnectRequested, this, &frmMarvello::SetDisconnesso);
    connect(&m_document, &LabelDocument::layoutChanged, this, &frmMarvello::RidisegnaSuperficie);
    connect(&m_document, &LabelDocument::elementsChanged, this, &frmMarvello::RidisegnaSuperficie);
    connect(&m_document, &LabelDocument::refreshRequested, this, &frmMarvello::refresh);
    connect(PicBox, &DesignSurface::elementDoubleClicked, this, &frmMarvello::elementDoubleClicked);
    connect(PicBox, &DesignSurface::selectionChanged, this, [this] {
        if (selected() && selected()->kind == ElementKind::Testo)
            AggiornaBarraCarattere(*selected());
    });
    connect(PicBox, &DesignSurface::elementChanged, this,
            [this] { m_document.setModificato(true); });
}

QString frmMarvello::statusPanel(int panel) const {
    return panel == 1 ? m_panel1->text() : m_panel2->text();
}

QAction* frmMarvello::addCommand(const QString& name, const QString& caption,
                                 void (frmMarvello::*slot)()) {
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, slot);
    m_actions.insert(name, action);
    return action;
}

void frmMarvello::buildMenus() {
    QMenuBar* bar = menuBar();
    auto menu = [&](const char* name, const QString& caption) {
        QMenu* m = bar->addMenu(caption);
        m->setObjectName(QLatin1String(name));
        return m;
    };
    QMenu* file = menu("mnuFile", QStringLiteral("&File"));
    file->addAction(addCommand(QStringLiteral("mnuNuovo"), QStringLiteral("Nuovo"),
                               &frmMarvello::mnuNuovo_Click));
    file->addAction(
        addCommand(QStringLiteral("mnuApri"), QStringLiteral("Apri"), &frmMarvello::mnuApri_Click));
    file->addAction(addCommand(QStringLiteral("mnuSalva"), QStringLiteral("Salva"),
                               &frmMarvello::mnuSalva_Click));
    file->addSeparator();
    file->addAction(addCommand(QStringLiteral("mnuApriStampa"),
                               QStringLiteral("Apri stampa salvata..."),
                               &frmMarvello::mnuApriStampa_Click));
    file->addAction(addCommand(QStringLiteral("mnuGestioneStampe"),
                               QStringLiteral("Gestione stampe salvate..."),
                               &frmMarvello::mnuGestioneStampe_Click));
    file->addSeparator();
    file->addAction(addCommand(QStringLiteral("mnuImpostaPagina"),
                               QStringLiteral("Layout etichetta"),
                               &frmMarvello::mnuImpostaPagina_Click));
    file->addAction(addCommand(QStringLiteral("mnuStampa"), QStringLiteral("Stampa"),
                               &frmMarvello::mnuStampa_Click));
    file->addSeparator();
    file->addAction(
        addCommand(QStringLiteral("mnuEsci"), QStringLiteral("Esci"), &frmMarvello::mnuEsci_Click));

    QMenu* edit = menu("mnuModifica", QStringLiteral("&Modifica"));
    edit->addAction(addCommand(QStringLiteral("mnuCancella"), QStringLiteral("Cancella"),
                               &frmMarvello::mnuCancella_Click));
    m_actions[QStringLiteral("mnuCancella")]->setShortcut(QKeySequence(Qt::Key_Delete));
    edit->addAction(addCommand(QStringLiteral("mnuCopia"), QStringLiteral("Copia"),
                               &frmMarvello::mnuCopia_Click));
    m_actions[QStringLiteral("mnuCopia")]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Insert));
    edit->addAction(addCommand(QStringLiteral("mnuIncolla"), QStringLiteral("Incolla"),
                               &frmMarvello::mnuIncolla_Click));
    m_actions[QStringLiteral("mnuIncolla")]->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_Insert));
    edit->addSeparator();
    edit->addAction(addCommand(QStringLiteral("mnuModificaTesto"), QStringLiteral("Modifica testo"),
                               &frmMarvello::mnuModificaTesto_Click));
    edit->addAction(addCommand(QStringLiteral("mnuModificaImmagine"),
                               QStringLiteral("Modifica proprietà immagine"),
                               &frmMarvello::mnuModificaImmagine_Click));

    QMenu* database = menu("mnuDatabase", QStringLiteral("Database"));
    database->addAction(addCommand(QStringLiteral("mnuConnettiDb"),
                                   QStringLiteral("Collega database MDB"),
                                   &frmMarvello::mnuConnettiDb_Click));
    database->addAction(addCommand(QStringLiteral("mnuDisconnettiDb"),
                                   QStringLiteral("Scollega database MDB"),
                                   &frmMarvello::mnuDisconnettiDb_Click));
    database->addAction(addCommand(QStringLiteral("mnuSelezionaRecords"),
                                   QStringLiteral("Imposta i criteri di selezione"),
                                   &frmMarvello::mnuSelezionaRecords_Click));
    database->addSeparator();
    database->addAction(addCommand(QStringLiteral("mnuCollega"),
                                   QStringLiteral("Collega oggetto ad un campo dati"),
                                   &frmMarvello::mnuCollega_Click));

    QMenu* tools = menu("mnuOggetti", QStringLiteral("Strumenti"));
    tools->addAction(addCommand(QStringLiteral("mnuSeleziona"), QStringLiteral("Seleziona"),
                                &frmMarvello::mnuSeleziona_Click));
    tools->addSeparator();
    tools->addAction(addCommand(QStringLiteral("mnuTesto"), QStringLiteral("Inserisci un testo"),
                                &frmMarvello::mnuTesto_Click));
    tools->addAction(addCommand(QStringLiteral("mnuCodiciBarre"),
                                QStringLiteral("Inserisci un barcode"),
                                &frmMarvello::mnuCodiciBarre_Click));
    tools->addAction(addCommand(QStringLiteral("mnuImmagine"),
                                QStringLiteral("Inserisci un'immagine"),
                                &frmMarvello::mnuImmagine_Click));
    tools->addAction(addCommand(QStringLiteral("mnuRettangolo"),
                                QStringLiteral("Inserisci un rettangolo"),
                                &frmMarvello::mnuRettangolo_Click));

    QMenu* format = menu("mnuFormato", QStringLiteral("Formato"));
    QMenu* background = format->addMenu(QStringLiteral("Modalità sfondo"));
    background->setObjectName(QStringLiteral("mnuModalitàSfondo"));
    background->addAction(addCommand(QStringLiteral("mnuOpaco"), QStringLiteral("Opaco"),
                                     &frmMarvello::mnuOpaco_Click));
    background->addAction(addCommand(QStringLiteral("mnuTrasparente"),
                                     QStringLiteral("Trasparente"),
                                     &frmMarvello::mnuTrasparente_Click));
    format->addAction(addCommand(QStringLiteral("mnuColoreSfondo"), QStringLiteral("Colore sfondo"),
                                 &frmMarvello::mnuColoreSfondo_Click));
    format->addAction(addCommand(QStringLiteral("mnuColoreOggetto"),
                                 QStringLiteral("Colore oggetto"),
                                 &frmMarvello::mnuColoreOggetto_Click));
    format->addSeparator();
    QMenu* width = format->addMenu(QStringLiteral("Spessore ..."));
    width->setObjectName(QStringLiteral("mnuSpessore"));
    width->addAction(addCommand(QStringLiteral("mnuSpessore1"), QStringLiteral("1"),
                                &frmMarvello::mnuSpessore1_Click));
    width->addAction(addCommand(QStringLiteral("mnuSpessore2"), QStringLiteral("2"),
                                &frmMarvello::mnuSpessore2_Click));
    width->addAction(addCommand(QStringLiteral("mnuSpessore3"), QStringLiteral("3"),
                                &frmMarvello::mnuSpessore3_Click));
    format->addSeparator();
    format->addAction(addCommand(QStringLiteral("mnuPortaAvanti"), QStringLiteral("Porta avanti"),
                                 &frmMarvello::mnuPortaAvanti_Click));
    format->addAction(addCommand(QStringLiteral("mnuPortaIndietro"),
                                 QStringLiteral("Porta indietro"),
                                 &frmMarvello::mnuPortaIndietro_Click));
    format->addSeparator();
    format->addAction(addCommand(QStringLiteral("mnuParametriBarcode"),
                                 QStringLiteral("Impostazioni oggetto barcode"),
                                 &frmMarvello::mnuParametriBarcode_Click));
    format->addSeparator();
    format->addAction(addCommand(QStringLiteral("mnuCarattere"),
                                 QStringLiteral("Imposta carattere"),
                                 &frmMarvello::mnuCarattere_Click));
    format->addAction(addCommand(QStringLiteral("mnuAllineamento"),
                                 QStringLiteral("Allineamento testo"),
                                 &frmMarvello::mnuAllineamento_Click));

    QMenu* help = menu("mnuHelp", QStringLiteral("&Help"));
    help->addAction(addCommand(QStringLiteral("mnuInformazioni"),
                               QStringLiteral("Informazioni su ..."),
                               &frmMarvello::mnuInformazioni_Click));
}

void frmMarvello::buildToolbars() {
    QStyle* style = QApplication::style();
    auto* toolbar = addToolBar(QStringLiteral("Toolbar1"));
    toolbar->setObjectName(QStringLiteral("Toolbar1"));
    struct Button {
        const char* key;
        const char* tip;
        const char* command;
        const char* theme;
        QStyle::StandardPixmap fallback;
    };
    const Button buttons[] = {
        {"nuovo", "Nuova etichetta vuota", "mnuNuovo", "document-new", QStyle::SP_FileIcon},
        {"apri", "Apri un'etichetta", "mnuApri", "document-open", QStyle::SP_DialogOpenButton},
        {"salva", "Salva un'etichetta", "mnuSalva", "document-save", QStyle::SP_DialogSaveButton},
        {nullptr, nullptr, nullptr, nullptr, QStyle::SP_CustomBase},
        {"imposta", "Imposta il formato dell'etichetta", "mnuImpostaPagina", "document-properties",
         QStyle::SP_FileDialogDetailedView},
        {"stampa", "Stampa etichette in anteprima o stampante", "mnuStampa", "document-print",
         QStyle::SP_DialogApplyButton},
        {nullptr, nullptr, nullptr, nullptr, QStyle::SP_CustomBase},
        {"connettidb", "Collega un database formato *.MDB", "mnuConnettiDb", "network-connect",
         QStyle::SP_DriveHDIcon},
        {"disconnettidb", "Scollega un database formato *.MDB", "mnuDisconnettiDb",
         "network-disconnect", QStyle::SP_DriveFDIcon},
        {"seleziona", "Attiva la modalità selezione oggetti", "mnuSeleziona", "edit-select",
         QStyle::SP_ArrowUp},
        {"testo", "Inserisce un testo", "mnuTesto", "insert-text",
         QStyle::SP_FileDialogContentsView},
        {"immagine", "", "mnuImmagine", "insert-image", QStyle::SP_DesktopIcon},
        {"barcode", "Inserisce un barcode", "mnuCodiciBarre", "insert-barcode",
         QStyle::SP_FileDialogListView},
        {"rettangolo", "Inserisce un rettangolo", "mnuRettangolo", "draw-rectangle",
         QStyle::SP_TitleBarNormalButton},
        {nullptr, nullptr, nullptr, nullptr, QStyle::SP_CustomBase},
        {"modifica", "Modifica un testo", "mnuModificaTesto", "document-edit",
         QStyle::SP_FileLinkIcon},
        {"collega", "Collega un campo", "mnuCollega", "insert-link", QStyle::SP_CommandLink},
        {nullptr, nullptr, nullptr, nullptr, QStyle::SP_CustomBase},
        {"parbarcode", "Parametri barcode", "mnuParametriBarcode", "configure",
         QStyle::SP_FileDialogInfoView},
    };
    int separator = 0;
    for (const Button& b : buttons) {
        if (!b.key) {
            QAction* sep = toolbar->addSeparator();
            sep->setObjectName(QStringLiteral("sep%1").arg(++separator));
            continue;
        }
        QAction* command = m_actions.value(QLatin1String(b.command));
        const QIcon own = toolIcon(QLatin1String(b.key));
        auto* button = new QAction(
            own.isNull() ? QIcon::fromTheme(QLatin1String(b.theme), style->standardIcon(b.fallback))
                         : own,
            command->text(), this);
        button->setObjectName(QLatin1String(b.key));
        button->setToolTip(*b.tip ? QString::fromUtf8(b.tip) : NoTooltip);
        connect(button, &QAction::triggered, command, &QAction::trigger);
        toolbar->addAction(button);
        m_actions.insert(QLatin1String(b.key), button);
    }
    // Toolbar2: formatting. The buttons run the formatting commands; the font boxes sit beside.
    addToolBarBreak();
    auto* format = addToolBar(QStringLiteral("Toolbar2"));
    format->setObjectName(QStringLiteral("Toolbar2"));
    struct FormatButton {
        const char* key;
        const char* tip;
        const char* command; // empty: no command of its own
        QStyle::StandardPixmap icon;
        bool checkable;
    };
    const FormatButton formatButtons[] = {
        {"carattere", "", "mnuCarattere", QStyle::SP_FileDialogContentsView, false},
        {"font", "", "", QStyle::SP_FileDialogInfoView, false},
        {"grassetto", "", "", QStyle::SP_DialogYesButton, true},
        {"corsivo", "", "", QStyle::SP_DialogNoButton, true},
        {"allineasx", "", "", QStyle::SP_ArrowLeft, false},
        {"allineac", "", "", QStyle::SP_ArrowUp, false},
        {"allineadx", "", "", QStyle::SP_ArrowRight, false},
        {"coloreogg", "", "mnuColoreOggetto", QStyle::SP_DialogResetButton, false},
        {"coloresfo", "", "mnuColoreSfondo", QStyle::SP_DialogDiscardButton, false},
        {"avanti", "Porta avanti", "mnuPortaAvanti", QStyle::SP_ArrowUp, false},
        {"indietro", "Porta indietro", "mnuPortaIndietro", QStyle::SP_ArrowDown, false},
        {"spessore1", "Spessore linee 1", "mnuSpessore1", QStyle::SP_TitleBarMinButton, false},
        {"spessore2", "Spessore linee 2", "mnuSpessore2", QStyle::SP_TitleBarMinButton, false},
        {"spessore3", "Spessore linee 3", "mnuSpessore3", QStyle::SP_TitleBarMinButton, false},
        {"opaco", "Sfondo opaco", "mnuOpaco", QStyle::SP_DialogApplyButton, false},
        {"trasparente", "Sfondo trasparente", "mnuTrasparente", QStyle::SP_DialogCancelButton,
         false},
    };
    m_fontName = new QComboBox(this);
    m_fontName->setObjectName(QStringLiteral("cmbFontname"));
    m_fontName->setEditable(true);
    m_fontName->setInsertPolicy(QComboBox::NoInsert);
    m_fontName->setMinimumContentsLength(18);
    m_fontSize = new QComboBox(this);
    m_fontSize->setObjectName(QStringLiteral("cmbFontsize"));
    m_fontSize->setEditable(true);
    m_fontSize->setInsertPolicy(QComboBox::NoInsert);
    m_fontSize->setMinimumContentsLength(4); // up to 1638 points
    m_fontName->installEventFilter(this);
    m_fontSize->installEventFilter(this);
    connect(m_fontName, &QComboBox::activated, this, [this] { applyFontControls(); });
    connect(m_fontSize, &QComboBox::activated, this, [this] { applyFontControls(); });
    format->addWidget(m_fontName);
    format->addWidget(m_fontSize);
    for (const FormatButton& b : formatButtons) {
        const QIcon own = toolIcon(QLatin1String(b.key));
        auto* button = new QAction(own.isNull() ? style->standardIcon(b.icon) : own,
                                   QLatin1String(b.key), this);
        button->setObjectName(QLatin1String(b.key));
        button->setToolTip(*b.tip ? QString::fromUtf8(b.tip) : NoTooltip);
        button->setCheckable(b.checkable);
        if (*b.command)
            connect(button, &QAction::triggered, m_actions.value(QLatin1String(b.command)),
                    &QAction::trigger);
        const QString key = QLatin1String(b.key);
        if (key == u"grassetto" || key == u"corsivo")
            connect(button, &QAction::triggered, this, [this] { applyFontControls(); });
        if (key.startsWith(QStringLiteral("allinea"))) {
            const int value = key == u"allineasx" ? 0 : key == u"allineac" ? 2 : 1;
            connect(button, &QAction::triggered, this,
                    [this, value] { ImpostaAllineamento(value); });
        }
        format->addAction(button);
        m_actions.insert(QLatin1String(b.key), button);
    }

    auto* grid = toolbar->addAction(toolIcon(QStringLiteral("griglia")), QStringLiteral("Griglia"));
    grid->setObjectName(QStringLiteral("griglia"));
    grid->setToolTip(QStringLiteral("Mostra la griglia"));
    grid->setCheckable(true);
    connect(grid, &QAction::triggered, this, &frmMarvello::SetGriglia);
    m_actions.insert(QStringLiteral("griglia"), grid);
    auto* snap = toolbar->addAction(toolIcon(QStringLiteral("snap")), QStringLiteral("Snap"));
    snap->setObjectName(QStringLiteral("snap"));
    snap->setToolTip(QStringLiteral("Aggancia gli oggetti alla griglia"));
    snap->setCheckable(true);
    connect(snap, &QAction::triggered, this, &frmMarvello::SetSnap);
    m_actions.insert(QStringLiteral("snap"), snap);
    refreshToolbar();
    InizializzaCaratteri();
}

void frmMarvello::refreshToolbar() {
    m_actions[QStringLiteral("griglia")]->setChecked(PicBox->Griglia());
    m_actions[QStringLiteral("snap")]->setChecked(m_snap);
}

void frmMarvello::SetGriglia() {
    PicBox->setGriglia(!PicBox->Griglia());
    refreshToolbar();
}

void frmMarvello::SetSnap() {
    m_snap = !m_snap;
    PicBox->setSnap(m_snap);
    refreshToolbar();
}

void frmMarvello::AnnullaModi() {
    PicBox->armTool(DesignSurface::Tool::None);
}

void frmMarvello::mnuSeleziona_Click() {
    m_document.setModificato(true);
    AnnullaModi();
    PicBox->setModoSelezione(true);
}

void frmMarvello::mnuTesto_Click() {
    m_document.setModificato(true);
    PicBox->armTool(DesignSurface::Tool::Testo);
}

void frmMarvello::mnuCodiciBarre_Click() {
    m_document.setModificato(true);
    PicBox->armTool(DesignSurface::Tool::CodiceBarre);
}

void frmMarvello::mnuImmagine_Click() {
    m_document.setModificato(true);
    PicBox->armTool(DesignSurface::Tool::Immagine);
}

void frmMarvello::mnuRettangolo_Click() {
    m_document.setModificato(true);
    PicBox->armTool(DesignSurface::Tool::Rettangolo);
}

void frmMarvello::SetConnesso() {
    m_document.setDatabaseConnesso(true);
    m_panel1->setText(QStringLiteral("Connesso: ") + m_document.binding().NomeDatabase);
    m_panel2->setText(m_document.binding().NomeTabella);
}

void frmMarvello::SetDisconnesso() {
    m_document.setDatabaseConnesso(false);
    m_panel1->setText(QStringLiteral("Non connesso"));
    m_panel2->clear();
    m_database.DisconnettiDatabase();
}

bool frmMarvello::ConnettiDatabase(const QString& percorso, const QString& password,
                                   const QString& tabella) {
    if (connectLabelDatabase(m_database, m_document, percorso, password, tabella)) {
        SetConnesso();
        return true;
    }
    SetDisconnesso();
    return false;
}

void frmMarvello::RidisegnaSuperficie() {
    PicBox->RidisegnaSuperficie();
}

void frmMarvello::refresh() {
    RidisegnaSuperficie();
}

bool frmMarvello::ChiediSalvataggio() {
    if (!m_document.Modificato())
        return false;
    MessageService& messages = MessageService::current();
    messages.beep();
    switch (
        messages.question(QStringLiteral("Si desidera mantenere i cambiamenti?"), windowTitle())) {
    case Answer::Yes:
        return SalvaEtichetta(m_document, windowTitle());
    case Answer::No:
        return false;
    default:
        return true;
    }
}

void frmMarvello::mnuNuovo_Click() {
    PicBox->Deseleziona();
    if (ChiediSalvataggio())
        return;
    m_document.NuovaEtichetta();
    RidisegnaSuperficie();
    showLabel();
}

void frmMarvello::mnuApri_Click() {
    PicBox->Deseleziona();
    if (ChiediSalvataggio())
        return;
    CaricaEtichetta(
        m_document, std::nullopt, {}, {},
        [this](const QString& path, const QString& password, const QString& table) {
            return ConnettiDatabase(path, password, table);
        },
        windowTitle());
    RidisegnaSuperficie();
    showLabel();
}

void frmMarvello::showLabel() {
    // The label sits near the surface's top-left corner, with the rulers.
    m_scroll->horizontalScrollBar()->setValue(0);
    m_scroll->verticalScrollBar()->setValue(0);
}

void frmMarvello::mnuSalva_Click() {
    PicBox->Deseleziona();
    SalvaEtichetta(m_document, windowTitle());
}

void frmMarvello::mnuApriStampa_Click() {
    const QString folder = programfolders::printsFolder();
    QDir().mkpath(folder);
    FileDialogRequest request;
    request.title = QStringLiteral("Apri stampa salvata");
    request.filter = savedprints::openFilter();
    request.mustExist = true;
    request.directory = folder;
    if (const auto file = MessageService::current().chooseFile(request))
        savedprints::showInPreview(PressivoUi::current(), *file);
}

void frmMarvello::mnuGestioneStampe_Click() {
    clsPressivo().ManageFilePrinted();
}

void frmMarvello::mnuEsci_Click() {
    PicBox->Deseleziona();
    close();
}

void frmMarvello::closeEvent(QCloseEvent* event) {
    if (ChiediSalvataggio())
        event->ignore();
    else
        event->accept();
}

void frmMarvello::mnuImpostaPagina_Click() {
    PicBox->Deseleziona();
    mnuImpostaPagina(m_document, this);
}

void frmMarvello::mnuStampa_Click() {
    PicBox->Deseleziona();
    frmAttesa wait(this);
    PrintHooks hooks;
    hooks.progress = &wait;
    hooks.askJob = [this](PrintJob& job, bool bound) { askJobWithDialog(job, bound, this); };
    StampaEtichette(m_document, m_database, false, hooks);
}

void frmMarvello::mnuStampaDiretta_Click() {
    PicBox->Deseleziona();
    frmAttesa wait(this);
    PrintHooks hooks;
    hooks.progress = &wait;
    StampaEtichette(m_document, m_database, true, hooks);
}

void frmMarvello::mnuDisconnettiDb_Click() {
    PicBox->Deseleziona();
    m_document.setModificato(true);
    SetDisconnesso();
}

void frmMarvello::mnuSelezionaRecords_Click() {
    ::mnuSelezionaRecords_Click(m_document, m_database, this);
}

void frmMarvello::mnuInformazioni_Click() {
    MessageService::current().message(
        QStringLiteral("Marvello\rVersione %1\rProgettazione e stampa di etichette.\r"
                       "Software libero: GNU GPL, versione 3 o successiva.")
            .arg(version::text()),
        QStringLiteral("Informazioni su Marvello"), MessageIcon::Information);
}

LabelElement* frmMarvello::selected() const {
    return PicBox->ControlloCorrente();
}

void frmMarvello::edited() {
    RidisegnaSuperficie();
}

void frmMarvello::mnuCancella_Click() {
    m_document.setModificato(true);
    if (LabelElement* element = selected())
        deleteElement(m_document, *element);
    PicBox->Deseleziona();
    PicBox->setModoSelezione(true);
}

void frmMarvello::mnuCopia_Click() {
    m_document.setModificato(true);
    if (const LabelElement* element = selected())
        m_copied = element->key();
}

void frmMarvello::mnuIncolla_Click() {
    m_document.setModificato(true);
    // The copy refers to the live element: when it is gone, nothing is pasted.
    if (!m_copied.isEmpty())
        DuplicaOggetto(m_document, m_copied);
}

void frmMarvello::mnuModificaTesto_Click() {
    m_document.setModificato(true);
    LabelElement* element = selected();
    if (!element || (element->kind != ElementKind::Testo && element->kind != ElementKind::Immagine))
        return;
    CursoreAttesa();
    frmModificaTesto editor(this);
    if (element->DataMember.trimmed().isEmpty())
        editor.txtTesto->setText(element->kind == ElementKind::Testo ? element->Caption
                                                                     : element->ToolTipText);
    CursoreNormale();
    editor.exec();
    if (!editor.Confermato)
        return;
    if (element->kind == ElementKind::Testo)
        element->Caption = editor.Testo;
    else
        element->ToolTipText = editor.Testo;
    element->DataMember.clear(); // editing a linked element unlinks it
    edited();
}

void frmMarvello::mnuModificaImmagine_Click() {
    m_document.setModificato(true);
    LabelElement* element = selected();
    if (!element || element->kind != ElementKind::Picture)
        return;
    CursoreAttesa();
    frmModificaImmagine editor(this);
    if (element->DataMember.trimmed().isEmpty())
        editor.txtNomeFile->setText(element->ToolTipText);
    CursoreNormale();
    editor.exec();
    if (!editor.Confermato)
        return;
    element->ToolTipText = editor.NomeFile;
    const QImage picture(editor.NomeFile);
    if (!picture.isNull())
        element->Picture = picture;
    element->DataMember.clear();
    edited();
}

void frmMarvello::mnuPortaAvanti_Click() {
    m_document.setModificato(true);
    if (LabelElement* element = selected())
        bringToFront(m_document, *element);
}

void frmMarvello::mnuPortaIndietro_Click() {
    m_document.setModificato(true);
    if (LabelElement* element = selected())
        sendToBack(m_document, *element);
}

namespace {
bool hasBackground(const LabelElement* e) {
    return e && (e->kind == ElementKind::Testo || e->kind == ElementKind::Rettangolo);
}
} // namespace

void frmMarvello::mnuOpaco_Click() {
    m_document.setModificato(true);
    if (hasBackground(selected())) {
        selected()->BackStyle = Background::Opaque;
        edited();
    }
}

void frmMarvello::mnuTrasparente_Click() {
    m_document.setModificato(true);
    if (hasBackground(selected())) {
        selected()->BackStyle = Background::Transparent;
        edited();
    }
}

void frmMarvello::mnuSpessore1_Click() {
    m_document.setModificato(true);
    if (selected() && selected()->kind == ElementKind::Rettangolo) {
        selected()->BorderWidth = 1;
        edited();
    }
}

void frmMarvello::mnuSpessore2_Click() {
    m_document.setModificato(true);
    if (selected() && selected()->kind == ElementKind::Rettangolo) {
        selected()->BorderWidth = 2;
        edited();
    }
}

void frmMarvello::mnuSpessore3_Click() {
    m_document.setModificato(true);
    if (selected() && selected()->kind == ElementKind::Rettangolo) {
        selected()->BorderWidth = 3;
        edited();
    }
}

void frmMarvello::mnuColoreOggetto_Click() {
    m_document.setModificato(true);
    LabelElement* element = selected();
    if (!hasBackground(element))
        return;
    qint32& colour =
        element->kind == ElementKind::Testo ? element->ForeColor : element->BorderColor;
    if (const auto chosen = MessageService::current().chooseColor(
            colors::toQColor(colour), QStringLiteral("Colore oggetto"))) {
        colour = colors::fromQColor(*chosen);
        edited();
    }
}

void frmMarvello::mnuColoreSfondo_Click() {
    m_document.setModificato(true);
    LabelElement* element = selected();
    if (!hasBackground(element))
        return;
    if (const auto chosen = MessageService::current().chooseColor(
            colors::toQColor(element->BackColor), QStringLiteral("Colore sfondo"))) {
        element->BackStyle = Background::Opaque;
        element->BackColor = colors::fromQColor(*chosen);
        edited();
    }
}

void frmMarvello::mnuParametriBarcode_Click() {
    m_document.setModificato(true);
    // The designer shows the symbology chosen: repaint the element.
    if (LabelElement* element = selected(); element && ModificaParametriBarcode(*element, this))
        edited();
}

void frmMarvello::mnuAllineamento_Click() {
    m_document.setModificato(true);
    LabelElement* element = selected();
    if (!element || element->kind != ElementKind::Testo)
        return;
    CursoreAttesa();
    frmAllineamento dialog(this);
    dialog.presetFrom(int(element->Alignment));
    CursoreNormale();
    dialog.exec();
    if (dialog.Confermato) {
        element->Alignment = TextAlignment(dialog.Allineamento);
        edited();
    }
}

void frmMarvello::ImpostaAllineamento(int valore) {
    m_document.setModificato(true);
    if (selected() && selected()->kind == ElementKind::Testo) {
        selected()->Alignment = TextAlignment(valore);
        edited();
    }
}

void frmMarvello::elementDoubleClicked() {
    const LabelElement* element = selected();
    if (!element)
        return;
    if (!element->DataMember.isEmpty()) {
        mnuCollega_Click();
        return;
    }
    if (element->kind == ElementKind::Testo || element->kind == ElementKind::Immagine)
        mnuModificaTesto_Click();
    else if (element->kind == ElementKind::Picture)
        mnuModificaImmagine_Click();
}

void frmMarvello::mnuConnettiDb_Click() {
    m_document.setModificato(true);
    PicBox->Deseleziona();
    CursoreAttesa();
    frmConnettiDBMDB connection(this);
    connection.txtNomeFileDB->setText(m_document.binding().NomeDatabase);
    connection.txtPasswordDB->setText(m_document.binding().PasswordDb);
    CursoreNormale();
    connection.exec();
    if (!connection.Confermato)
        return;
    CollegamentoDatabase binding = m_document.binding();
    binding.NomeDatabase = connection.NomeFile;
    binding.PasswordDb = connection.Password;
    m_document.setBinding(binding);
    if (binding.NomeDatabase.trimmed().isEmpty())
        return;
    m_database.setNomeDatabase(binding.NomeDatabase);
    m_database.setPasswordDb(binding.PasswordDb);
    if (!m_database.ConnettiDatabase()) {
        SetDisconnesso();
        return;
    }
    CursoreAttesa();
    frmSelezionaTabella tables(this);
    CaricaListaTabelle(m_database, tables.lstTabelle);
    CaricaListaQueries(m_database, tables.lstTabelle);
    tables.SelezionaTabella(binding.NomeTabella);
    CursoreNormale();
    tables.exec();
    if (!tables.Confermato) {
        SetDisconnesso();
        return;
    }
    binding.NomeTabella = tables.NomeTabella;
    m_document.setBinding(binding);
    if (binding.NomeTabella.isEmpty())
        SetDisconnesso();
    else
        SetConnesso();
}

void frmMarvello::mnuCollega_Click() {
    m_document.setModificato(true);
    if (!m_document.DatabaseConnesso()) {
        MessageService::current().warn(QStringLiteral("Connettersi ad un database."),
                                       QStringLiteral("Operazione annullata."));
        return;
    }
    LabelElement* element = selected();
    if (!element || element->kind == ElementKind::Rettangolo)
        return; // rectangles cannot be linked
    const QString table = m_document.binding().NomeTabella;
    CursoreAttesa();
    frmCollegaCampo dialog(this);
    try {
        if (m_database.IsQuery(table))
            CaricaListaCampiDaQueryList(m_database, table, dialog.lstCampi);
        else
            CaricaListaCampiList(m_database, table, dialog.lstCampi);
    } catch (const DatabaseError& error) {
        CursoreNormale();
        MessageService::current().warn(QStringLiteral("Errore non gestito. Codice:") +
                                           QString::number(error.number),
                                       windowTitle());
        return;
    }
    dialog.SelezionaCampo(element->DataMember);
    CursoreNormale();
    dialog.exec();
    if (!dialog.Confermato)
        return;
    element->DataMember = dialog.NomeCampo;
    if (element->kind == ElementKind::Testo)
        element->Caption =
            dialog.NomeCampo.isEmpty() ? QStringLiteral("abc") : u'[' + dialog.NomeCampo + u']';
    edited();
}

QStringList frmMarvello::printerFonts() {
    QStringList fonts = QFontDatabase::families();
    // Labels made on Windows name these; the metric-compatible Liberation fonts print them.
    const std::pair<const char*, const char*> aliases[] = {{"Arial", "Liberation Sans"},
                                                           {"Times New Roman", "Liberation Serif"},
                                                           {"Courier New", "Liberation Mono"}};
    for (const auto& [windowsName, liberation] : aliases) {
        if (fonts.contains(QLatin1String(liberation)) &&
            !fonts.contains(QLatin1String(windowsName)))
            fonts << QLatin1String(windowsName);
    }
    fonts.sort(Qt::CaseInsensitive);
    return fonts;
}

bool frmMarvello::FontDisponibile(const QString& nome) {
    return printerFonts().contains(nome);
}

void frmMarvello::InizializzaCaratteri() {
    m_fontName->clear();
    m_fontName->addItems(printerFonts());
    if (m_fontName->count() > 0)
        m_fontName->setCurrentIndex(0);
    m_fontSize->clear();
    for (const char* size : {"8", "9", "10", "11", "12", "14", "16", "18", "20", "22", "24", "26",
                             "28", "36", "42", "72"})
        m_fontSize->addItem(QLatin1String(size));
    m_fontSize->setCurrentText(QStringLiteral("10"));
    LabelElement& text = m_document.templateOf(ElementKind::Testo);
    if (FontDisponibile(QStringLiteral("Microsoft Sans Serif"))) {
        text.FontName = QStringLiteral("Microsoft Sans Serif");
        text.FontSize = 10;
        text.FontBold = false;
        text.FontItalic = false;
    } else if (!FontDisponibile(text.FontName) && FontDisponibile(QStringLiteral("Arial"))) {
        // The boxes never start on a font this system cannot print.
        text.FontName = QStringLiteral("Arial");
    }
    AggiornaBarraCarattere(text);
}

void frmMarvello::AggiornaBarraCarattere(const LabelElement& font) {
    m_fontName->setCurrentText(font.FontName);
    m_fontSize->setCurrentText(QString::number(ValoreIntero(double(font.FontSize))));
    m_actions[QStringLiteral("grassetto")]->setChecked(font.FontBold);
    m_actions[QStringLiteral("corsivo")]->setChecked(font.FontItalic);
}

void frmMarvello::ApplicaCarattere(const QString& nome, const QString& dimensione, bool grassetto,
                                   bool corsivo) {
    if (nome.isEmpty())
        return;
    const float size = ValoreIntero(dimensione);
    if (size == 0)
        return;
    m_document.setModificato(true);
    auto apply = [&](LabelElement& e) {
        e.FontName = nome;
        e.FontSize = size;
        e.FontBold = grassetto;
        e.FontItalic = corsivo;
    };
    LabelElement* element = selected();
    if (!element)
        apply(m_document.templateOf(ElementKind::Testo));
    else if (element->kind == ElementKind::Testo) {
        apply(*element);
        edited();
    }
}

void frmMarvello::applyFontControls() {
    ApplicaCarattere(m_fontName->currentText(), m_fontSize->currentText(),
                     m_actions[QStringLiteral("grassetto")]->isChecked(),
                     m_actions[QStringLiteral("corsivo")]->isChecked());
}

bool frmMarvello::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::FocusOut)
        return QMainWindow::eventFilter(watched, event);
    if (watched == m_fontName) {
        const QString name = m_fontName->currentText().trimmed();
        m_fontName->setCurrentText(name);
        if (name.isEmpty() || !FontDisponibile(name)) {
            MessageService::current().warn(
                QStringLiteral("Il tipo di carattere inserito non è disponibile nel sistema."),
                windowTitle());
            QMetaObject::invokeMethod(m_fontName, qOverload<>(&QWidget::setFocus),
                                      Qt::QueuedConnection);
            return false;
        }
        applyFontControls();
    } else if (watched == m_fontSize) {
        const float size = ValoreIntero(m_fontSize->currentText().trimmed());
        if (size < 1 || size > 1638) {
            MessageService::current().warn(
                QStringLiteral("Inserire un valore compreso fra 1 e 1638."), windowTitle());
            QMetaObject::invokeMethod(m_fontSize, qOverload<>(&QWidget::setFocus),
                                      Qt::QueuedConnection);
            return false;
        }
        applyFontControls();
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMarvello::mnuCarattere_Click() {
    m_document.setModificato(true);
    LabelElement* element = selected();
    if (element && element->kind != ElementKind::Testo)
        return;
    LabelElement& text = m_document.templateOf(ElementKind::Testo);
    const LabelElement& preset = element ? *element : text;
    QFont font(preset.FontName);
    font.setPointSizeF(ValoreIntero(double(preset.FontSize)));
    font.setBold(preset.FontBold);
    font.setItalic(preset.FontItalic);
    const auto chosen =
        MessageService::current().chooseFont(font, QStringLiteral("Imposta carattere"));
    if (!chosen)
        return;
    auto apply = [&](LabelElement& e) {
        e.FontName = chosen->family();
        e.FontSize = ValoreIntero(chosen->pointSizeF());
        e.FontBold = chosen->bold();
        e.FontItalic = chosen->italic();
    };
    apply(text);
    if (element) {
        apply(*element);
        edited();
    }
}
