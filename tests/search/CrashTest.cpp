// A program killed while it writes article text leaves the search data in step
// with Body: both change in one transaction or neither does.
#include "SearchFixture.h"

#include "richtext/Rtf.h"
#include "search/SearchData.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

#include <sqlite3.h>

#include <cstdio>

using namespace searchtest;

namespace {

const char* const BaseVariable = "KODRIX_SEARCH_CRASH_BASE";

class SearchCrash : public SearchBase {};

// Every row's stored text is the one its Body gives, and no row lacks one.
void expectInStep(store::Database& db)
{
    sqlite3_stmt* st = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db.handle(), "SELECT m.Id, m.Body, s.Text FROM main m LEFT JOIN kx_search_v1 s ON s.Id = m.Id",
                                 -1, &st, nullptr),
              SQLITE_OK);
    int rows = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        ++rows;
        ASSERT_NE(sqlite3_column_type(st, 2), SQLITE_NULL) << "row " << sqlite3_column_int64(st, 0) << " has no text";
        const QByteArray body(static_cast<const char*>(sqlite3_column_blob(st, 1)), sqlite3_column_bytes(st, 1));
        const QByteArray text(static_cast<const char*>(sqlite3_column_blob(st, 2)), sqlite3_column_bytes(st, 2));
        EXPECT_EQ(text, search::searchTextOf(body)) << "row " << sqlite3_column_int64(st, 0);
    }
    sqlite3_finalize(st);
    EXPECT_EQ(rows, 6);
}

}  // namespace

// Run by the test below in a process of its own: writes article text as the
// editor does, with the search data kept by the store's hook, until killed.
TEST_F(SearchCrash, DISABLED_EditsUntilKilled)
{
    const QString path = qEnvironmentVariable(BaseVariable);
    if (path.isEmpty())
        GTEST_SKIP();
    auto opened = store::Database::open(path);
    ASSERT_TRUE(opened.ok());
    db = *opened;
    rs = std::move(*db->openRecordset());
    engine();
    for (qint64 n = 1;; ++n) {
        setBody(1 + n % rs->recordCount(), rtf(QStringLiteral("версия %1 ").arg(n).repeated(400)));
        if (n == 1) {
            std::puts("ready");
            std::fflush(stdout);
        }
    }
}

TEST_F(SearchCrash, KilledDuringAnEditLeavesSearchDataInStepWithBody)
{
    make({article(QStringLiteral("А"), QStringLiteral("1"), QStringLiteral("начало")),
          article(QStringLiteral("А"), QStringLiteral("2"), QStringLiteral("начало")),
          article(QStringLiteral("А"), QStringLiteral("3"), QStringLiteral("начало")),
          article(QStringLiteral("А"), QStringLiteral("4"), QStringLiteral("начало")),
          article(QStringLiteral("А"), QStringLiteral("5"), QStringLiteral("начало")),
          article(QStringLiteral("А"), QStringLiteral("6"), QStringLiteral("начало"))});
    ASSERT_EQ(find(QStringLiteral("начало")).size(), 6);
    dropEngine();
    rs.reset();
    db.reset();

    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(BaseVariable), basePath());
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_also_run_disabled_tests"),
                     QStringLiteral("--gtest_filter=SearchCrash.DISABLED_EditsUntilKilled")});
        QByteArray out;
        QElapsedTimer waited;
        waited.start();
        while (!out.contains("ready") && waited.elapsed() < 30000 && child.state() != QProcess::NotRunning) {
            child.waitForReadyRead(100);
            out += child.readAllStandardOutput();
        }
        ASSERT_TRUE(out.contains("ready")) << out.toStdString();
        QThread::msleep(40 + 90 * round);
        child.kill();  // SIGKILL: no destructor, no rollback, no checkpoint
        child.waitForFinished();

        auto opened = store::Database::open(basePath());
        ASSERT_TRUE(opened.ok()) << opened.message().toStdString();
        db = *opened;
        expectInStep(*db);
        // The newest text is found, by the same search the window runs.
        rs = std::move(*db->openRecordset());
        qint64 newest = 0;
        for (rs->moveFirst(); !rs->eof(); rs->moveNext()) {
            const QString text = richtext::plainText(rs->bytes(store::ColBody));
            if (text.startsWith(QStringLiteral("версия ")))
                newest = std::max(newest, text.section(QLatin1Char(' '), 1, 1).toLongLong());
        }
        ASSERT_GT(newest, 0);
        EXPECT_EQ(find(QStringLiteral("версия %1 ").arg(newest)).size(), 1);
        dropEngine();
        rs.reset();
        db.reset();
    }
}
