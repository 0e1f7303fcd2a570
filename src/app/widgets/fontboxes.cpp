// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/fontboxes.h"

#include "common/messageservice.h"
#include "common/numbers.h"
#include "common/version.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QFontDatabase>
#include <QToolBar>

namespace {

constexpr int LargestFontSize = 1638; // points: what the font system takes

QComboBox* editableBox(const char* name, int contentsLength, QToolBar& toolbar) {
    auto* box = new QComboBox(&toolbar);
    box->setObjectName(QLatin1String(name));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMinimumContentsLength(contentsLength);
    toolbar.addWidget(box);
    return box;
}

} // namespace

FontBoxes::FontBoxes(const DesignContext& context, QToolBar& toolbar)
    : QObject(&toolbar)
    , m_context(context)
    , m_name(editableBox("cmbFontname", 18, toolbar))
    , m_size(editableBox("cmbFontsize", 4, toolbar)) {
    for (QComboBox* box : {m_name, m_size}) {
        box->installEventFilter(this);
        connect(box, &QComboBox::activated, this, [this] { applyControls(); });
    }
}

void FontBoxes::setStyleButtons(QAction* bold, QAction* italic) {
    m_bold = bold;
    m_italic = italic;
    for (QAction* button : {bold, italic})
        connect(button, &QAction::triggered, this, [this] { applyControls(); });
}

QStringList FontBoxes::printerFonts() {
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

bool FontBoxes::FontDisponibile(const QString& nome) {
    return printerFonts().contains(nome);
}

void FontBoxes::InizializzaCaratteri() {
    m_name->clear();
    m_name->addItems(printerFonts());
    if (m_name->count() > 0)
        m_name->setCurrentIndex(0);
    m_size->clear();
    for (const char* size : {"8", "9", "10", "11", "12", "14", "16", "18", "20", "22", "24", "26",
                             "28", "36", "42", "72"})
        m_size->addItem(QLatin1String(size));
    m_size->setCurrentText(QStringLiteral("10"));
    LabelElement& text = m_context.document.templateOf(ElementKind::Testo);
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

void FontBoxes::AggiornaBarraCarattere(const LabelElement& font) {
    m_name->setCurrentText(font.FontName);
    m_size->setCurrentText(QString::number(ValoreIntero(double(font.FontSize))));
    if (m_bold)
        m_bold->setChecked(font.FontBold);
    if (m_italic)
        m_italic->setChecked(font.FontItalic);
}

void FontBoxes::ApplicaCarattere(const QString& nome, const QString& dimensione, bool grassetto,
                                 bool corsivo) {
    if (nome.isEmpty())
        return;
    const float size = ValoreIntero(dimensione);
    if (size == 0)
        return;
    m_context.touched();
    auto apply = [&](LabelElement& e) {
        e.FontName = nome;
        e.FontSize = size;
        e.FontBold = grassetto;
        e.FontItalic = corsivo;
    };
    LabelElement* element = m_context.selected();
    if (!element) {
        apply(m_context.document.templateOf(ElementKind::Testo));
    } else if (element->kind == ElementKind::Testo) {
        apply(*element);
        m_context.edited();
    }
}

void FontBoxes::applyControls() {
    ApplicaCarattere(m_name->currentText(), m_size->currentText(), m_bold && m_bold->isChecked(),
                     m_italic && m_italic->isChecked());
}

void FontBoxes::refuse(QComboBox* box, const QString& message) {
    MessageService::current().warn(message, version::mainWindowCaption());
    QMetaObject::invokeMethod(box, qOverload<>(&QWidget::setFocus), Qt::QueuedConnection);
}

bool FontBoxes::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::FocusOut)
        return QObject::eventFilter(watched, event);
    if (watched == m_name) {
        const QString name = m_name->currentText().trimmed();
        m_name->setCurrentText(name);
        if (name.isEmpty() || !FontDisponibile(name)) {
            refuse(m_name,
                   QStringLiteral("Il tipo di carattere inserito non è disponibile nel sistema."));
            return false;
        }
        applyControls();
    } else if (watched == m_size) {
        const float size = ValoreIntero(m_size->currentText().trimmed());
        if (size < 1 || size > LargestFontSize) {
            refuse(m_size, QStringLiteral("Inserire un valore compreso fra 1 e 1638."));
            return false;
        }
        applyControls();
    }
    return QObject::eventFilter(watched, event);
}
