// SPDX-License-Identifier: GPL-3.0-or-later
#include "printing/widgets/frmstampa.h"

#include "common/messageservice.h"
#include "common/numbers.h"
#include "common/widgets/dialogbuttons.h"
#include "common/widgets/fieldroutines.h"
#include "common/widgets/windowplacement.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QLineEdit* numberField(const char* name, QWidget* parent) {
    auto* field = new QLineEdit(QStringLiteral("1"), parent);
    field->setObjectName(QLatin1String(name));
    field->setAlignment(Qt::AlignRight);
    FieldRoutines::install(field, FieldRoutines::Highlight | FieldRoutines::WholeNumbers);
    return field;
}

} // namespace

frmStampa::frmStampa(QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmStampa"));
    setWindowTitle(QStringLiteral("Stampa"));

    auto* group = new QGroupBox(QStringLiteral("Parametri di stampa"), this);
    optStampa[0] = new QRadioButton(QStringLiteral("Stampa tutte le etichette"), group);
    optStampa[1] = new QRadioButton(QStringLiteral("Stampa numero etichette "), group);
    optStampa[0]->setObjectName(QStringLiteral("optStampa0"));
    optStampa[1]->setObjectName(QStringLiteral("optStampa1"));
    txtNumeroEtichette = numberField("txtNumeroEtichette", group);
    txtPrimaEtichetta = numberField("txtPrimaEtichetta", group);
    auto* firstCaption = new QLabel(QStringLiteral("Prima etichetta da stampare"), group);
    firstCaption->setBuddy(txtPrimaEtichetta);
    chkStampaBordi = new QCheckBox(QStringLiteral("Stampa bordi etichette"), group);
    chkStampaBordi->setObjectName(QStringLiteral("chkStampaBordi"));
    chkStampaCrocicchi = new QCheckBox(QStringLiteral("Stampa indicatori margini"), group);
    chkStampaCrocicchi->setObjectName(QStringLiteral("chkStampaCrocicchi"));

    auto* grid = new QGridLayout(group);
    grid->addWidget(optStampa[0], 0, 0, 1, 2);
    grid->addWidget(optStampa[1], 1, 0);
    grid->addWidget(txtNumeroEtichette, 1, 1);
    grid->addWidget(firstCaption, 2, 0);
    grid->addWidget(txtPrimaEtichetta, 2, 1);
    grid->addWidget(chkStampaBordi, 3, 0, 1, 2);
    grid->addWidget(chkStampaCrocicchi, 4, 0, 1, 2);
    cmbCampoQuantita = new QComboBox(group);
    cmbCampoQuantita->setObjectName(QStringLiteral("cmbCampoQuantita"));
    // As wide as a field's name, not as its longest one: the captions beside keep their room.
    cmbCampoQuantita->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cmbCampoQuantita->setMinimumContentsLength(12);
    cmbCampoQuantita->setToolTip(QStringLiteral("Ogni record tante etichette quante dice il "
                                                "campo (\"collo ${Q} di ${Qtot}\")"));
    m_quantityCaption = new QLabel(QStringLiteral("Quantità da campo"), group);
    m_quantityCaption->setBuddy(cmbCampoQuantita);
    grid->addWidget(m_quantityCaption, 5, 0);
    grid->addWidget(cmbCampoQuantita, 5, 1);
    // Quantities are for printing every record.
    connect(cmbCampoQuantita, &QComboBox::activated, this, [this](int index) {
        if (index > 0)
            optStampa[0]->setChecked(true);
    });
    presetQuantity({}, {});

    const OkCancelButtons okCancel = makeOkCancelButtons(this);
    cmdOk = okCancel.ok;
    cmdCancel = okCancel.cancel;
    connect(cmdOk, &QPushButton::clicked, this, &frmStampa::cmdOk_Click);
    QHBoxLayout* buttons = okCancel.layout;
    m_questions = new QGroupBox(QStringLiteral("Domande"), this);
    m_questions->setObjectName(QStringLiteral("fraDomande"));
    m_questions->setLayout(new QFormLayout);
    m_questions->hide();
    auto* main = new QVBoxLayout(this);
    main->addWidget(group);
    main->addWidget(m_questions);
    main->addLayout(buttons);

    setFixedSize(sizeHint());
    CentraForm(this);
}

void frmStampa::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    fitToContents(); // measured as shown: polished, with the fields offered
}

void frmStampa::fitToContents() {
    // Fields shown or hidden since: the layout measures them again before the size is fixed.
    if (!layout())
        return; // still being built
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    layout()->invalidate();
    layout()->activate();
    setFixedSize(layout()->totalSizeHint().expandedTo(layout()->totalMinimumSize()));
}

void frmStampa::presetQuestions(const QStringList& questions,
                                const QMap<QString, QString>& answers) {
    auto* form = static_cast<QFormLayout*>(m_questions->layout());
    for (const QString& question : questions) {
        auto* field = new QLineEdit(m_questions);
        field->setObjectName(QStringLiteral("txtRisposta%1").arg(txtRisposte.size()));
        field->setProperty("domanda", question);
        field->setMaxLength(1000);
        for (auto it = answers.begin(); it != answers.end(); ++it)
            if (it.key().compare(question, Qt::CaseInsensitive) == 0)
                field->setText(it.value());
        form->addRow(question + u':', field);
        txtRisposte.push_back(field);
    }
    m_questions->setVisible(!questions.isEmpty());
    fitToContents();
}

void frmStampa::presetQuantity(const QStringList& fields, const QString& chosen) {
    cmbCampoQuantita->clear();
    cmbCampoQuantita->addItem(QStringLiteral("(nessuno)"));
    cmbCampoQuantita->addItems(fields);
    const int at = chosen.isEmpty() ? 0 : cmbCampoQuantita->findText(chosen, Qt::MatchFixedString);
    // A field the records no longer have is still shown, and said by the job.
    if (at < 0)
        cmbCampoQuantita->addItem(chosen);
    cmbCampoQuantita->setCurrentIndex(at < 0 ? cmbCampoQuantita->count() - 1 : at);
    cmbCampoQuantita->setVisible(!fields.isEmpty() || !chosen.isEmpty());
    m_quantityCaption->setVisible(cmbCampoQuantita->isVisibleTo(this));
    fitToContents();
}

void frmStampa::presetFor(bool databaseConnesso) {
    optStampa[databaseConnesso ? 0 : 1]->setChecked(true);
}

std::optional<qint16> frmStampa::positiveValue(QLineEdit* field) {
    const auto value = numbers::toInt16(ValoreIntero(field->text()));
    if (value && *value > 0)
        return value;
    MessageService::current().warn(QStringLiteral("Indicare un valore positivo."), windowTitle());
    field->setFocus();
    return std::nullopt;
}

void frmStampa::cmdOk_Click() {
    bool all = false;
    if (optStampa[0]->isChecked()) {
        all = true;
    } else if (optStampa[1]->isChecked()) {
        if (!positiveValue(txtNumeroEtichette))
            return;
    }
    const auto first = positiveValue(txtPrimaEtichetta);
    if (!first)
        return;
    StampaTutte = all;
    PremutoOk = true;
    // Unused when all labels print; a value that does not fit is then not kept.
    NumeroEtichette = numbers::toInt16(ValoreIntero(txtNumeroEtichette->text())).value_or(0);
    PrimaEtichetta = *first;
    StampaCrocicchi = chkStampaCrocicchi->isChecked();
    StampaBordi = chkStampaBordi->isChecked();
    CampoQuantita =
        cmbCampoQuantita->currentIndex() > 0 ? cmbCampoQuantita->currentText() : QString();
    Risposte.clear();
    for (const QLineEdit* field : txtRisposte)
        Risposte.insert(field->property("domanda").toString(), field->text());
    accept();
}
