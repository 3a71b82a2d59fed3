// kodrix-base pack / unpack / list, run as the separate program it is.
#include "TestSupport.h"
#include "attachments/PackArchive.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

using testsupport::ToolRun;

ToolRun kodrixBase(const QStringList& args) { return testsupport::runBaseTool(args); }

}  // namespace

TEST(PackTool, PackListAndUnpackRoundTripWithExitCodes)
{
    if (!QFile::exists(testsupport::binDir() + QStringLiteral("/kodrix-base")))
        GTEST_SKIP() << "kodrix-base is not built";
    QTemporaryDir tmp;
    const QString dir = tmp.path() + QStringLiteral("/Папка с файлами");
    ASSERT_TRUE(QDir().mkpath(dir + QStringLiteral("/out")));
    const QString a = dir + QStringLiteral("/Отчёт.txt"), b = dir + QStringLiteral("/data.bin");
    ASSERT_TRUE(testsupport::writeFile(a, "hello"));
    ASSERT_TRUE(testsupport::writeFile(b, QByteArray("\0\xFF\x01", 3)));
    const QString archive = dir + QStringLiteral("/статья.pak");

    EXPECT_EQ(kodrixBase({QStringLiteral("pack"), archive, a, b}).code, 0);
    const ToolRun list = kodrixBase({QStringLiteral("list"), archive});
    EXPECT_EQ(list.code, 0);
    EXPECT_EQ(list.out, QStringLiteral("Отчёт.txt\t5\ndata.bin\t3\n"));

    const ToolRun one = kodrixBase({QStringLiteral("unpack"), archive, dir + QStringLiteral("/out"), QStringLiteral(" отчёт.TXT ")});
    EXPECT_EQ(one.code, 0) << one.err.toStdString();
    EXPECT_EQ(QDir(dir + QStringLiteral("/out")).entryList(QDir::Files), QStringList{QStringLiteral("Отчёт.txt")});
    EXPECT_EQ(kodrixBase({QStringLiteral("unpack"), archive, dir + QStringLiteral("/out")}).code, 0);
    EXPECT_EQ(testsupport::readFile(dir + QStringLiteral("/out/data.bin")), QByteArray("\0\xFF\x01", 3));

    struct Failing {
        QStringList args;
        QString inMessage;
    };
    const Failing failing[] = {
        {{QStringLiteral("pack"), dir + QStringLiteral("/x.pak"), dir + QStringLiteral("/нет.txt")},
         QStringLiteral("Ошибка 53 при упаковке файла.")},
        {{QStringLiteral("list"), a}, QStringLiteral("Этот файл не является файлом TOLVU PACK v2.0")},
        {{QStringLiteral("unpack"), archive, dir + QStringLiteral("/out"), QStringLiteral("absent")},
         QStringLiteral("absent")},
        {{QStringLiteral("unpack"), archive}, QStringLiteral("ARCHIVE DIR")},
    };
    for (const Failing& f : failing) {
        SCOPED_TRACE(f.args.join(u' ').toStdString());
        const ToolRun r = kodrixBase(f.args);
        EXPECT_NE(r.code, 0);
        EXPECT_TRUE(r.err.contains(f.inMessage)) << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(dir + QStringLiteral("/x.pak")));
}

// Names are printed as stored: "%1" inside one stays, and a control character
// (an archive may hold any byte) is shown by its code, never sent raw to the
// terminal.
TEST(PackTool, NamesArePrintedAsStoredWithControlCharactersShownByCode)
{
    QTemporaryDir tmp;
    const QString archive = tmp.path() + QStringLiteral("/архив.pak");
    const QByteArray a = "\x01\xA1\xFE@A1", b = "\x02\xB2\xFE@B2", c = "\x03\xC3\xFE@C3";
    auto record = [&](const QByteArray& name, const QByteArray& bytes) { return a + b + c + a + name + c + bytes + b; };
    ASSERT_TRUE(testsupport::writeFile(archive, QByteArray(attachments::Header) + record("50%1 off.txt", "x") +
                                                    record("red\x1b[31m\x98" "2J.txt", "yy")));
    const ToolRun list = kodrixBase({QStringLiteral("list"), archive});
    EXPECT_EQ(list.code, 0) << list.err.toStdString();
    EXPECT_TRUE(list.out.startsWith(QStringLiteral("50%1 off.txt\t1\n"))) << list.out.toStdString();
    EXPECT_TRUE(list.out.contains(QStringLiteral("red\\x1b[31m\\x982J.txt\t2"))) << list.out.toStdString();
    EXPECT_FALSE(list.out.contains(QChar(0x1B)));

    const ToolRun unpack = kodrixBase({QStringLiteral("unpack"), archive, tmp.path()});
    EXPECT_NE(unpack.code, 0);  // the second name is refused
    EXPECT_TRUE(unpack.err.contains(QStringLiteral("red\\x1b[31m"))) << unpack.err.toStdString();
    EXPECT_FALSE(unpack.err.contains(QChar(0x1B)));
    EXPECT_FALSE(unpack.err.contains(QChar(0x98)));
    EXPECT_EQ(testsupport::readFile(tmp.path() + QStringLiteral("/50%1 off.txt")), QByteArray("x"));
}

// A cut archive is listed and unpacked up to the damage, and both say so with a
// non-zero exit: a script must not take what was read for the whole archive.
TEST(PackTool, ACutArchiveIsReadUpToTheCutAndExitsNonZero)
{
    QTemporaryDir tmp;
    const QString archive = tmp.path() + QStringLiteral("/архив.pak");
    const QByteArray a = "\x01\xA1\xFE@A1", b = "\x02\xB2\xFE@B2", c = "\x03\xC3\xFE@C3";
    auto record = [&](const QByteArray& name, const QByteArray& bytes) { return a + b + c + a + name + c + bytes + b; };
    QByteArray cut = record("second.txt", "22");
    cut.chop(3);
    ASSERT_TRUE(testsupport::writeFile(archive, QByteArray(attachments::Header) + record("first.txt", "1") + cut));

    const ToolRun list = kodrixBase({QStringLiteral("list"), archive});
    EXPECT_NE(list.code, 0);
    EXPECT_EQ(list.out, QStringLiteral("first.txt\t1\n"));
    EXPECT_TRUE(list.err.contains(QStringLiteral("обрывается"))) << list.err.toStdString();

    const QString out = tmp.path();
    const ToolRun unpack = kodrixBase({QStringLiteral("unpack"), archive, out});
    EXPECT_NE(unpack.code, 0);
    EXPECT_TRUE(unpack.err.contains(QStringLiteral("обрывается"))) << unpack.err.toStdString();
    EXPECT_EQ(testsupport::readFile(out + QStringLiteral("/first.txt")), QByteArray("1"));
    EXPECT_FALSE(QFile::exists(out + QStringLiteral("/second.txt")));
}
