// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/labelfiles.h"

#include "common/messageservice.h"
#include "common/version.h"
#include "document/labelfileoperations.h"

#include <QFileInfo>
#include <QMainWindow>

LabelFiles::LabelFiles(const DesignContext& context, QMainWindow& window,
                       std::function<bool(const QString&, const QString&, const QString&)> connect)
    : m_context(context)
    , m_window(window)
    , m_connect(std::move(connect)) {
    QObject::connect(&m_context.document, &LabelDocument::modifiedChanged, &m_window,
                     &QWidget::setWindowModified);
    QObject::connect(&m_context.document, &LabelDocument::replaced, this, &LabelFiles::updateTitle);
}

void LabelFiles::updateTitle() {
    const QString file = m_context.document.fileName();
    // The program's own caption first: other programs look for the window by it.
    m_window.setWindowTitle(file.isEmpty()
                                ? version::mainWindowCaption() + QStringLiteral("[*]")
                                : version::mainWindowCaption() + QStringLiteral(" - ") +
                                      QFileInfo(file).fileName() + QStringLiteral("[*]"));
    m_window.setWindowModified(m_context.document.Modificato());
}

bool LabelFiles::askToSave() {
    if (!m_context.document.Modificato())
        return false;
    MessageService& messages = MessageService::current();
    messages.beep();
    switch (messages.question(QStringLiteral("Si desidera mantenere i cambiamenti?"),
                              version::mainWindowCaption())) {
    case Answer::Yes:
        return SalvaEtichetta(m_context.document, version::mainWindowCaption());
    case Answer::No:
        return false;
    default:
        return true;
    }
}

void LabelFiles::newLabel() {
    m_context.surface.Deseleziona();
    if (askToSave())
        return;
    m_context.document.NuovaEtichetta();
}

void LabelFiles::open() {
    m_context.surface.Deseleziona();
    if (askToSave())
        return;
    CaricaEtichetta(m_context.document, std::nullopt, {}, {}, m_connect,
                    version::mainWindowCaption());
}

void LabelFiles::save() {
    m_context.surface.Deseleziona();
    SalvaEtichetta(m_context.document, version::mainWindowCaption());
    updateTitle();
}
