// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/widgets/mainwindow.h"
#include "database/clsdatabase.h"
#include "designer/widgets/designsurface.h"
#include "document/labeldocument.h"
#include "support/recordingmessages.h"
#include "support/settingsfolder.h"

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

// Runs `answer` on the next modal dialog of type Dialog once it is shown (within 20 s).
template <typename Dialog>
void whenShown(std::function<void(Dialog&)> answer, int attempts = 2000) {
    QTimer::singleShot(10, [answer, attempts] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            answer(*dialog);
            // A check that failed may have left it open: the test goes on instead of waiting.
            if (::testing::Test::HasFailure() && dialog->isVisible())
                dialog->reject();
            return;
        }
        if (attempts > 0)
            whenShown<Dialog>(answer, attempts - 1);
        else
            ADD_FAILURE() << "dialog never shown: " << Dialog::staticMetaObject.className();
    });
}

// The main window on a label of its own, with its commands run by name.
class WindowTest : public ::testing::Test {
protected:
    WindowTest()
        : window(document, database) {}

    void run(const char* name) { window.action(QLatin1String(name))->trigger(); }

    // The point of the design surface at these twips.
    QPoint at(double xTwips, double yTwips) const {
        const double tpp = window.surface()->twipsPerPixel();
        return QPoint(int(xTwips / tpp), int(yTwips / tpp));
    }

    void select(LabelElement* element) {
        window.surface()->setModoSelezione(true);
        window.surface()->IniziaSpostamento(element, QPoint());
        QTest::mouseRelease(window.surface(), Qt::LeftButton);
    }

    // Binds the label to the customers of the demo database, as opening such a label does.
    bool connectDemo() {
        CollegamentoDatabase binding;
        binding.NomeDatabase = QStringLiteral(MARVELLO_TEST_DATA_DIR "/demo.mdb");
        binding.NomeTabella = QStringLiteral("Clienti");
        document.setBinding(binding);
        return window.ConnettiDatabase(binding.NomeDatabase, {}, binding.NomeTabella);
    }

    SettingsFolder folder; // first: the window reads its settings when it is made
    RecordingMessages messages;
    LabelDocument document;
    clsDatabase database;
    frmMarvello window;
};
