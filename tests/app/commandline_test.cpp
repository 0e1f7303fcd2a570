// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/commandline.h"
#include "document/labeldocument.h"
#include "support/marvelloprocess.h"
#include "support/recordingmessages.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(SplitArguments, CommasSeparateBlanksDoNotAndShellWordsJoinWithBlanks) {
    const std::pair<const char*, QStringList> texts[] = {
        {"", {}},
        {",,,", {}},
        {"a.eti", {"a.eti"}},
        {"a.eti,-S", {"a.eti", "-S"}},
        {"a.eti , -D ", {"a.eti ", " -D "}},
        {"a.eti,,db.mdb", {"a.eti", "db.mdb"}}, // two commas make no empty argument
        {"a.eti db.mdb", {"a.eti db.mdb"}},
        {"\"c:\\a b.eti\",-S", {"\"c:\\a b.eti\"", "-S"}},
        {"1,2,3,4,5,6,7,8,9,10,11,12", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}}};
    for (const auto& [text, arguments] : texts)
        EXPECT_EQ(LeggiArgomenti(QString::fromUtf8(text)), arguments) << text;
    EXPECT_EQ(LeggiArgomenti(u"a,b,c"_s, 2), QStringList({"a", "b"}));
    EXPECT_TRUE(LeggiArgomenti(u"a,b"_s, 0).isEmpty());
    EXPECT_EQ(argumentText({"a.eti,", "-S"}), u"a.eti, -S");
    EXPECT_EQ(LeggiArgomenti(argumentText({"my label.eti"})), QStringList({"my label.eti"}));
}

// What a command line opens, connects and asks for.
TEST(StartupDispatch, TheCommandLineChoosesWhatHappens) {
    const QString product = example("prodotto.eti"), shipping = example("spedizione.eti");
    struct Case {
        QString text;
        StartupAction action;
        bool labelOpen;
        int messages;
        QStringList connections; // database|password
    };
    using enum StartupAction;
    const Case cases[] = {
        {{}, ShowWindow, false, 0, {}},
        {product, ShowWindow, true, 0, {}},
        {product + u", -S"_s, PrintWithDialog, true, 0, {}},
        {product + u",-D"_s, PrintDirect, true, 0, {}},
        {product + u",-s"_s, ShowWindow, true, 0, {}},
        // the database and password given replace the label's; a blank one keeps them
        {shipping + u",x, altro.mdb , segreto "_s, ShowWindow, true, 0, {"altro.mdb|segreto"}},
        {shipping + u",-X,  ,pw"_s, ShowWindow, true, 0, {"clienti.mdb|"}},
        {u" ,-D"_s, Abandon, false, 1, {}},
        // a blank instead of a comma names a file that is not there
        {shipping + u" clienti.mdb"_s, ShowWindow, false, 1, {}},
        {product + u",-D,a,b,c"_s, ShowWindow, false, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        RecordingMessages messages;
        LabelDocument document;
        QStringList connections;
        const StartupAction action =
            Main(document, c.text, [&](const QString& name, const QString& pw, const QString&) {
                connections << name + u'|' + pw;
                return false;
            });
        EXPECT_EQ(action, c.action);
        EXPECT_EQ(!document.elements().empty(), c.labelOpen);
        EXPECT_EQ(messages.messages.size(), c.messages);
        EXPECT_EQ(connections, c.connections);
    }
}

} // namespace
