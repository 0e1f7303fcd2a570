// SPDX-License-Identifier: GPL-3.0-or-later
#include "editing/widgets/frmmodificatesto.h"

#include "common/files.h"
#include "common/messageservice.h"
#include "common/programfolders.h"
#include "common/widgets/dialogbuttons.h"
#include "common/widgets/fieldroutines.h"
#include "common/widgets/filefield.h"
#include "common/widgets/windowplacement.h"
#include "document/picturefile.h"
#include "printing/placeholders.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

namespace {

// What a label knows without a table: its number in the job, today's date, the time.
void addLabelValues(QMenu& menu) {
    const std::pair<const char*, const char*> values[] = {
        {"N", "Numero dell'etichetta"}, {"data", "Data di oggi"}, {"ora", "Ora"}};
    for (const auto& [name, caption] : values) {
        QAction* action = menu.addAction(QString::fromUtf8(caption));
        action->setData(QString::fromLatin1(name));
    }
}

} // namespace

frmModificaTesto::frmModificaTesto(QWidget* parent)
    : QDialog(parent)
    , txtTesto(new QLineEdit(this))
    , txtRighe(new QPlainTextEdit(this))
    , cmdCampi(new QPushButton(QStringLiteral("Campi"), this)) {
    setObjectName(QStringLiteral("frmModificaTesto"));
    setWindowTitle(QStringLiteral("Modifica testo"));
    txtTesto->setObjectName(QStringLiteral("txtTesto"));
    txtRighe->setObjectName(QStringLiteral("txtRighe"));
    txtRighe->setTabChangesFocus(true);
    txtRighe->setVisible(false);
    FieldRoutines::install(txtTesto);
    auto* caption = new QLabel(QStringLiteral("Testo"), this);
    caption->setBuddy(txtTesto);
    cmdCampi->setObjectName(QStringLiteral("cmdCampi"));
    cmdCampi->setToolTip(QStringLiteral("Inserisce nel testo un campo, il numero "
                                        "dell'etichetta, la data o l'ora"));
    cmdCampi->setFocusPolicy(Qt::NoFocus); // the caret stays in the text
    cmdCampi->setAutoDefault(false);
    auto* menu = new QMenu(cmdCampi);
    addLabelValues(*menu);
    cmdCampi->setMenu(menu);
    connect(menu, &QMenu::triggered, this, [this](QAction* action) {
        // The whole text comes selected when the field takes the focus: it is kept, and the
        // choice goes at its end.
        const QString field = QStringLiteral("${%1}").arg(action->data().toString());
        if (txtRighe->isVisibleTo(this)) {
            txtRighe->insertPlainText(field);
            return;
        }
        if (txtTesto->hasSelectedText() && txtTesto->selectedText() == txtTesto->text())
            txtTesto->end(false);
        txtTesto->insert(field);
    });
    auto* hint = new QLabel(
        QStringLiteral("${Campo}: il valore del campo (${Campo|testo} se è vuoto, ${Prezzo:,2} "
                       "con 2 decimali, ${Scadenza:MM/yyyy} una data nel formato); ${N}: il "
                       "numero dell'etichetta (${N:4} con 4 cifre, ${N+100} da 101); ${data+5}: "
                       "fra 5 giorni (${data+6M} fra 6 mesi, ${data:dd/MM/yy} nel formato)"),
        this);
    hint->setObjectName(QStringLiteral("lblAiuto"));
    hint->setWordWrap(true);
    hint->setForegroundRole(QPalette::PlaceholderText);
    const OkCancelButtons buttons = makeOkCancelButtons(this);
    cmdOk = buttons.ok;
    cmdCancel = buttons.cancel;
    connect(cmdOk, &QPushButton::clicked, this, [this] {
        const QString text =
            txtRighe->isVisibleTo(this) ? txtRighe->toPlainText() : txtTesto->text();
        if (m_check) {
            if (const QString problem = m_check(text); !problem.isEmpty()) {
                MessageService::current().message(problem, windowTitle(), MessageIcon::Exclamation);
                return;
            }
        }
        Testo = text;
        Confermato = true;
        accept();
    });
    auto* row = new QHBoxLayout;
    row->addWidget(txtTesto, 1);
    row->addWidget(txtRighe, 1);
    row->addWidget(cmdCampi);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addLayout(row);
    layout->addWidget(hint);
    layout->addLayout(buttons.layout);
    fitHeight(460);
    CentraForm(this);
}

void frmModificaTesto::fitHeight(int width) {
    // The hint wraps: its height follows the width, which the layout's minimum does not know.
    auto* hint = findChild<QLabel*>(QStringLiteral("lblAiuto"));
    const QMargins margins = layout()->contentsMargins();
    hint->setMinimumHeight(hint->heightForWidth(width - margins.left() - margins.right()));
    layout()->setSizeConstraint(QLayout::SetMinimumSize);
    resize(width, layout()->totalHeightForWidth(width));
}

void frmModificaTesto::setMultiLine(bool multiLine) {
    txtTesto->setVisible(!multiLine);
    txtRighe->setVisible(multiLine);
    // Enter makes a new line, not the OK.
    cmdOk->setDefault(!multiLine);
    cmdOk->setAutoDefault(!multiLine);
    if (multiLine) {
        txtRighe->setFixedHeight(txtRighe->fontMetrics().lineSpacing() * 5 + 12);
        txtRighe->setFocus();
    }
    fitHeight(width());
}

void frmModificaTesto::setTesto(const QString& text) {
    txtTesto->setText(text);
    txtRighe->setPlainText(text);
    txtRighe->moveCursor(QTextCursor::End);
}

void frmModificaTesto::offerFields(const QStringList& names) {
    QMenu* menu = cmdCampi->menu();
    menu->clear();
    bool offered = false;
    for (const QString& name : names) {
        // A field that ${...} cannot name (one called "data", say) is left out.
        if (!TextTemplate::namesField(name))
            continue;
        menu->addAction(QString(name).replace(u'&', QStringLiteral("&&")))->setData(name);
        offered = true;
    }
    if (offered)
        menu->addSeparator();
    addLabelValues(*menu);
}

frmModificaImmagine::frmModificaImmagine(QWidget* parent)
    : QDialog(parent)
    , txtNomeFile(new QLineEdit(this))
    , cmdSfoglia(new QPushButton(QStringLiteral("Sfoglia ..."), this)) {
    setObjectName(QStringLiteral("frmModificaImmagine"));
    setWindowTitle(QStringLiteral("Nome file immagine"));
    txtNomeFile->setObjectName(QStringLiteral("txtNomeFile"));
    cmdSfoglia->setObjectName(QStringLiteral("cmdSfoglia"));
    cmdSfoglia->setAutoDefault(false);
    FieldRoutines::install(txtNomeFile);
    const OkCancelButtons buttons = makeOkCancelButtons(this);
    cmdOk = buttons.ok;
    cmdCancel = buttons.cancel;
    connect(cmdSfoglia, &QPushButton::clicked, this,
            [this] { browseIntoField(txtNomeFile, windowTitle(), picturefile::openFilter(), 1); });
    connect(cmdOk, &QPushButton::clicked, this, [this] {
        if (!fieldNamesAFile(txtNomeFile, QStringLiteral("Inserire un nome file valido."),
                             windowTitle()))
            return;
        NomeFile = txtNomeFile->text();
        Confermato = true;
        accept();
    });
    auto* row = new QGridLayout;
    row->addWidget(txtNomeFile, 0, 0);
    row->addWidget(cmdSfoglia, 0, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons.layout);
    resize(480, sizeHint().height());
    CentraForm(this);
}
