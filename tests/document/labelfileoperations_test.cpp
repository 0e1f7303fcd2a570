// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/version.h"
#include "document/labeldocument.h"
#include "document/labelfileoperations.h"
#include "support/files.h"
#include "support/labelfiletext.h"
#include "support/recordingmessages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

class LabelFiles : public ::testing::Test {
protected:
    QString path(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }

    RecordingMessages messages;
    QTemporaryDir folder;
    LabelDocument document;
};

TEST_F(LabelFiles, AnOpenCancelledOrOfAMissingFileOrAFolderChangesNothing) {
    LabelElement* kept = document.CreaOggTesto(567, 1440, 1000, 255);
    EXPECT_EQ(CaricaEtichetta(document, std::nullopt).outcome, LoadOutcome::Cancelled);
    ASSERT_EQ(messages.fileRequests.size(), 1);
    const FileDialogRequest& request = messages.fileRequests[0];
    EXPECT_EQ(request.title, u"Inserire il nome del file etichetta da aprire");
    EXPECT_EQ(request.filter, u"Tutti Files (*.*)|*.*|File ascii (*.eti)|*.eti");
    EXPECT_EQ(request.filterIndex, 2);
    EXPECT_TRUE(request.mustExist);
    EXPECT_TRUE(messages.messages.isEmpty());
    EXPECT_EQ(document.elements().size(), 1u);

    document.setModificato(true);
    const QString missing = path("manca.eti");
    EXPECT_EQ(CaricaEtichetta(document, missing).outcome, LoadOutcome::NotFound);
    EXPECT_EQ(messages.beeps, 1);
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(messages.messages[0].text,
              u"File "_s + missing + u" non trovato oppure percoso inacessibile."_s);
    EXPECT_EQ(messages.messages[0].title, version::mainWindowCaption());
    EXPECT_EQ(messages.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(document.element(u"oggTesto1"_s), kept);
    EXPECT_TRUE(document.Modificato());
    EXPECT_EQ(CaricaEtichetta(document, folder.path()).outcome, LoadOutcome::NotFound);
}

TEST_F(LabelFiles, OpeningReplacesTheLabelAndConnectsItsDatabase) {
    writeBytes(path("a.eti"),
               labelFileBytes(fileLines("oggDatabase|nel file.mdb|pw file|Clienti|||||||") +
                              textSection()));
    document.CreaOggRettangolo(0, 0, 10, 10);
    document.setModificato(true);

    QStringList calls;
    const auto connector = [&](const auto&... given) {
        (calls << ... << given);
        return true;
    };
    EXPECT_EQ(CaricaEtichetta(document, path("a.eti"), {}, {}, connector).outcome,
              LoadOutcome::Loaded);
    EXPECT_EQ(calls, QStringList({"nel file.mdb", "pw file", "Clienti"}));
    EXPECT_TRUE(document.DatabaseConnesso());
    EXPECT_FALSE(document.Modificato());
    ASSERT_EQ(document.elements().size(), 1u);
    EXPECT_EQ(document.elements()[0]->key(), u"oggTesto1");
    EXPECT_EQ(document.fileName(), QFileInfo(path("a.eti")).absoluteFilePath());

    // The command line's database replaces the file's, with its password even when empty.
    calls.clear();
    CaricaEtichetta(document, path("a.eti"), u"altro.mdb"_s, QString(), connector);
    EXPECT_EQ(calls, QStringList({"altro.mdb", "", "Clienti"}));
    EXPECT_EQ(document.binding().NomeDatabase, u"altro.mdb");
}

TEST_F(LabelFiles, AReadErrorIsReportedWithItsNumberAndKeepsThePartialLabel) {
    writeBytes(path("cut.eti"), labelFileBytes(fileLines("oggDatabase|db.mdb|||||||||") +
                                               textSection() + textSection().mid(0, 8)));
    bool connected = false;
    const LoadResult result = CaricaEtichetta(document, path("cut.eti"), {}, {},
                                              [&](auto&&...) { return connected = true; });
    EXPECT_EQ(result.outcome, LoadOutcome::Failed);
    EXPECT_EQ(result.errorCode, 62);
    EXPECT_EQ(messages.beeps, 1);
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_TRUE(messages.lastText().startsWith(u"Errore non gestito. Codice: 62\r"));
    EXPECT_EQ(document.elements().size(), 2u);
    EXPECT_FALSE(connected);
    EXPECT_FALSE(document.DatabaseConnesso());
}

TEST_F(LabelFiles, SavingAsksForTheFileWritesItAndClearsTheChangeFlag) {
    document.CreaOggTesto(567, 1440, 1000, 255);
    document.setModificato(true);
    messages.fileAnswers.push_back(path("nuova.eti"));
    EXPECT_FALSE(SalvaEtichetta(document));
    ASSERT_EQ(messages.fileRequests.size(), 1);
    const FileDialogRequest& request = messages.fileRequests[0];
    EXPECT_EQ(request.title, u"Inserire il nome del file etichetta da salvare");
    EXPECT_EQ(request.mode, FileDialogRequest::Mode::Save);
    EXPECT_EQ(request.defaultSuffix, u"eti");
    EXPECT_EQ(request.filterIndex, 2);
    EXPECT_TRUE(request.confirmOverwrite);
    EXPECT_FALSE(document.Modificato());

    LabelDocument reloaded;
    EXPECT_EQ(CaricaEtichetta(reloaded, path("nuova.eti")).outcome, LoadOutcome::Loaded);
    EXPECT_EQ(reloaded.elements().size(), 1u);
}

TEST_F(LabelFiles, ARefusedSaveNamesTheElementAndLeavesTheOldFile) {
    writeBytes(path("vecchia.eti"), "contenuto precedente");
    document.CreaOggTesto(567, 1440, 1000, 255)->Caption = u"Ελληνικά"_s;
    document.setModificato(true);
    messages.fileAnswers.push_back(path("vecchia.eti"));
    EXPECT_TRUE(SalvaEtichetta(document));
    EXPECT_EQ(messages.beeps, 1);
    EXPECT_TRUE(messages.lastText().contains(u"il testo \"Ελληνικά\""))
        << messages.lastText().toStdString();
    EXPECT_EQ(readBytes(path("vecchia.eti")), QByteArray("contenuto precedente"));
    EXPECT_TRUE(document.Modificato());
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList({"vecchia.eti"}));
}

TEST_F(LabelFiles, AFailedSaveInAReadOnlyFolderLeavesTheOldFile) {
    const QString target = path("protetta/etichetta.eti");
    // The ordinary user must reach the folder, and find it read-only.
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                             QFile::ReadOther | QFile::ExeOther);
    ASSERT_TRUE(QDir(folder.path()).mkdir(u"protetta"_s));
    writeBytes(target, "versione buona");
    QFile::setPermissions(path("protetta"), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                                QFile::ExeGroup | QFile::ReadOther |
                                                QFile::ExeOther);
    document.CreaOggTesto(567, 1440, 1000, 255);
    document.setModificato(true);

    if (geteuid() != 0) {
        EXPECT_FALSE(saveLabelFile(document, target).saved);
    } else {
        // Root writes anywhere: save as an ordinary user in a child process.
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (setgid(65534) != 0 || setuid(65534) != 0)
                _exit(3);
            _exit(saveLabelFile(document, target).saved ? 1 : 0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status));
        ASSERT_EQ(WEXITSTATUS(status), 0) << "the save should have failed";
    }
    EXPECT_EQ(readBytes(target), QByteArray("versione buona"));
    EXPECT_EQ(QDir(path("protetta")).entryList(QDir::Files), QStringList({"etichetta.eti"}));
    QFile::setPermissions(path("protetta"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(LabelFiles, ACancelledSaveIsSilentAFailedOneReportedAndBothKeepTheChangeFlag) {
    document.setModificato(true);
    EXPECT_TRUE(SalvaEtichetta(document));
    EXPECT_TRUE(document.Modificato());
    EXPECT_TRUE(messages.messages.isEmpty());
    messages.fileAnswers.push_back(path("cartella/che/non/esiste.eti"));
    EXPECT_TRUE(SalvaEtichetta(document));
    EXPECT_EQ(messages.messages.size(), 1);
    EXPECT_TRUE(messages.lastText().contains(u"esiste.eti"));
    EXPECT_TRUE(document.Modificato());
}

TEST_F(LabelFiles, SavingOverAFileReplacesItCompletely) {
    writeBytes(path("e.eti"), QByteArray(100000, 'x'));
    document.CreaOggTesto(567, 1440, 1000, 255);
    ASSERT_TRUE(saveLabelFile(document, path("e.eti")).saved);
    const QByteArray bytes = readBytes(path("e.eti"));
    EXPECT_LT(bytes.size(), 1000);
    EXPECT_TRUE(bytes.startsWith("oggDatabase\r\n"));
}

} // namespace
