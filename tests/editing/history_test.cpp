// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/labeljson.h"
#include "editing/arrange.h"
#include "support/windowtest.h"

#include <QJsonDocument>

using namespace Qt::StringLiterals;

namespace {

QByteArray json(const LabelDocument& document) {
    return QJsonDocument(documentToJson(document)).toJson(QJsonDocument::Compact);
}

class History : public WindowTest {
protected:
    History() {
        window.surface()->setSnap(false);
        window.show();
    }

    LabelElement* text(float left, float top) {
        LabelElement* element = document.CreaOggTesto(left, top, 1000, 255);
        window.history().checkpoint({});
        return element;
    }

    void choose(std::vector<LabelElement*> elements) { window.surface()->select(elements); }
};

// Every command is one step, and undoing each puts the label back exactly as it was (its whole
// description compared), redoing each exactly as it became; Modificato follows the saved state.
TEST_F(History, EachCommandUndoesAndRedoesExactly) {
    std::vector<QByteArray> states{json(document)};
    LabelElement* first = text(1200, 2000);
    states.push_back(json(document));
    LabelElement* second = text(3000, 2500);
    states.push_back(json(document));
    const auto step = [&](const std::function<void()>& command) {
        command();
        states.push_back(json(document));
    };
    choose({first, second});
    for (const char* name : {"mnuOpaco", "mnuPortaIndietro", "mnuAllineaSinistra"})
        step([&] { run(name); });
    messages.colorAnswers.push_back(QColor(255, 0, 0));
    step([&] { run("mnuColoreOggetto"); });
    step([&] {
        // A burst of arrow keys is one step.
        for (int i = 0; i < 3; ++i)
            QTest::keyPress(window.surface(), Qt::Key_Right);
        QTest::keyRelease(window.surface(), Qt::Key_Right);
    });
    step([&] { run("mnuTaglia"); });
    step([&] { run("mnuIncolla"); });
    step([&] {
        LayoutEtichetta layout = document.layout();
        layout.LarghezzaEtichetta = 63.5;
        document.setLayout(layout);
        window.history().checkpoint({});
    });
    run("mnuCopia"); // changes nothing: no step
    EXPECT_EQ(window.history().stack().count(), int(states.size()) - 1);

    for (std::size_t i = states.size() - 1; i > 0; --i) {
        run("mnuAnnulla");
        EXPECT_EQ(json(document), states[i - 1]) << "undoing step " << i;
    }
    EXPECT_FALSE(document.Modificato()); // back at the label as it was opened
    EXPECT_FALSE(window.action(u"mnuAnnulla"_s)->isEnabled());
    for (std::size_t i = 1; i < states.size(); ++i) {
        run("mnuRipeti");
        EXPECT_EQ(json(document), states[i]) << "redoing step " << i;
    }
    EXPECT_TRUE(document.Modificato());

    // Saved: undoing leaves the saved label (modified), redoing comes back to it.
    const QString path = folder.filePath(u"etichetta.eti"_s);
    messages.fileAnswers.push_back(path);
    run("mnuSalva");
    run("mnuAnnulla");
    EXPECT_TRUE(document.Modificato());
    run("mnuRipeti");
    EXPECT_FALSE(document.Modificato());
    // Saving again starts on the label's own file; a new label has nothing to undo.
    run("mnuSalvaConNome");
    EXPECT_EQ(messages.fileRequests.back().selectedFile, path);
    EXPECT_TRUE(window.windowTitle().contains(u"etichetta.eti"));
    run("mnuNuovo");
    EXPECT_FALSE(window.history().stack().canUndo());
}

// The formatting commands act on every element chosen that they apply to. Undoing and redoing
// a binding connects the label to the database it names again: a label printed after a redo
// prints its records, not one empty label.
TEST_F(History, CommandsActOnEveryElementChosenAndTheDatabaseFollowsTheBinding) {
    LabelElement* a = text(1200, 2000);
    LabelElement* b = text(1200, 3000);
    LabelElement* box = document.CreaOggRettangolo(4000, 2000, 1000, 1000);
    choose({a, b, box});
    run("mnuSpessore3");
    run("mnuOpaco");
    EXPECT_EQ(box->BorderWidth, 3);
    for (const LabelElement* chosen : {a, b, box})
        EXPECT_EQ(chosen->BackStyle, Background::Opaque);
    run("mnuCopia");
    run("mnuIncolla");
    EXPECT_EQ(document.elements().size(), 6u);
    choose({a, b});
    run("mnuCancella");
    EXPECT_EQ(document.elements().size(), 4u);
    EXPECT_TRUE(window.surface()->selection().empty());

    ASSERT_TRUE(connectDemo());
    window.history().checkpoint({});
    run("mnuAnnulla");
    EXPECT_TRUE(document.binding().NomeDatabase.isEmpty());
    EXPECT_FALSE(document.DatabaseConnesso());
    EXPECT_EQ(window.statusPanel(1), u"Non connesso");
    run("mnuRipeti");
    EXPECT_TRUE(document.DatabaseConnesso());
    EXPECT_TRUE(window.statusPanel(1).startsWith(u"Connesso: "));
}

TEST(Arrange, AlignAndDistributeInTwips) {
    LabelDocument document;
    LabelElement* a = document.CreaOggTesto(1000, 500, 1000, 200);
    LabelElement* b = document.CreaOggTesto(4000, 900, 500, 300);
    LabelElement* c = document.CreaOggTesto(2000, 2500, 2000, 100);
    const std::vector<LabelElement*> all{a, b, c};
    const auto lefts = [&] { return std::vector<float>{a->Left, b->Left, c->Left}; };
    const auto tops = [&] { return std::vector<float>{a->Top, b->Top, c->Top}; };
    arrange::align(all, arrange::Edge::Right);
    EXPECT_EQ(lefts(), std::vector<float>({3500, 4000, 2500}));
    arrange::align(all, arrange::Edge::HorizontalCentre); // the group's box: 2500 to 4500
    EXPECT_EQ(lefts(), std::vector<float>({3000, 3250, 2500}));
    arrange::align(all, arrange::Edge::Bottom);
    EXPECT_EQ(tops(), std::vector<float>({2400, 2300, 2500}));
    arrange::align(all, arrange::Edge::Top);
    EXPECT_EQ(tops(), std::vector<float>({2300, 2300, 2300}));

    // Left edges 0, 1000, 5000 with widths 500, 1000, 2000: 3000 between the outer two.
    a->Left = 0, a->Width = 500;
    b->Left = 5000, b->Width = 2000;
    c->Left = 1000, c->Width = 1000;
    arrange::distribute(all, arrange::Direction::Horizontally);
    EXPECT_EQ(lefts(), std::vector<float>({0, 5000, 500 + 1750}));
    arrange::moveBy(all, -3000, 10); // no element leaves the surface; the group keeps its shape
    EXPECT_EQ(lefts(), std::vector<float>({0, 5000, 2250}));
    EXPECT_EQ(tops(), std::vector<float>({2310, 2310, 2310}));
}

} // namespace
