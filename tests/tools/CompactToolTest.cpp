// kodrix-base compact under real failures: the process killed at random
// moments, writes refused by a file-size limit, a folder that cannot be
// written. Each time the base opens afterwards with every row in order.
#include "TestSupport.h"

#include "store/Database.h"
#include "store/Recordset.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>
#include <sys/types.h>
#include <unistd.h>

using namespace store;

namespace {

QString toolPath() { return testsupport::binDir() + QStringLiteral("/kodrix-base"); }

using ProcessRun = testsupport::ToolRun;

ProcessRun run(const QString& program, const QStringList& args) { return testsupport::runProgram(program, args, 300000); }

// Every column of every row in the order the program reads them.
QByteArray rowsDigest(const QString& path)
{
    auto db = Database::open(path);
    if (!db)
        return "cannot open: " + db.message().toUtf8();
    auto rs = (*db)->openRecordset();
    if (!rs)
        return "cannot read: " + rs.message().toUtf8();
    QCryptographicHash h(QCryptographicHash::Sha256);
    qint64 rows = 0;
    for ((*rs)->moveFirst(); !(*rs)->eof(); (*rs)->moveNext(), ++rows) {
        for (int c = 0; c < ColumnCount; ++c) {
            const QVariant v = (*rs)->value(c);
            h.addData(v.isNull() ? QByteArray("<null>") : c == ColArchive ? v.toByteArray() : v.toString().toUtf8());
            h.addData(QByteArray(1, '\x1f'));
        }
    }
    return QByteArray::number(rows) + ':' + h.result().toHex();
}

QStringList leftovers(const QString& dir)
{
    return QDir(dir).entryList({QStringLiteral("*-wal"), QStringLiteral("*-shm"), QStringLiteral("dbbackup*")},
                               QDir::AllEntries | QDir::System | QDir::Hidden);
}

class CompactToolTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (!QFileInfo::exists(toolPath()))
            GTEST_SKIP() << "kodrix-base is not built";
        dir = tmp.path() + QStringLiteral("/Сжатие базы");
        QDir().mkpath(dir);
        base = dir + QStringLiteral("/basemain.mdb");
        const ProcessRun g = run(toolPath(), {QStringLiteral("generate"), base, QStringLiteral("--rows"), QStringLiteral("1200")});
        ASSERT_EQ(g.code, 0) << g.err.toStdString();
        // Rows removed leave free pages, so the copy really differs from the file.
        auto db = Database::open(base);
        ASSERT_TRUE(db.ok());
        auto rs = (*db)->openRecordset();
        ASSERT_TRUE((*db)->beginBatch().ok());
        (*rs)->moveFirst();
        for (int i = 1; !(*rs)->eof(); ++i) {
            if (i % 3 == 0) {
                ASSERT_TRUE((*rs)->remove().ok());
            }
            (*rs)->moveNext();
        }
        ASSERT_TRUE((*db)->commitBatch().ok());
        rs->reset();
        (*db)->close();
        digest = rowsDigest(base);
        ASSERT_TRUE(digest.startsWith("800:")) << digest.constData();
    }

    QTemporaryDir tmp;
    QString dir;
    QString base;
    QByteArray digest;
};

}  // namespace

TEST_F(CompactToolTest, KilledAtAnyMomentTheBaseStillOpensWithEveryRowInOrder)
{
    // How long one whole run takes, here and now.
    QFile::copy(base, dir + QStringLiteral("/измерение.mdb"));
    QElapsedTimer timer;
    timer.start();
    const ProcessRun whole = run(toolPath(), {QStringLiteral("compact"), dir + QStringLiteral("/измерение.mdb")});
    const qint64 duration = timer.elapsed();
    ASSERT_EQ(whole.code, 0) << whole.err.toStdString();
    QFile::remove(dir + QStringLiteral("/измерение.mdb"));

    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator rng(seed);
    SCOPED_TRACE(testing::Message() << "seed " << seed << ", a whole run " << duration << " ms");
    for (int i = 0; i < 14; ++i) {
        const int delay = int(rng.bounded(quint32(duration + duration / 10 + 1)));
        SCOPED_TRACE(testing::Message() << "killed after " << delay << " ms");
        QProcess p;
        p.start(toolPath(), {QStringLiteral("compact"), base});
        ASSERT_TRUE(p.waitForStarted());
        QThread::msleep(quint32(delay));
        ::kill(pid_t(p.processId()), SIGKILL);
        p.waitForFinished();
        ASSERT_EQ(rowsDigest(base), digest);
    }
    // And the next run cleans up after all of them.
    const ProcessRun last = run(toolPath(), {QStringLiteral("compact"), base});
    ASSERT_EQ(last.code, 0) << last.err.toStdString();
    EXPECT_EQ(leftovers(dir), QStringList());
    EXPECT_EQ(rowsDigest(base), digest);
}

TEST_F(CompactToolTest, AWriteThatFailsKeepsTheBaseAndLeavesNoCopy)
{
    const qint64 size = QFileInfo(base).size();
    const QByteArray before = testsupport::readFile(base);
    // A file-size limit of a quarter of the base (in the shell's blocks of 512
    // bytes, or of 1024 where it counts so: half) makes the copy's writes fail.
    const QString limit = QString::number(size / 4 / 512);
    const ProcessRun r = run(QStringLiteral("/bin/sh"),
                      {QStringLiteral("-c"), QStringLiteral("trap '' XFSZ; ulimit -f %1 && exec \"$0\" compact \"$1\"").arg(limit),
                       toolPath(), base});
    EXPECT_EQ(r.code, 1) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("dbbackup.mdb"))) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("База осталась прежней"))) << r.err.toStdString();
    EXPECT_TRUE(testsupport::readFile(base) == before);
    EXPECT_EQ(leftovers(dir), QStringList());
    EXPECT_EQ(rowsDigest(base), digest);
}

TEST_F(CompactToolTest, AFolderThatCannotBeWrittenKeepsTheBase)
{
    const QByteArray before = testsupport::readFile(base);
    ProcessRun r;
    if (::geteuid() != 0) {
        QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner);
        r = run(toolPath(), {QStringLiteral("compact"), base});
        QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    } else {
        // Permissions do not stop the superuser: the folder is mounted read-only
        // in a mount namespace of the child's own.
        r = run(QStringLiteral("unshare"),
                {QStringLiteral("-m"), QStringLiteral("/bin/sh"), QStringLiteral("-c"),
                 QStringLiteral("mount --bind \"$1\" \"$1\" && mount -o remount,ro,bind \"$1\" \"$1\" && echo mounted "
                                "&& exec \"$0\" compact \"$1/basemain.mdb\""),
                 toolPath(), dir});
        if (!r.out.startsWith(QLatin1String("mounted")))
            GTEST_SKIP() << "no read-only mount possible here: " << r.err.toStdString();
    }
    EXPECT_EQ(r.code, 1) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("basemain.mdb"))) << r.err.toStdString();
    EXPECT_TRUE(testsupport::readFile(base) == before);
    EXPECT_EQ(leftovers(dir), QStringList());
    EXPECT_EQ(rowsDigest(base), digest);
}

TEST_F(CompactToolTest, ExportWritesTheEntryInTheFormatItsNameAsks)
{
    // The generator's first entry is an article in one of its folders.
    auto db = Database::open(base);
    ASSERT_TRUE(db.ok());
    auto rs = (*db)->openRecordset();
    QString reference;
    for ((*rs)->moveFirst(); !(*rs)->eof() && reference.isEmpty(); (*rs)->moveNext())
        if ((*rs)->integer(ColKind) == KindArticle)
            reference = (*rs)->text(ColPath) + QLatin1Char('\\') + (*rs)->text(ColName);
    rs->reset();
    (*db)->close();
    for (const char* name : {"статья.pdf", "статья.html", "статья.txt"}) {
        const QString out = tmp.path() + QLatin1Char('/') + QString::fromUtf8(name);
        const ProcessRun r = run(toolPath(), {QStringLiteral("export"), base, reference, out});
        EXPECT_EQ(r.code, 0) << name << r.err.toStdString();
        EXPECT_GT(QFileInfo(out).size(), 100) << name;
    }
    const ProcessRun bad = run(toolPath(), {QStringLiteral("export"), base, reference, tmp.path() + QStringLiteral("/x.odt")});
    EXPECT_EQ(bad.code, 1);
    EXPECT_TRUE(bad.err.contains(QStringLiteral(".pdf, .html или .txt"))) << bad.err.toStdString();
}
