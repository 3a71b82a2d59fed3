// kodrix-base text and roundtrip, run as the program they are.
#include "richtext/Rtf.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextDocument>

namespace {

struct ToolRun {
    int status = -1;
    QByteArray out, err;
};

ToolRun runTool(const QStringList& args)
{
    QProcess p;
    p.start(testsupport::binDir() + QStringLiteral("/kodrix-base"), args);
    p.waitForFinished(60000);
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

class Tool : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QFileInfo(testsupport::binDir() + QStringLiteral("/kodrix-base")).isExecutable())
            GTEST_SKIP() << "kodrix-base is not built";
    }
};

TEST_F(Tool, TextAndRoundtrip)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString in = dir.filePath(QStringLiteral("статья.rtf"));
    const QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fcharset204 Arial CYR;}}\\f0 \\'cf\\'f0\\'e8\\b \\'e2\\'e5\\'f2\\par}";
    ASSERT_TRUE(testsupport::writeFile(in, rtf));

    const ToolRun text = runTool({QStringLiteral("text"), in});
    EXPECT_EQ(text.status, 0) << text.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(text.out), QStringLiteral("Привет\n"));

    const QString out = dir.filePath(QStringLiteral("копия.rtf"));
    const ToolRun trip = runTool({QStringLiteral("roundtrip"), in, out});
    EXPECT_EQ(trip.status, 0) << trip.err.toStdString();
    QTextDocument doc;
    richtext::readRtf(rtf, &doc);
    EXPECT_EQ(testsupport::readFile(out), richtext::writeRtf(&doc));
}

TEST_F(Tool, ErrorsGoToStderr)
{
    for (const QStringList& args : {QStringList{QStringLiteral("text"), QStringLiteral("/нет/такого.rtf")},
                                    QStringList{QStringLiteral("text")},
                                    QStringList{QStringLiteral("roundtrip"), QStringLiteral("/нет/такого.rtf"),
                                                QStringLiteral("/tmp/x.rtf")}}) {
        SCOPED_TRACE(args.join(u' ').toStdString());
        const ToolRun r = runTool(args);
        EXPECT_NE(r.status, 0);
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_FALSE(r.err.isEmpty());
    }
    const ToolRun help = runTool({QStringLiteral("text"), QStringLiteral("--help")});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.contains("text FILE.rtf"));
}

}  // namespace
