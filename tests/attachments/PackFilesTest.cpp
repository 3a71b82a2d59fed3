// The archive against the disk: packing files by path, and unpacking into a folder
// with hostile names, replaced files, links and folders that cannot be written.
#include "ArchiveFixtures.h"
#include "TestSupport.h"
#include "attachments/AttachmentTexts.h"
#include "attachments/PackFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/wait.h>
#include <unistd.h>

using namespace attachments;
using namespace archivetest;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

// A temporary place whose own name is Cyrillic with a blank, holding the target
// folder and a neighbour folder that nothing may ever reach.
class PackFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tmp.isValid());
        root = m_tmp.path() + QStringLiteral("/Вложения статьи");
        target = root + QStringLiteral("/цель");
        outside = root + QStringLiteral("/рядом");
        ASSERT_TRUE(QDir().mkpath(target));
        ASSERT_TRUE(QDir().mkpath(outside));
    }
    QStringList entries(const QString& dir) const
    {
        return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                   QDir::Name);
    }
    QString root, target, outside;

private:
    QTemporaryDir m_tmp;
};

}  // namespace

TEST(PackList, PiecesAfterTheFirstSemicolonUpToAnEmptyOne)
{
    struct Case {
        QString list;
        QStringList paths;
    };
    const Case cases[] = {
        {QStringLiteral(";/a;/b"), {QStringLiteral("/a"), QStringLiteral("/b")}},
        {QStringLiteral("ignored;/a"), {QStringLiteral("/a")}},
        {QStringLiteral(";/a;;/b"), {QStringLiteral("/a")}},
        {QStringLiteral(";/a;"), {QStringLiteral("/a")}},
        {QStringLiteral(""), {}},
        {QStringLiteral("/no/semicolon"), {}},
        {QStringLiteral(";"), {}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.list.toStdString());
        EXPECT_EQ(pathsOfList(k.list), k.paths);
    }
}

TEST_F(PackFilesTest, FilesPackUnderTheirLastComponentAndUnpackUnchanged)
{
    const QString a = root + QStringLiteral("/Отчёт №1.bin"), b = root + QStringLiteral("/empty");
    ASSERT_TRUE(writeFile(a, allByteValues()));
    ASSERT_TRUE(writeFile(b, QByteArray()));
    auto archive = packFiles(u';' + a + u';' + b);
    ASSERT_TRUE(archive.ok()) << archive.message().toStdString();
    auto read = readArchive(*archive);
    ASSERT_TRUE(read.ok());
    ASSERT_EQ(read->records.size(), 2);
    EXPECT_EQ(read->records[0].name, QStringLiteral("Отчёт №1.bin"));
    EXPECT_EQ(read->records[1].name, QStringLiteral("empty"));

    auto report = unpackAll(*archive, target);
    ASSERT_TRUE(report.ok()) << report.message().toStdString();
    EXPECT_EQ(report->written, QStringList({target + QStringLiteral("/Отчёт №1.bin"), target + QStringLiteral("/empty")}));
    EXPECT_EQ(readFile(target + QStringLiteral("/Отчёт №1.bin")), allByteValues());
    EXPECT_TRUE(QFileInfo(target + QStringLiteral("/empty")).isFile());
    EXPECT_EQ(QFileInfo(target + QStringLiteral("/empty")).size(), 0);
    EXPECT_EQ(entries(target).size(), 2);  // no temporary files left behind
}

TEST_F(PackFilesTest, APathWithoutAFolderIsStoredUnderItsWholeText)
{
    ASSERT_TRUE(writeFile(root + QStringLiteral("/plain.txt"), "p"));
    const QString old = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(root));
    auto archive = packFiles(QStringLiteral(";plain.txt"));
    QDir::setCurrent(old);
    ASSERT_TRUE(archive.ok()) << archive.message().toStdString();
    auto read = readArchive(*archive);
    ASSERT_EQ(read->records.size(), 1);
    EXPECT_EQ(read->records[0].name, QStringLiteral("plain.txt"));
}

TEST_F(PackFilesTest, AnyFileThatCannotBePackedGivesTheMessageAndNoArchive)
{
    const QString first = root + QStringLiteral("/first.txt");
    ASSERT_TRUE(writeFile(first, "read fine"));
    const QString chinese = root + QStringLiteral("/文件.txt");
    ASSERT_TRUE(writeFile(chinese, "x"));
    struct Case {
        QString second;
        QString numberLine;
    };
    const Case cases[] = {
        {root + QStringLiteral("/нет такого.txt"), QStringLiteral("Ошибка 53 при упаковке файла.")},
        {outside, QStringLiteral("Ошибка 75 при упаковке файла.")},  // a folder
        {chinese, QStringLiteral("Ошибка 52 при упаковке файла.")},  // a name 1251 cannot hold
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.second.toStdString());
        auto archive = packFiles(u';' + first + u';' + k.second);
        ASSERT_FALSE(archive.ok());
        const QStringList lines = archive.message().split(u'\n');
        ASSERT_EQ(lines.size(), 2);
        EXPECT_EQ(lines[0], k.numberLine);
        EXPECT_TRUE(lines[1].contains(QFileInfo(k.second).fileName())) << lines[1].toStdString();
    }
}

TEST_F(PackFilesTest, HostileStoredNamesNeverWriteOutsideTheTarget)
{
    const QByteArray hostile[] = {"",        "../рядом/evil", "..\\evil",  "/tmp/evil", "a/b",    "C:evil",
                                  "..",      ".",             "...",       QByteArray("nul\0x", 5), "bell\x07", "sub\\x",
                                  "c:\\x.txt"};
    QByteArray archive = header();
    for (const QByteArray& name : hostile)
        archive += record(name, "bad");
    archive += record("\xCE\xF2\xF7\xB8\xF2.txt", "good");  // "Отчёт.txt" in 1251
    archive += record("..ok..", "dots inside a name are fine");

    auto report = unpackAll(archive, target);
    ASSERT_TRUE(report.ok()) << report.message().toStdString();
    EXPECT_EQ(report->refused.size(), qsizetype(std::size(hostile)));
    EXPECT_EQ(entries(target), QStringList({QStringLiteral("..ok.."), QStringLiteral("Отчёт.txt")}));
    EXPECT_TRUE(entries(outside).isEmpty());
    EXPECT_EQ(entries(root), QStringList({QStringLiteral("рядом"), QStringLiteral("цель")}));
    EXPECT_EQ(readFile(target + QStringLiteral("/Отчёт.txt")), QByteArray("good"));
}

TEST_F(PackFilesTest, AnExistingFileIsReplacedAndALinkOfThatNameIsNotFollowed)
{
    const QString victim = outside + QStringLiteral("/victim.txt");
    ASSERT_TRUE(writeFile(victim, "untouched"));
    ASSERT_TRUE(writeFile(target + QStringLiteral("/old.txt"), "a much longer old content"));
    ASSERT_TRUE(QFile::link(victim, target + QStringLiteral("/link.txt")));
    const QByteArray archive = header() + record("old.txt", "new") + record("link.txt", "via link");

    auto report = unpackAll(archive, target);
    ASSERT_TRUE(report.ok()) << report.message().toStdString();
    EXPECT_EQ(readFile(target + QStringLiteral("/old.txt")), QByteArray("new"));
    EXPECT_FALSE(QFileInfo(target + QStringLiteral("/link.txt")).isSymLink());
    EXPECT_EQ(readFile(target + QStringLiteral("/link.txt")), QByteArray("via link"));
    EXPECT_EQ(readFile(victim), QByteArray("untouched"));
}

TEST_F(PackFilesTest, AFileThatCannotBeWrittenEndsTheOperationWithAMessage)
{
    ASSERT_TRUE(QDir().mkpath(target + QStringLiteral("/second")));
    const QByteArray archive = header() + record("first", "1") + record("second", "2") + record("third", "3");
    auto report = unpackAll(archive, target);
    ASSERT_FALSE(report.ok());
    EXPECT_TRUE(report.message().contains(target + QStringLiteral("/second"))) << report.message().toStdString();
    EXPECT_EQ(readFile(target + QStringLiteral("/first")), QByteArray("1"));
    EXPECT_FALSE(QFile::exists(target + QStringLiteral("/third")));
    EXPECT_EQ(entries(target), QStringList({QStringLiteral("first"), QStringLiteral("second")}));

    EXPECT_FALSE(unpackAll(archive, QString()).ok());  // never the root of the disk
    auto missing = unpackAll(archive, root + QStringLiteral("/нет папки"));
    ASSERT_FALSE(missing.ok());
    EXPECT_TRUE(missing.message().contains(QStringLiteral("нет папки/first")));
}

TEST_F(PackFilesTest, WithoutTheMagicNothingIsWritten)
{
    for (const QByteArray& archive : {QByteArray(" "), QByteArray("TOLVU PACK format v1.0//") + record("a", "b")}) {
        auto report = unpackAll(archive, target);
        ASSERT_FALSE(report.ok());
        EXPECT_EQ(report.message(), texts::notPackArchive());
        auto one = unpackFile(archive, target, QStringLiteral("a"));
        EXPECT_EQ(one.message(), texts::notPackArchive());
    }
    EXPECT_TRUE(entries(target).isEmpty());
    auto bare = unpackAll(QByteArray(Header), target);
    ASSERT_TRUE(bare.ok());
    EXPECT_TRUE(bare->written.isEmpty());
}

TEST_F(PackFilesTest, UnpackFileWritesEveryMatchUnderItsStoredNameAndTheLaterStays)
{
    const QByteArray archive = header() + record("  README.TXT", "first") + record("other.txt", "no") +
                               record("\xCE\xD2\xD7\xA8\xD2.DOC", "ОТЧЁТ") + record("  README.TXT", "second");
    auto report = unpackFile(archive, target, QStringLiteral("readme.txt "));
    ASSERT_TRUE(report.ok()) << report.message().toStdString();
    EXPECT_EQ(report->written.size(), 2);
    EXPECT_EQ(entries(target), QStringList({QStringLiteral("  README.TXT")}));
    EXPECT_EQ(readFile(target + QStringLiteral("/  README.TXT")), QByteArray("second"));

    auto cyr = unpackFile(archive, target, QStringLiteral("отчёт.doc"));
    ASSERT_TRUE(cyr.ok());
    EXPECT_EQ(cyr->written, QStringList({target + QStringLiteral("/ОТЧЁТ.DOC")}));

    auto none = unpackFile(archive, target, QStringLiteral("absent"));
    ASSERT_TRUE(none.ok());
    EXPECT_TRUE(none->written.isEmpty());
}

// An unpack that is killed leaves a hidden partial file holding attachment
// bytes. The next unpack into the folder removes such files whose writer is
// gone, and never one that a running unpack is writing.
TEST_F(PackFilesTest, PartialFilesOfKilledUnpacksAreRemovedByTheNext)
{
    const pid_t gone = ::fork();
    if (gone == 0)
        ::_exit(0);
    ASSERT_GT(gone, 0);
    ::waitpid(gone, nullptr, 0);
    const QString stale = QStringLiteral(".kodrix-unpack-%1-AbC123").arg(gone);
    const QString running = QStringLiteral(".kodrix-unpack-%1-XyZ789").arg(::getpid());
    ASSERT_TRUE(writeFile(target + u'/' + stale, "half of a secret"));
    ASSERT_TRUE(writeFile(target + u'/' + running, "being written"));
    ASSERT_TRUE(writeFile(target + QStringLiteral("/.kodrix-unpack-Qw12er"), "named before pids were"));

    ASSERT_TRUE(unpackFile(header() + record("a.txt", "1"), target, QStringLiteral("a.txt")).ok());
    EXPECT_EQ(entries(target), QStringList({running, QStringLiteral("a.txt")}));
}
