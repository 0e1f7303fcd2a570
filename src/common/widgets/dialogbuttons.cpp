// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/widgets/dialogbuttons.h"

#include <QDialog>

OkCancelButtons makeOkCancelButtons(QDialog* dialog) {
    auto* ok = new QPushButton(QStringLiteral("Ok"), dialog);
    ok->setObjectName(QStringLiteral("cmdOk"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), dialog);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    cancel->setAutoDefault(false);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    auto* layout = new QHBoxLayout;
    layout->addStretch();
    layout->addWidget(ok);
    layout->addWidget(cancel);
    return {ok, cancel, layout};
}
