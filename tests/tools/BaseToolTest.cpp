// kodrix-base as base authors use it: create, import a content folder, dump, check.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

using testsupport::readFile;
using testsupport::writeFile;

namespace {

struct ToolRun {
    int code;
    QString out;
    QString err;
};

ToolRun tool(const QStringList& args)
{
    QProcess p;
    p.start(testsupport::binDir() + QStringLiteral("/kodrix-base"), args);
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

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
