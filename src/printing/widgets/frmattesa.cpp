// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/widgets/frmattesa.h"

#include "common/cursor.h"
#include "common/widgets/windowplacement.h"
#include "printing/widgets/frmstampa.h"

#include <QLabel>
#include <QVBoxLayout>

frmAttesa::frmAttesa(QWidget* parent)
    : QDialog(parent)
    , lblInfo(new QLabel(this)) {
    setObjectName(QStringLiteral("frmAttesa"));
    setWindowTitle(QStringLiteral("ATTENDERE"));
    setModal(false);
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
    setFixedSize(QSize(280, 100));
}

void frmAttesa::begin() {
    CentraForm(this);
    show();
    repaint();
}

void frmAttesa::label(int i, int n) {
    lblInfo->setText(QStringLiteral("Etichetta %1/%2").arg(i).arg(n));
    lblInfo->repaint(); // no other input is processed while labels are drawn
}

void frmAttesa::end() {
    close();
}

void askJobWithDialog(PrintJob& job, bool bound, QWidget* parent) {
    CursoreAttesa();
    frmStampa dialog(parent);
    dialog.presetFor(bound);
    CursoreNormale();
    dialog.exec();
    job = static_cast<const PrintJob&>(dialog);
}
