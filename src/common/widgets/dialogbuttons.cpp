// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/widgets/dialogbuttons.h"

#include <QDialog>
#include <QDialogButtonBox>

OkCancelButtons makeOkCancelButtons(QDialog* dialog) {
    // A button box orders them as the desktop does; the captions stay the program's own.
    auto* box = new QDialogButtonBox(dialog);
    auto* ok = box->addButton(QStringLiteral("Ok"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("cmdOk"));
    ok->setDefault(true);
    auto* cancel = box->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    cancel->setAutoDefault(false);
    QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    auto* layout = new QHBoxLayout;
    layout->addWidget(box);
    return {ok, cancel, layout};
}
