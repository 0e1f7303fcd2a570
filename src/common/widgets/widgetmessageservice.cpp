// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/widgets/widgetmessageservice.h"

#include "common/fontchoice.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QGridLayout>
#include <QMessageBox>
#include <QRegularExpression>

namespace {

QMessageBox::Icon toQt(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Exclamation:
        break;
    }
    return QMessageBox::Warning;
}

// Message texts break lines with a carriage return.
QString displayText(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

} // namespace

void WidgetMessageService::beep() {
    QApplication::beep();
}

void WidgetMessageService::message(const QString& text, const QString& title, MessageIcon icon) {
    QMessageBox box(toQt(icon), title, displayText(text), QMessageBox::Ok, m_parent);
    keepTitleWhole(box);
    box.exec();
}

Answer WidgetMessageService::question(const QString& text, const QString& title,
                                      QuestionButtons buttons, MessageIcon icon) {
    QMessageBox::StandardButtons standard;
    switch (buttons) {
    case QuestionButtons::YesNoCancel:
        standard = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        break;
    case QuestionButtons::YesNo:
        standard = QMessageBox::Yes | QMessageBox::No;
        break;
    case QuestionButtons::OkCancel:
        standard = QMessageBox::Ok | QMessageBox::Cancel;
        break;
    }
    QMessageBox box(toQt(icon), title, displayText(text), standard, m_parent);
    keepTitleWhole(box);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Ok:
        return Answer::Ok;
    default:
        return Answer::Cancel;
    }
}

void WidgetMessageService::keepTitleWhole(QMessageBox& box) {
    // A message box sizes itself to its text: a spacer as wide as the title bar needs keeps
    // a short message from cutting its title.
    const int titleBar = box.fontMetrics().horizontalAdvance(box.windowTitle()) + 160;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(titleBar, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
}

QStringList WidgetMessageService::qtNameFilters(const QString& filter) {
    QStringList filters;
    for (const auto& [name, pattern] : splitFileFilter(filter)) {
        // Qt separates patterns with blanks; the label program's filters with ';'.
        const QString qtPattern = pattern == u"*.*"
                                      ? QStringLiteral("*")
                                      : pattern.split(u';', Qt::SkipEmptyParts).join(u' ');
        const QString plainName = name.section(u'(', 0, 0).trimmed();
        filters.append(QStringLiteral("%1 (%2)").arg(plainName, qtPattern));
    }
    return filters;
}

std::optional<QString> WidgetMessageService::chooseFile(const FileDialogRequest& request) {
    QFileDialog dialog(m_parent, request.title, request.directory);
    const bool open = request.mode == FileDialogRequest::Mode::Open;
    dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(open && request.mustExist ? QFileDialog::ExistingFile
                                                 : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    dialog.setDefaultSuffix(request.defaultSuffix);
    const QStringList filters = qtNameFilters(request.filter);
    dialog.setNameFilters(filters);
    // A name typed without an extension takes the one of the file type chosen.
    const auto followFilter = [&dialog, &request](const QString& filter) {
        static const QRegularExpression single(QStringLiteral(R"(\(\*\.(\w+)\)$)"));
        const auto match = single.match(filter);
        dialog.setDefaultSuffix(match.hasMatch() ? match.captured(1) : request.defaultSuffix);
    };
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, followFilter);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size()) {
        dialog.selectNameFilter(filters.at(request.filterIndex - 1));
        if (!open)
            followFilter(filters.at(request.filterIndex - 1));
    }
    if (!request.selectedFile.isEmpty())
        dialog.selectFile(request.selectedFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QColor> WidgetMessageService::chooseColor(const QColor& initial,
                                                        const QString& title) {
    const QColor chosen = QColorDialog::getColor(initial, m_parent, title);
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

std::optional<QFont> WidgetMessageService::chooseFont(const QFont& initial, const QString& title) {
    QFontDialog dialog(m_parent);
    dialog.setWindowTitle(title);
    dialog.setCurrentFont(fontchoice::dialogFont(initial));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return fontchoice::chosenFont(initial, dialog.selectedFont());
}
