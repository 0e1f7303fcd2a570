// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/toolicons.h"

#include <QAction>
#include <QEvent>
#include <QToolBar>
#include <QToolButton>

#include "common/widgets/pictures.h"

QIcon toolIcon(const QString& key) {
    // Commands that share a picture, or whose picture is named otherwise.
    if (key == u"stampa")
        return pictures::printer();
    if (key == u"disconnettidb")
        return pictures::brokenLink();
    if (key == u"font")
        return pictures::named(QStringLiteral("carattere"));
    return pictures::named(key);
}

namespace {

class EmptyTooltipFilter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ToolTip) {
            const auto* button = qobject_cast<QToolButton*>(watched);
            if (button && button->defaultAction() &&
                button->defaultAction()->toolTip() == NoTooltip)
                return true;
        }
        return false;
    }
};

} // namespace

void hideEmptyTooltips(QToolBar* toolbar) {
    auto* filter = new EmptyTooltipFilter(toolbar);
    for (QToolButton* button : toolbar->findChildren<QToolButton*>())
        button->installEventFilter(filter);
}
