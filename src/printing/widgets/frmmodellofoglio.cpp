// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/widgets/frmmodellofoglio.h"

#include "common/messageservice.h"
#include "common/regionalsettings.h"
#include "common/widgets/dialogbuttons.h"
#include "common/widgets/windowplacement.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

frmModelloFoglio::frmModelloFoglio(std::vector<SheetTemplate> sheets, QWidget* parent)
    : QDialog(parent)
    , txtCerca(new QLineEdit(this))
    , lstFogli(new QListWidget(this))
    , m_sheets(std::move(sheets)) {
    setObjectName(QStringLiteral("frmModelloFoglio"));
    setWindowTitle(QStringLiteral("Modello di foglio"));
    txtCerca->setObjectName(QStringLiteral("txtCerca"));
    txtCerca->setPlaceholderText(QStringLiteral("Produttore, codice o misura (L7160, 70 x 37)"));
    txtCerca->setClearButtonEnabled(true);
    lstFogli->setObjectName(QStringLiteral("lstFogli"));
    const OkCancelButtons buttons = makeOkCancelButtons(this);
    cmdOk = buttons.ok;
    cmdCancel = buttons.cancel;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Cerca"), this));
    layout->addWidget(txtCerca);
    layout->addWidget(lstFogli);
    layout->addLayout(buttons.layout);
    connect(txtCerca, &QLineEdit::textChanged, this, &frmModelloFoglio::showMatching);
    connect(lstFogli, &QListWidget::itemDoubleClicked, cmdOk, &QPushButton::click);
    connect(cmdOk, &QPushButton::clicked, this, [this] {
        const int row = lstFogli->currentRow();
        if (row < 0 || row >= int(m_shown.size())) {
            MessageService::current().warn(QStringLiteral("Selezionare un modello di foglio."),
                                           windowTitle());
            return;
        }
        Scelto = m_shown[std::size_t(row)];
        accept();
    });
    showMatching();
    resize(760, 460);
    CentraForm(this);
}

void frmModelloFoglio::showMatching() {
    m_shown = sheetcatalogue::search(m_sheets, txtCerca->text());
    lstFogli->clear();
    const auto number = [](double v) { return RegionalSettings::locale().toString(v, 'g', 6); };
    for (const SheetTemplate& sheet : m_shown) {
        const LayoutEtichetta& l = sheet.layout;
        lstFogli->addItem(QStringLiteral("%1 %2 - %3 x %4 mm, %5 x %6 (%7)  %8")
                              .arg(sheet.maker, sheet.code, number(l.LarghezzaEtichetta),
                                   number(l.AltezzaEtichetta))
                              .arg(l.EtichetteOrizzontali)
                              .arg(l.EtichetteVerticali)
                              .arg(sheet.paper, sheet.description));
    }
    if (!m_shown.empty())
        lstFogli->setCurrentRow(0);
}
