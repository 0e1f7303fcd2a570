// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/widgets/fieldroutines.h"

#include "common/colors.h"
#include "common/messageservice.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

void setBackground(QWidget* widget, qint32 colour) {
    QPalette palette = widget->palette();
    const QColor background = colors::toQColor(colour);
    palette.setColor(QPalette::Active, QPalette::Base, background);
    palette.setColor(QPalette::Inactive, QPalette::Base, background);
    palette.setColor(QPalette::Disabled, QPalette::Base, background);
    widget->setPalette(palette);
}

void trimText(QLineEdit* campo) {
    const QString trimmed = campo->text().trimmed();
    if (trimmed != campo->text())
        campo->setText(trimmed);
}

} // namespace

void EvidenziaCampo(QLineEdit* campo) {
    setBackground(campo, colors::Yellow);
    trimText(campo);
    campo->selectAll();
    // A click that gave the focus would place the caret after this; select once it is done.
    QMetaObject::invokeMethod(campo, &QLineEdit::selectAll, Qt::QueuedConnection);
}

void LasciaCampo(QLineEdit* campo) {
    setBackground(campo, campo->isEnabled() ? colors::White : colors::ButtonFace);
    trimText(campo);
}

bool FiltroInteri(const QKeyEvent* event) {
    const QString text = event->text();
    if (text.isEmpty())
        return false;
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        return false;
    default:
        break;
    }
    if (text.size() == 1 && text[0] >= u'0' && text[0] <= u'9')
        return false;
    MessageService::current().beep();
    return true;
}

void AbilitaControllo(QWidget* controllo) {
    controllo->setEnabled(true);
    setBackground(controllo, colors::White);
}

void DisabilitaControllo(QWidget* controllo) {
    controllo->setEnabled(false);
    setBackground(controllo, colors::ButtonFace);
}

FieldRoutines::FieldRoutines(QLineEdit* campo, int options)
    : QObject(campo)
    , m_options(options) {
    campo->installEventFilter(this);
}

FieldRoutines* FieldRoutines::install(QLineEdit* campo, int options) {
    return new FieldRoutines(campo, options); // owned by the field
}

bool FieldRoutines::eventFilter(QObject* watched, QEvent* event) {
    auto* campo = qobject_cast<QLineEdit*>(watched);
    if (!campo)
        return false;
    // A menu opened over the field (its own, or a button's beside it) does not leave it: the
    // text is neither trimmed nor selected again, and the caret stays where it was. Focus
    // that really goes elsewhere meanwhile is a real leaving.
    if (event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() == Qt::PopupFocusReason &&
        QApplication::focusWidget() == campo) {
        m_underPopup = true;
        return false;
    }
    if (event->type() == QEvent::FocusIn && m_underPopup) {
        m_underPopup = false;
        if (static_cast<QFocusEvent*>(event)->reason() == Qt::PopupFocusReason)
            return false;
    }
    switch (event->type()) {
    case QEvent::FocusIn:
        if (m_options & Highlight)
            EvidenziaCampo(campo);
        break;
    case QEvent::FocusOut:
        m_underPopup = false;
        if (m_options & Highlight)
            LasciaCampo(campo);
        break;
    case QEvent::KeyPress:
        if (m_options & WholeNumbers)
            return FiltroInteri(static_cast<QKeyEvent*>(event));
        break;
    default:
        break;
    }
    return false;
}
