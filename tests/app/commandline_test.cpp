// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/commandline.h"
#include "document/labeldocument.h"
#include "support/recordingmessages.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

struct SplitCase {
    const char* text;
    QStringList arguments;
};

void PrintTo(const SplitCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class SplitArguments : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitArguments, CommasSeparateBlanksDoNot) {
    EXPECT_EQ(LeggiArgomenti(QString::fromUtf8(GetParam().text)), GetParam().arguments);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SplitArguments,
    ::testing::Values(SplitCase{"", {}}, SplitCase{",,,", {}}, SplitCase{"a.eti", {"a.eti"}},
                      SplitCase{"a.eti,-S", {"a.eti", "-S"}},
                      SplitCase{"a.eti , -D ", {"a.eti ", " -D "}},
                      // two commas in a row make no empty argument
                      SplitCase{"a.eti,,db.mdb", {"a.eti", "db.mdb"}},
                      SplitCase{"a.eti db.mdb", {"a.eti db.mdb"}},
                      SplitCase{"\"c:\\a b.eti\",-S", {"\"c:\\a b.eti\"", "-S"}},
                      SplitCase{"1,2,3,4,5,6,7,8,9,10,11,12",
                                {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}}));

TEST(SplitArguments, MaximumCountIsHonoured) {
    EXPECT_EQ(LeggiArgomenti(QStringLiteral("a,b,c"), 2), QStringList({"a", "b"}));
    EXPECT_TRUE(LeggiArgomenti(QStringLiteral("a,b"), 0).isEmpty());
}

TEST(ArgumentText, ShellWordsJoinWithBlanks) {
    EXPECT_EQ(argumentText({"a.eti,", "-S"}), u"a.eti, -S");
    EXPECT_EQ(LeggiArgomenti(argumentText({"my label.eti"})), QStringList({"my label.eti"}));
}

class StartupDispatch : public ::testing::Test {
protected:
    static QString example(const char* name) {
        return QDir(QStringLiteral(MARVELLO_EXAMPLES_DIR)).filePath(QString::fromLatin1(name));
    }

    StartupAction run(const QString& text) {
        return Main(document, text, [this](const QString& name, const QString& pw, const QString&) {
            connections << name + u'|' + pw;
            return false;
        });
    }

    RecordingMessages messages;
    LabelDocument document;
    QStringList connections;
};

TEST_F(StartupDispatch, NoArgumentsShowsAnEmptyLabel) {
    EXPECT_EQ(run(QString()), StartupAction::ShowWindow);
    EXPECT_TRUE(document.elements().empty());
    EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_F(StartupDispatch, OneLabelOpensItAndShowsTheWindow) {
    EXPECT_EQ(run(example("prodotto.eti")), StartupAction::ShowWindow);
    EXPECT_FALSE(document.elements().empty());
    EXPECT_TRUE(connections.isEmpty()); // the product label is not bound
}

TEST_F(StartupDispatch, SwitchesChooseThePrint) {
    EXPECT_EQ(run(example("prodotto.eti") + QStringLiteral(", -S")),
              StartupAction::PrintWithDialog);
    EXPECT_EQ(run(example("prodotto.eti") + QStringLiteral(",-D")), StartupAction::PrintDirect);
    EXPECT_EQ(run(example("prodotto.eti") + QStringLiteral(",-s")), StartupAction::ShowWindow);
}

TEST_F(StartupDispatch, DatabaseAndPasswordReplaceTheLabels) {
    EXPECT_EQ(run(example("spedizione.eti") + QStringLiteral(",x, altro.mdb , segreto ")),
              StartupAction::ShowWindow);
    EXPECT_EQ(connections, QStringList({"altro.mdb|segreto"}));
    EXPECT_EQ(document.binding().NomeDatabase, u"altro.mdb");
}

TEST_F(StartupDispatch, ABlankDatabaseArgumentKeepsTheLabels) {
    run(example("spedizione.eti") + QStringLiteral(",-X,  ,pw"));
    EXPECT_EQ(connections, QStringList({"clienti.mdb|"}));
}

TEST_F(StartupDispatch, AMissingLabelIsReportedAndNothingPrints) {
    EXPECT_EQ(run(QStringLiteral(" ,-D")), StartupAction::Abandon);
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(messages.lastText(), u"File  non trovato oppure percoso inacessibile.");
}

TEST_F(StartupDispatch, ABlankInsteadOfACommaNamesAFileThatIsNotFound) {
    EXPECT_EQ(run(example("spedizione.eti") + QStringLiteral(" clienti.mdb")),
              StartupAction::ShowWindow);
    EXPECT_EQ(messages.messages.size(), 1);
    EXPECT_TRUE(document.elements().empty());
}

TEST_F(StartupDispatch, MoreThanFourArgumentsOpenNothing) {
    EXPECT_EQ(run(example("prodotto.eti") + QStringLiteral(",-D,a,b,c")),
              StartupAction::ShowWindow);
    EXPECT_TRUE(document.elements().empty());
    EXPECT_TRUE(messages.messages.isEmpty());
}

} // namespace
