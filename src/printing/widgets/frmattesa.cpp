// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/widgets/frmattesa.h"

#include "common/cursor.h"
#include "common/widgets/windowplacement.h"
#include "printing/widgets/frmstampa.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// How often, at most, drawing stops to let the window answer: often enough to feel alive,
// seldom enough to cost nothing on a long job.
constexpr int EventsEveryMs = 40;
} // namespace

frmAttesa::frmAttesa(QWidget* parent)
    : QDialog(parent)
    , lblInfo(new QLabel(this))
    , barAvanzamento(new QProgressBar(this))
    , cmdAnnulla(new QPushButton(QStringLiteral("Annulla"), this)) {
    setObjectName(QStringLiteral("frmAttesa"));
    setWindowTitle(QStringLiteral("ATTENDERE"));
    setWindowModality(Qt::ApplicationModal);
    auto* text = new QLabel(QStringLiteral("STAMPA IN CORSO ..."), this);
    text->setAlignment(Qt::AlignCenter);
    QFont bold = text->font();
    bold.setBold(true);
    text->setFont(bold);
    lblInfo->setObjectName(QStringLiteral("lblInfo"));
    lblInfo->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(lblInfo);
    barAvanzamento->setObjectName(QStringLiteral("barAvanzamento"));
    barAvanzamento->setTextVisible(false);
    layout->addWidget(barAvanzamento);
    cmdAnnulla->setObjectName(QStringLiteral("cmdAnnulla"));
    layout->addWidget(cmdAnnulla, 0, Qt::AlignCenter);
    connect(cmdAnnulla, &QPushButton::clicked, this, &frmAttesa::reject);
    setFixedSize(QSize(300, 150));
}

void frmAttesa::begin() {
    m_cancelled = false;
    cmdAnnulla->setEnabled(true);
    CursoreNormale(); // the bar says the job is busy; the arrow says "Annulla" can be pressed
    CentraForm(this);
    show();
    QCoreApplication::processEvents();
    m_sinceEvents.start();
}

void frmAttesa::label(int i, int n) {
    if (m_sinceEvents.isValid() && m_sinceEvents.elapsed() < EventsEveryMs && i != 1 && i != n)
        return;
    lblInfo->setText(QStringLiteral("Etichetta %1/%2").arg(i).arg(n));
    barAvanzamento->setRange(0, n);
    barAvanzamento->setValue(i);
    // The dialog is modal: the events let the windows repaint and "Annulla" be pressed.
    QCoreApplication::processEvents();
    m_sinceEvents.restart();
}

void frmAttesa::end() {
    hide();
}

void frmAttesa::reject() {
    // The job stops at the next label and leaves nothing behind; the dialog closes with it.
    m_cancelled = true;
    cmdAnnulla->setEnabled(false);
    lblInfo->setText(QStringLiteral("Annullamento..."));
}

void askJobWithDialog(PrintJob& job, bool bound, QWidget* parent) {
    CursoreAttesa();
    frmStampa dialog(parent);
    dialog.presetFor(bound);
    dialog.presetQuantity(job.CampiDisponibili, job.CampoQuantita);
    dialog.presetQuestions(job.Domande, job.Risposte);
    CursoreNormale();
    dialog.exec();
    const QStringList questions = job.Domande, fields = job.CampiDisponibili;
    job = static_cast<const PrintJob&>(dialog);
    job.Domande = questions;
    job.CampiDisponibili = fields;
}
