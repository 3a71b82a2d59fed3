// Opening, dragging and extracting the attached files of an article, with the
// messages, the shell and the folder chooser answered by scripts.
#include "ArchiveFixtures.h"
// GCC 12 at -O2 sees ScriptedPrompter::input's copy of a std::optional<QString> as
// possibly uninitialised (a false alarm); the include is fenced so -Werror holds.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include "Scripted.h"
#pragma GCC diagnostic pop
#include "TestSupport.h"
#include "attachments/AttachmentActions.h"
#include "attachments/AttachmentTexts.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

using namespace attachments;
using namespace archivetest;
using platform::MsgStyle;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

const QString Title = QStringLiteral("Kodrix");

class AttachmentActionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tmp.isValid());
        data = m_tmp.path() + QStringLiteral("/Справочник/data");
        chosen = m_tmp.path() + QStringLiteral("/Мои файлы");
        ASSERT_TRUE(QDir().mkpath(data));
        ASSERT_TRUE(QDir().mkpath(chosen));
    }
    // Answers the folder dialog with `answer` and remembers that it was asked.
    AttachmentActions::FolderChooser chooser(const QString& answer)
    {
        return [this, answer](const QString& prompt) {
            prompts.push_back(prompt);
            return answer;
        };
    }

    testsupport::ScriptedPrompter prompter;
    testsupport::RecordingShell shell;
    QString data, chosen;
    QStringList prompts;

    AttachmentActions make() { return AttachmentActions(prompter, shell, data, Title); }

private:
    QTemporaryDir m_tmp;
};

const QByteArray Article = header() + record("Readme.TXT", "read me") + record("\xF1\xF5\xE5\xEC\xE0.png", "png") +
                           record("Readme.TXT", "second readme");

}  // namespace

TEST_F(AttachmentActionsTest, OpeningUnpacksIntoTheDataFolderAndOpensTheFileWritten)
{
    AttachmentActions a = make();
    a.openFile(Article, QStringLiteral(" readme.txt"));
    ASSERT_EQ(shell.opened.size(), 1u);
    // The stored name, not the list's text: on a case-sensitive disk only that exists.
    EXPECT_EQ(shell.opened[0], data + QStringLiteral("/Readme.TXT"));
    EXPECT_EQ(readFile(shell.opened[0]), QByteArray("second readme"));
    EXPECT_TRUE(prompter.shown.empty());

    // No program for the type: the user is told which file would not open.
    shell.openResult = false;
    a.openFile(Article, QStringLiteral(" readme.txt"));
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].style, MsgStyle::Critical);
    EXPECT_TRUE(prompter.shown[0].text.contains(QStringLiteral("Readme.TXT»")));
}

TEST_F(AttachmentActionsTest, AFileNotUnpackedNowIsNeverOpened)
{
    // Left in the data folder by another article.
    ASSERT_TRUE(writeFile(data + QStringLiteral("/схема.png"), "stale"));
    AttachmentActions a = make();
    struct Case {
        QByteArray archive;
        QString message;
    };
    const Case cases[] = {
        {QByteArray(" "), texts::notPackArchive()},
        {header() + record("other.png", "x"), texts::notInArchive().arg(QStringLiteral("схема.png"))},
        // Broken before the file: its loss is the damage's, said so.
        {header() + record("other.png", "x") + record("схема.png", "y").left(30),
         texts::notBeforeDamage().arg(QStringLiteral("схема.png"))},
    };
    for (const Case& k : cases) {
        prompter.shown.clear();
        a.openFile(k.archive, QStringLiteral("схема.png"));
        ASSERT_EQ(prompter.shown.size(), 1u);
        EXPECT_EQ(prompter.shown[0].style, MsgStyle::Critical);
        EXPECT_EQ(prompter.shown[0].title, Title);
        EXPECT_EQ(prompter.shown[0].text, k.message);
    }
    EXPECT_TRUE(shell.opened.empty());
    EXPECT_EQ(readFile(data + QStringLiteral("/схема.png")), QByteArray("stale"));
}

TEST_F(AttachmentActionsTest, DraggingUnpacksEachSelectedFileAndGivesItsPath)
{
    AttachmentActions a = make();
    const auto files = a.filesForDrag(Article, {QStringLiteral("схема.png"), QStringLiteral("README.TXT"),
                                                QStringLiteral("missing.doc")});
    EXPECT_EQ(files.paths,
              QStringList({data + QStringLiteral("/схема.png"), data + QStringLiteral("/Readme.TXT")}));
    EXPECT_EQ(readFile(data + QStringLiteral("/схема.png")), QByteArray("png"));
    ASSERT_EQ(files.problems.size(), 1);
    EXPECT_TRUE(files.problems[0].contains(QStringLiteral("missing.doc")));
}

TEST_F(AttachmentActionsTest, NothingToExtractWarnsWithoutAskingForAFolder)
{
    AttachmentActions a = make();
    for (const QByteArray& archive : {QByteArray(), QByteArray(" "), QByteArray("   ")}) {
        prompter.shown.clear();
        a.extractAll(archive, chooser(chosen));
        ASSERT_EQ(prompter.shown.size(), 1u);
        EXPECT_EQ(prompter.shown[0].style, MsgStyle::Warning);
        EXPECT_EQ(prompter.shown[0].text, texts::noFilesToExtract());
    }
    EXPECT_TRUE(prompts.isEmpty());
}

TEST_F(AttachmentActionsTest, ExtractingWritesEveryFileIntoTheChosenFolderReplacingOldOnes)
{
    ASSERT_TRUE(writeFile(chosen + QStringLiteral("/Readme.TXT"), "old"));
    AttachmentActions a = make();
    a.extractAll(Article, chooser(chosen));
    EXPECT_EQ(prompts, QStringList{QStringLiteral("Извлечь файлы в...")});
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(readFile(chosen + QStringLiteral("/Readme.TXT")), QByteArray("second readme"));
    EXPECT_EQ(readFile(chosen + QStringLiteral("/схема.png")), QByteArray("png"));
}

TEST_F(AttachmentActionsTest, ACancelledOrMissingFolderWritesNothing)
{
    AttachmentActions a = make();
    a.extractAll(Article, chooser(QString()));
    EXPECT_TRUE(prompter.shown.empty());

    const QString gone = chosen + QStringLiteral("/нет такой");
    a.extractAll(Article, chooser(gone));
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].style, MsgStyle::Critical);
    EXPECT_EQ(prompter.shown[0].text, QStringLiteral("Папка ") + gone + QStringLiteral(" не найдена"));
    EXPECT_TRUE(QDir(chosen).isEmpty());
}

TEST_F(AttachmentActionsTest, RefusedNamesAndABrokenArchiveAreReportedAfterExtracting)
{
    AttachmentActions a = make();
    const QByteArray archive = header() + record("../outside.txt", "x") + record("good.txt", "g") + "\x01\x02";
    a.extractAll(archive, chooser(chosen));
    EXPECT_EQ(QDir(chosen).entryList(QDir::Files), QStringList{QStringLiteral("good.txt")});
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].style, MsgStyle::Warning);
    EXPECT_TRUE(prompter.shown[0].text.contains(QStringLiteral("../outside.txt")));
    EXPECT_TRUE(prompter.shown[0].text.contains(texts::archiveCut().arg(QDir::toNativeSeparators(chosen))))
        << prompter.shown[0].text.toStdString();
}
