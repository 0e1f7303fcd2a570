// SPDX-License-Identifier: GPL-3.0-or-later
#include "printcomponent/widgets/frmpressivogestionestampe.h"

#include "common/messageservice.h"
#include "common/widgets/windowplacement.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

frmPressivoGestioneStampe::frmPressivoGestioneStampe(QWidget* parent)
    : QDialog(parent)
    , txtPercorso(new QLineEdit(this))
    , filListaFile(new QListWidget(this)) {
    setObjectName(QStringLiteral("frmPressivoGestioneStampe"));
    setWindowTitle(QStringLiteral("Gestione stampe"));
    QStyle* style = QApplication::style();
    txtPercorso->setObjectName(QStringLiteral("txtPercorso"));
    filListaFile->setObjectName(QStringLiteral("filListaFile"));
    connect(txtPercorso, &QLineEdit::textChanged, this, &frmPressivoGestioneStampe::listFolder);
    connect(filListaFile, &QListWidget::itemDoubleClicked, this,
            &frmPressivoGestioneStampe::choose);

    auto button = [&](const char* name, const QString& text, QStyle::StandardPixmap icon) {
        auto* b = new QPushButton(style->standardIcon(icon), text, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    };
    cmdOk = button("cmdOk", QStringLiteral("Ok"), QStyle::SP_DialogOkButton);
    cmdOk->setDefault(true);
    cmdAnnulla = button("cmdAnnulla", QStringLiteral("Annulla"), QStyle::SP_DialogCancelButton);
    cmdSfoglia = button("cmdSfoglia", QStringLiteral("Sfoglia ..."), QStyle::SP_DirOpenIcon);
    Command1 = button("Command1", QStringLiteral("Aggiorna"), QStyle::SP_BrowserReload);
    connect(cmdOk, &QPushButton::clicked, this, &frmPressivoGestioneStampe::choose);
    connect(cmdAnnulla, &QPushButton::clicked, this, [this] {
        m_fileName.clear();
        reject();
    });
    connect(cmdSfoglia, &QPushButton::clicked, this, [this] {
        FileDialogRequest request;
        request.title = windowTitle();
        request.filter = QStringLiteral("Tutti Files (*.*)|*.*|File anteprima (*.ant)|*.ant");
        request.filterIndex = 2;
        request.mustExist = true;
        request.directory = CurrentDirectory();
        if (const auto file = MessageService::current().chooseFile(request)) {
            setCurrentDirectory(QFileInfo(*file).absolutePath());
            const auto found =
                filListaFile->findItems(QFileInfo(*file).fileName(), Qt::MatchExactly);
            if (!found.isEmpty())
                filListaFile->setCurrentItem(found.first());
        }
    });
    connect(Command1, &QPushButton::clicked, this, [this] {
        const QString folder = m_listed;
        m_listed.clear();
        listFolder(folder);
    });

    auto* path = new QHBoxLayout;
    path->addWidget(txtPercorso, 1);
    path->addWidget(cmdSfoglia);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Command1);
    buttons->addStretch();
    buttons->addWidget(cmdOk);
    buttons->addWidget(cmdAnnulla);
    auto* main = new QVBoxLayout(this);
    main->addLayout(path);
    main->addWidget(filListaFile, 1);
    main->addLayout(buttons);
    resize(480, 360);
    CentraForm(this);
}

QString frmPressivoGestioneStampe::CurrentDirectory() const {
    return txtPercorso->text();
}

void frmPressivoGestioneStampe::setCurrentDirectory(const QString& folder) {
    txtPercorso->setText(folder);
    listFolder(folder);
}

void frmPressivoGestioneStampe::listFolder(const QString& folder) {
    const QDir dir(folder);
    if (folder.isEmpty() || !dir.exists())
        return; // the list keeps the last usable folder
    m_listed = dir.absolutePath();
    filListaFile->clear();
    filListaFile->addItems(dir.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase));
}

void frmPressivoGestioneStampe::choose() {
    const auto selected = filListaFile->selectedItems();
    if (selected.isEmpty()) {
        MessageService::current().warn(QStringLiteral("Selezionare il file da gestire."),
                                       windowTitle());
        return;
    }
    m_fileName = QDir(m_listed).filePath(selected.first()->text());
    accept();
}
