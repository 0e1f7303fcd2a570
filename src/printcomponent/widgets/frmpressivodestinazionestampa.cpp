// SPDX-License-Identifier: GPL-3.0-or-later
#include "printcomponent/widgets/frmpressivodestinazionestampa.h"

#include "common/widgets/pictures.h"

#include "common/messageservice.h"
#include "common/numbers.h"
#include "common/programfolders.h"
#include "common/widgets/fieldroutines.h"
#include "common/widgets/windowplacement.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

frmPressivoDestinazioneStampa::frmPressivoDestinazioneStampa(QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmPressivoDestinazioneStampa"));
    setWindowTitle(QStringLiteral("Scelta destinazione di stampa"));
    QStyle* style = QApplication::style();

    auto* choices = new QGroupBox(this);
    auto* choiceGrid = new QGridLayout(choices);
    auto* group = new QButtonGroup(this);
    const char* captions[] = {"Stampante", "Video", "File"};
    // A printer, a screen, a file: drawn by the program, all at one size.
    const QIcon outputPictures[] = {pictures::printer(), pictures::screen(), pictures::file()};
    for (int i = 0; i < 3; ++i) {
        imgOutput[i] = new QLabel(choices);
        imgOutput[i]->setObjectName(QStringLiteral("imgOutput%1").arg(i));
        imgOutput[i]->setPixmap(outputPictures[i].pixmap(32, 32));
        imgOutput[i]->installEventFilter(this);
        optTipoStampa[i] = new QRadioButton(QString::fromLatin1(captions[i]), choices);
        optTipoStampa[i]->setObjectName(QStringLiteral("optTipoStampa%1").arg(i));
        group->addButton(optTipoStampa[i], i);
        choiceGrid->addWidget(imgOutput[i], i, 0);
        choiceGrid->addWidget(optTipoStampa[i], i, 1);
    }
    optTipoStampa[0]->setChecked(true);
    connect(group, &QButtonGroup::idClicked, this,
            &frmPressivoDestinazioneStampa::optTipoStampa_Click);

    lblStampante = new QLabel(this);
    lblStampante->setObjectName(QStringLiteral("lblStampante"));
    lblPercorso = new QLabel(this);
    lblPercorso->setObjectName(QStringLiteral("lblPercorso"));
    auto* printerInfo = new QGridLayout;
    printerInfo->addWidget(new QLabel(QStringLiteral("Stampante:"), this), 0, 0);
    printerInfo->addWidget(lblStampante, 0, 1);
    printerInfo->addWidget(new QLabel(QStringLiteral("Percorso:"), this), 1, 0);
    printerInfo->addWidget(lblPercorso, 1, 1);

    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    txtCopie = new QLineEdit(QStringLiteral("1"), Frame1);
    txtCopie->setObjectName(QStringLiteral("txtCopie"));
    txtCopie->setAlignment(Qt::AlignRight);
    FieldRoutines::install(txtCopie, FieldRoutines::Highlight | FieldRoutines::WholeNumbers);
    txtCopie->installEventFilter(this);
    vscCopie = new QScrollBar(Qt::Vertical, Frame1);
    vscCopie->setObjectName(QStringLiteral("vscCopie"));
    vscCopie->setRange(1, 1000);
    vscCopie->setInvertedAppearance(true); // the upper arrow adds a copy
    vscCopie->setInvertedControls(true);
    vscCopie->setFixedHeight(txtCopie->sizeHint().height());
    vscCopie->installEventFilter(this);
    connect(vscCopie, &QScrollBar::valueChanged, this, [this](int value) {
        if (value >= 1)
            txtCopie->setText(QString::number(value));
    });
    auto* copies = new QHBoxLayout(Frame1);
    copies->addWidget(new QLabel(QStringLiteral("N. Copie:"), Frame1));
    copies->addWidget(txtCopie);
    copies->addWidget(vscCopie);

    auto button = [&](const char* name, const QString& text, QStyle::StandardPixmap icon,
                      const QString& tip) {
        auto* b = new QPushButton(style->standardIcon(icon), text, this);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(tip);
        b->setAutoDefault(false);
        return b;
    };
    cmdOk = button("cmdOk", QStringLiteral("Ok"), QStyle::SP_DialogOkButton, QStringLiteral("Ok"));
    cmdOk->setDefault(true);
    cmdAnnulla = button("cmdAnnulla", QStringLiteral("Annulla"), QStyle::SP_DialogCancelButton,
                        QStringLiteral("Annulla"));
    cmdImposta = button("cmdImposta", QStringLiteral("Stampante..."), QStyle::SP_ComputerIcon,
                        QStringLiteral("Imposta la stampante"));
    cmdMargini = button("cmdMargini", QStringLiteral("Pagina..."),
                        QStyle::SP_FileDialogDetailedView, QStringLiteral("Imposta la pagina"));
    connect(cmdOk, &QPushButton::clicked, this, [this] {
        if (optTipoStampa[0]->isChecked()) {
            close(2);
        } else if (optTipoStampa[1]->isChecked()) {
            close(1);
        } else if (optTipoStampa[2]->isChecked()) {
            const QString file = askSavedPrintFile();
            if (file.isEmpty())
                return; // no file: the dialog stays as it is
            m_fileName = file;
            close(3);
        } else {
            close(0);
        }
    });
    connect(cmdAnnulla, &QPushButton::clicked, this, [this] { close(0); });
    connect(cmdImposta, &QPushButton::clicked, this, [this] { close(-1); });
    connect(cmdMargini, &QPushButton::clicked, this, [this] { close(-2); });

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {cmdOk, cmdAnnulla, cmdImposta, cmdMargini})
        buttons->addWidget(b);
    buttons->addStretch();
    auto* left = new QVBoxLayout;
    left->addWidget(choices);
    left->addLayout(printerInfo);
    left->addWidget(Frame1);
    auto* main = new QHBoxLayout(this);
    main->addLayout(left, 1);
    main->addLayout(buttons);

    setFixedSize(sizeHint().expandedTo(QSize(420, 0)));
    CentraForm(this);
}

void frmPressivoDestinazioneStampa::setCurrentPrinter(const QString& name) {
    m_printer = name;
    lblStampante->setText(name);
}

void frmPressivoDestinazioneStampa::setPort(const QString& port) {
    m_port = port;
    lblPercorso->setText(port);
}

void frmPressivoDestinazioneStampa::setCopies(const QVariant& copies) {
    m_copies = numbers::toInt16(copies.toDouble()).value_or(0);
    txtCopie->setText(QString::number(m_copies));
}

void frmPressivoDestinazioneStampa::DisabledPeripheral(int numberPeripheral) {
    if (numberPeripheral < 0 || numberPeripheral > 2)
        return;
    optTipoStampa[numberPeripheral]->setEnabled(false);
    imgOutput[numberPeripheral]->setEnabled(false);
    if (numberPeripheral == 1 || numberPeripheral == 2)
        setCopies(1);
}

void frmPressivoDestinazioneStampa::optTipoStampa_Click(int index) {
    if (index == 0) {
        AbilitaControllo(txtCopie);
        vscCopie->setEnabled(true);
    } else {
        txtCopie->setText(QStringLiteral("1"));
        DisabilitaControllo(txtCopie);
        vscCopie->setEnabled(false);
    }
}

void frmPressivoDestinazioneStampa::copiesFromText() {
    m_copies = numbers::toInt16(ValoreNumerico(txtCopie->text())).value_or(0);
}

bool frmPressivoDestinazioneStampa::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        for (int i = 0; i < 3; ++i) {
            if (watched == imgOutput[i] && optTipoStampa[i]->isEnabled()) {
                optTipoStampa[i]->setChecked(true);
                optTipoStampa_Click(i);
            }
        }
    }
    if (event->type() == QEvent::FocusOut && (watched == txtCopie || watched == vscCopie))
        copiesFromText();
    return false;
}

void frmPressivoDestinazioneStampa::close(qint16 destination) {
    m_destination = destination;
    accept();
}

void frmPressivoDestinazioneStampa::done(int result) {
    copiesFromText();
    QDialog::done(result);
}

QString frmPressivoDestinazioneStampa::askSavedPrintFile() {
    const QString folder = programfolders::printsFolder();
    if (!folder.startsWith(QStringLiteral("\\\\")) && !folder.startsWith(QStringLiteral("//")))
        QDir().mkpath(folder);
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Save;
    request.title = windowTitle();
    // A PDF for other programs, or a saved print to open again with Marvello.
    request.filter = QStringLiteral("Tutti Files (*.*)|*.*|File anteprima (*.ant)|*.ant|"
                                    "Documento PDF (*.pdf)|*.pdf");
    request.filterIndex = 2;
    request.confirmOverwrite = true;
    request.directory = folder;
    return MessageService::current().chooseFile(request).value_or(QString());
}
