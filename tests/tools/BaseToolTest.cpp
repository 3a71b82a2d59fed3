// kodrix-base as base authors use it: create, import a content folder, dump, check.
#include "DamagedBase.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <sys/stat.h>

using testsupport::readFile;
using testsupport::writeFile;

namespace {

using testsupport::ToolRun;

ToolRun tool(const QStringList& args) { return testsupport::runBaseTool(args); }

void put(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    ASSERT_TRUE(writeFile(path, bytes));
}

std::vector<QJsonObject> dumpRows(const QString& base)
{
    const ToolRun r = tool({QStringLiteral("dump"), base});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    std::vector<QJsonObject> rows;
    for (const QString& line : r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        rows.push_back(QJsonDocument::fromJson(line.toUtf8()).object());
    return rows;
}

}  // namespace

TEST(BaseTool, ImportBuildsRowsFromAContentFolder)
{
    QTemporaryDir tmp;
    const QString c = tmp.path() + QStringLiteral("/Содержимое");
    put(c + QStringLiteral("/Основная/Строки/Функция Mid.txt"), "Mid(s, 2, 3)\nвторая строка {}\\");
    put(c + QStringLiteral("/Основная/Строки/Функция Mid.meta"),
        "seealso=Строки\\Ссылка\nfavorite=1\nadded=2024-05-01T10:00:00\n");
    put(c + QStringLiteral("/Основная/Строки/Функция Mid.files/Модуль.bas"), "Attribute VB_Name = \"Mod\"\r\n");
    put(c + QStringLiteral("/Основная/Строки/Функция Mid.files/a.zip"), QByteArray("PK\x03\x04\0\xff", 6));
    put(c + QStringLiteral("/Основная/Строки/Старьё.rtf"), "{\\rtf1 old}");
    put(c + QStringLiteral("/Основная/Строки/Старьё.meta"), "deleted=1\npath=избранное\n");
    put(c + QStringLiteral("/Основная/Строки/.folder"), "");
    put(c + QStringLiteral("/Примеры/Сайт.link"), "https://example.org/vb\n");
    put(c + QStringLiteral("/Примеры/Блокнот.program"), "xterm\n");

    const QString base = tmp.path() + QStringLiteral("/база.mdb");
    ASSERT_EQ(tool({QStringLiteral("create"), base}).code, 0);
    const ToolRun imported = tool({QStringLiteral("import"), c, base});
    ASSERT_EQ(imported.code, 0) << imported.err.toStdString();

    const auto rows = dumpRows(base);
    ASSERT_EQ(rows.size(), 5u);
    // Stored order: bases by name, files before sub-folders, by name.
    const QJsonObject folder = rows[0], old = rows[1], mid = rows[2], program = rows[3], link = rows[4];
    EXPECT_EQ(folder[QStringLiteral("c6")].toInt(), 8);
    EXPECT_EQ(folder[QStringLiteral("c2")].toString(), QString());
    EXPECT_EQ(folder[QStringLiteral("c1")].toString(), QStringLiteral("Строки"));

    EXPECT_EQ(mid[QStringLiteral("n")].toInt(), 3);
    EXPECT_EQ(mid[QStringLiteral("c2")].toString(), QStringLiteral("Функция Mid"));
    EXPECT_EQ(mid[QStringLiteral("c9")].toString(), QStringLiteral("Основная"));
    EXPECT_EQ(mid[QStringLiteral("c8")].toInt(), 1);
    EXPECT_EQ(mid[QStringLiteral("c10")].toString(), QStringLiteral("2024-05-01T10:00:00"));
    EXPECT_EQ(mid[QStringLiteral("c15")].toString(), QStringLiteral("Строки\\Ссылка;;"));
    const QString body = mid[QStringLiteral("c3")].toString();
    EXPECT_TRUE(body.startsWith(QStringLiteral("{\\rtf1\\ansi\\ansicpg1251")));
    EXPECT_TRUE(body.contains(QStringLiteral("\\'e2\\'f2\\'ee\\'f0\\'e0\\'ff")));  // "вторая" in 1251
    EXPECT_TRUE(body.contains(QStringLiteral("\\{\\}\\\\")));
    EXPECT_EQ(mid[QStringLiteral("c5")].toString(), QStringLiteral(";a.zip;Модуль.bas"));
    EXPECT_GT(mid[QStringLiteral("c4")].toObject()[QStringLiteral("bytes")].toInt(), 80 + 6 + 29);
    EXPECT_TRUE(old[QStringLiteral("c4")].isNull());
    EXPECT_TRUE(mid[QStringLiteral("c11")].isNull());

    EXPECT_EQ(old[QStringLiteral("c7")].toInt(), 1);
    EXPECT_EQ(old[QStringLiteral("c1")].toString(), QStringLiteral("избранное"));
    EXPECT_EQ(old[QStringLiteral("c3")].toString(), QStringLiteral("{\\rtf1 old}"));

    EXPECT_EQ(program[QStringLiteral("c6")].toInt(), 2);
    EXPECT_EQ(program[QStringLiteral("c11")].toString(), QStringLiteral("xterm"));
    EXPECT_EQ(link[QStringLiteral("c6")].toInt(), 3);
    EXPECT_EQ(link[QStringLiteral("c11")].toString(), QStringLiteral("https://example.org/vb"));
    EXPECT_EQ(link[QStringLiteral("c1")].toString(), QString());
    EXPECT_EQ(link[QStringLiteral("c9")].toString(), QStringLiteral("Примеры"));

    EXPECT_EQ(tool({QStringLiteral("check"), base}).code, 0);
}

TEST(BaseTool, FailuresExitNonZeroWithAMessageAndChangeNothing)
{
    QTemporaryDir tmp;
    const QString base = tmp.path() + QStringLiteral("/база.mdb");
    ASSERT_EQ(tool({QStringLiteral("create"), base}).code, 0);
    const QByteArray before = readFile(base);

    const QString bad = tmp.path() + QStringLiteral("/bad");
    put(bad + QStringLiteral("/Основная/Ссылка.link"), "\n");  // a link without an address
    put(bad + QStringLiteral("/Основная/А.txt"), "a");
    const ToolRun r = tool({QStringLiteral("import"), bad, base});
    EXPECT_NE(r.code, 0);
    EXPECT_TRUE(r.err.contains(QStringLiteral("Ссылка.link"))) << r.err.toStdString();
    EXPECT_TRUE(dumpRows(base).empty());  // the rows before the failure were rolled back

    const QString junk = tmp.path() + QStringLiteral("/junk.mdb");
    put(junk, QByteArray(8192, 'x'));
    for (const QStringList& args : {QStringList{QStringLiteral("check"), junk},
                                    QStringList{QStringLiteral("dump"), junk},
                                    QStringList{QStringLiteral("check"), tmp.path() + QStringLiteral("/нет.mdb")},
                                    QStringList{QStringLiteral("create"), base},
                                    QStringList{QStringLiteral("import"), tmp.path() + QStringLiteral("/нет"), base},
                                    QStringList{QStringLiteral("generate"), base},
                                    QStringList{QStringLiteral("nosuch")}}) {
        SCOPED_TRACE(args.join(QLatin1Char(' ')).toStdString());
        const ToolRun f = tool(args);
        EXPECT_NE(f.code, 0);
        EXPECT_FALSE(f.err.isEmpty());
    }
    EXPECT_EQ(readFile(base), before);
    EXPECT_EQ(readFile(junk), QByteArray(8192, 'x'));

    for (const char* cmd : {"create", "import", "dump", "check", "generate"}) {
        const ToolRun h = tool({QString::fromLatin1(cmd), QStringLiteral("--help")});
        EXPECT_EQ(h.code, 0) << cmd;
        EXPECT_TRUE(h.out.contains(QString::fromLatin1(cmd))) << cmd;
    }
}

TEST(BaseTool, GenerateMakesTheRequestedRows)
{
    QTemporaryDir tmp;
    const QString base = tmp.path() + QStringLiteral("/gen.mdb");
    const ToolRun r = tool({QStringLiteral("generate"), base, QStringLiteral("--rows"), QStringLiteral("300"),
                        QStringLiteral("--seed"), QStringLiteral("7")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const auto rows = dumpRows(base);
    ASSERT_EQ(rows.size(), 300u);
    int deleted = 0, links = 0;
    for (const auto& row : rows) {
        deleted += row[QStringLiteral("c7")].toInt() == 1;
        links += !row[QStringLiteral("c11")].toString().isEmpty();
        const int depth = int(row[QStringLiteral("c1")].toString().count(QLatin1Char('\\'))) + 1;
        EXPECT_TRUE(depth >= 1 && depth <= 4);
    }
    EXPECT_GT(deleted, 0);
    EXPECT_GT(links, 0);
}

// One page in the middle of a generated base damaged: dump stops with a message
// naming the file and the row instead of printing the row as nulls, check
// refuses the base, and no line of the engine's own log reaches the terminal.
TEST(BaseTool, ADamagedBaseIsReportedByDumpAndCheck)
{
    QTemporaryDir tmp;
    const QString sound = tmp.path() + QStringLiteral("/целая.mdb");
    ASSERT_EQ(tool({QStringLiteral("generate"), sound, QStringLiteral("--rows"), QStringLiteral("300")}).code, 0);
    const QString damaged = tmp.path() + QStringLiteral("/битая.mdb");
    ASSERT_TRUE(QFile::copy(sound, damaged));
    ASSERT_TRUE(testsupport::damageMiddlePage(damaged));

    const ToolRun d = tool({QStringLiteral("dump"), damaged});
    EXPECT_NE(d.code, 0);
    EXPECT_TRUE(d.err.contains(QStringLiteral("«%1»").arg(damaged))) << d.err.toStdString();
    EXPECT_TRUE(d.err.contains(QRegularExpression(QStringLiteral("запись \\d+ ")))) << d.err.toStdString();
    EXPECT_FALSE(d.err.contains(QStringLiteral("ERROR"))) << d.err.toStdString();
    const ToolRun c = tool({QStringLiteral("check"), damaged});
    EXPECT_NE(c.code, 0);
    EXPECT_FALSE(c.err.contains(QStringLiteral("ERROR CORE"))) << c.err.toStdString();

    // Bytes appended to a sound base: the engine never reads them, check must.
    const QString appended = tmp.path() + QStringLiteral("/хвост.mdb");
    ASSERT_TRUE(QFile::copy(sound, appended));
    {
        QFile f(appended);
        ASSERT_TRUE(f.open(QIODevice::Append));
        f.write(QByteArray(5000, '\x5A'));
    }
    const ToolRun a = tool({QStringLiteral("check"), appended});
    EXPECT_NE(a.code, 0);
    EXPECT_TRUE(a.err.contains(QStringLiteral("5000 лишних байт"))) << a.err.toStdString();
    EXPECT_EQ(tool({QStringLiteral("check"), sound}).code, 0);
}

// generate builds aside and renames when complete: killed half-way it leaves
// no base, and the next run is not blocked.
TEST(BaseTool, GenerateIsAllOrNothing)
{
    QTemporaryDir tmp;
    const QString base = tmp.path() + QStringLiteral("/gen.mdb");
    QProcess p;
    p.start(testsupport::binDir() + QStringLiteral("/kodrix-base"),
            {QStringLiteral("generate"), base, QStringLiteral("--rows"), QStringLiteral("200000")});
    ASSERT_TRUE(p.waitForStarted());
    QElapsedTimer waited;
    waited.start();
    while (QFileInfo(base + QStringLiteral(".part")).size() < 1024 * 1024 && waited.elapsed() < 60000)
        QThread::msleep(20);
    ASSERT_EQ(p.state(), QProcess::Running) << "the run ended before it could be killed";
    p.kill();
    p.waitForFinished();
    EXPECT_FALSE(QFile::exists(base));

    const ToolRun again = tool({QStringLiteral("generate"), base, QStringLiteral("--rows"), QStringLiteral("50")});
    ASSERT_EQ(again.code, 0) << again.err.toStdString();
    EXPECT_EQ(dumpRows(base).size(), 50u);
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("gen.mdb")});
    // And it never replaces a base.
    EXPECT_NE(tool({QStringLiteral("generate"), base, QStringLiteral("--rows"), QStringLiteral("5")}).code, 0);
    EXPECT_EQ(dumpRows(base).size(), 50u);
}

// On a full disk every writer says so and names the file, and leaves nothing
// half-written. The small disk is a memory file system mounted in a mount
// namespace of the command's own (skipped where the system allows none).
TEST(BaseTool, AFullDiskIsCalledSoAndLeavesNothingBehind)
{
    QProcess probe;
    probe.start(QStringLiteral("unshare"), {QStringLiteral("-rm"), QStringLiteral("true")});
    if (!probe.waitForFinished() || probe.exitStatus() != QProcess::NormalExit || probe.exitCode() != 0)
        GTEST_SKIP() << "no mount namespaces here";
    QTemporaryDir tmp;
    const QString small = tmp.path() + QStringLiteral("/малый диск");
    ASSERT_TRUE(QDir().mkpath(small));
    const QString big = tmp.path() + QStringLiteral("/большой.bin");
    ASSERT_TRUE(writeFile(big, QByteArray(400 * 1024, '\x42')));
    const QString archive = tmp.path() + QStringLiteral("/архив.pak");
    ASSERT_EQ(tool({QStringLiteral("pack"), archive, big}).code, 0);
    const QString bin = testsupport::binDir() + QStringLiteral("/kodrix-base");

    const QStringList commands[] = {
        {QStringLiteral("unpack"), archive, small},
        {QStringLiteral("pack"), small + QStringLiteral("/копия.pak"), big},
        {QStringLiteral("generate"), small + QStringLiteral("/база.mdb"), QStringLiteral("--rows"),
         QStringLiteral("2000")},
    };
    for (const QStringList& command : commands) {
        SCOPED_TRACE(command.first().toStdString());
        // Runs the command on a 256 KB disk at `small`, then lists what is left there.
        QProcess p;
        p.start(QStringLiteral("unshare"),
                QStringList{QStringLiteral("-rm"), QStringLiteral("sh"), QStringLiteral("-c"),
                            QStringLiteral("mount -t tmpfs -o size=256k tmpfs \"$1\" || exit 99; shift; "
                                           "\"$@\"; code=$?; ls -A \"$DISK\"; exit $code"),
                            QStringLiteral("sh"), small, bin}
                    + command);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISK"), small);
        p.setProcessEnvironment(env);
        ASSERT_TRUE(p.waitForFinished(120000));
        const QString err = QString::fromUtf8(p.readAllStandardError());
        const QString left = QString::fromUtf8(p.readAllStandardOutput());
        ASSERT_NE(p.exitCode(), 99) << "tmpfs not mounted: " << err.toStdString();
        EXPECT_NE(p.exitCode(), 0);
        EXPECT_TRUE(err.contains(QStringLiteral("недостаточно места на диске"))) << err.toStdString();
        EXPECT_TRUE(err.contains(small)) << err.toStdString();
        EXPECT_FALSE(err.contains(QStringLiteral("Unknown error"))) << err.toStdString();
        EXPECT_TRUE(left.trimmed().isEmpty()) << left.toStdString();
    }
}

// Only regular files and folders inside the content folder are imported; links
// and devices are refused by name and the base stays as it was. A file above
// the size bound is refused with the bound.
TEST(BaseTool, ImportRefusesLinksDevicesAndHugeFiles)
{
    QTemporaryDir tmp;
    const QString c = tmp.path() + QStringLiteral("/Содержимое");
    put(c + QStringLiteral("/Основная/Статья.txt"), "текст");
    const QString secret = tmp.path() + QStringLiteral("/ключ");
    put(secret, "PRIVATE KEY");
    ASSERT_TRUE(QFile::link(secret, c + QStringLiteral("/Основная/Ключ.txt")));
    ASSERT_TRUE(QFile::link(c + QStringLiteral("/Основная"), c + QStringLiteral("/Основная/Петля")));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), c + QStringLiteral("/Основная/Нули.rtf")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(c + QStringLiteral("/Основная/Канал.txt")).constData(), 0600), 0);

    const QString base = tmp.path() + QStringLiteral("/база.mdb");
    ASSERT_EQ(tool({QStringLiteral("create"), base}).code, 0);
    const ToolRun r = tool({QStringLiteral("import"), c, base});
    EXPECT_NE(r.code, 0);
    for (const char* name : {"Ключ.txt", "Петля", "Нули.rtf", "Канал.txt"})
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(name))) << name << ": " << r.err.toStdString();
    EXPECT_FALSE(r.err.contains(QStringLiteral("Статья.txt")));
    EXPECT_TRUE(dumpRows(base).empty());

    for (const char* name : {"Ключ.txt", "Петля", "Нули.rtf", "Канал.txt"})
        ASSERT_TRUE(QFile::remove(c + QStringLiteral("/Основная/") + QString::fromUtf8(name)));
    {
        QFile huge(c + QStringLiteral("/Основная/Образ диска.rtf"));  // sparse: no disk is used
        ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
        ASSERT_TRUE(huge.resize(qint64(101) * 1024 * 1024));
    }
    const ToolRun h = tool({QStringLiteral("import"), c, base});
    EXPECT_NE(h.code, 0);
    EXPECT_TRUE(h.err.contains(QStringLiteral("Образ диска.rtf"))) << h.err.toStdString();
    EXPECT_TRUE(h.err.contains(QStringLiteral("100 МБ"))) << h.err.toStdString();
    EXPECT_TRUE(dumpRows(base).empty());
}

// "%1" inside a name is text like any other: in the rows, in import messages,
// in what check and compact print about the base.
TEST(BaseTool, NamesHoldingPlaceholdersComeThroughUnchanged)
{
    QTemporaryDir tmp;
    const QString c = tmp.path() + QStringLiteral("/Содержимое");
    put(c + QStringLiteral("/Основная/50%1 off.txt"), "скидка");
    const QString base = tmp.path() + QStringLiteral("/база %2 %1.mdb");
    ASSERT_EQ(tool({QStringLiteral("create"), base}).code, 0);
    ASSERT_EQ(tool({QStringLiteral("import"), c, base}).code, 0);
    const auto rows = dumpRows(base);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][QStringLiteral("c2")].toString(), QStringLiteral("50%1 off"));
    for (const char* cmd : {"check", "compact"}) {
        const ToolRun r = tool({QString::fromLatin1(cmd), base});
        EXPECT_EQ(r.code, 0) << cmd << ": " << r.err.toStdString();
        EXPECT_TRUE(r.out.contains(QStringLiteral("«%1»").arg(base))) << cmd << ": " << r.out.toStdString();
    }

    put(c + QStringLiteral("/Основная/50%1 off.meta"), "color=red\n");
    const ToolRun r = tool({QStringLiteral("import"), c, base});
    EXPECT_NE(r.code, 0);
    EXPECT_TRUE(r.err.contains(QStringLiteral("50%1 off.meta», строка 1: неизвестный ключ «color»")))
        << r.err.toStdString();
}
