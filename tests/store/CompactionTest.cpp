// Compaction in place: the copy is checked before it replaces the base, and a
// fault at any step leaves the base exactly as it was.
#include "StoreFixture.h"

#include "TestSupport.h"
#include "store/Compaction.h"
#include "store/StoreTexts.h"
#include "store/ReadOnlyCheck.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

#include <sqlite3.h>

#include <cstdlib>
#include <unistd.h>

using namespace store;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

// Every column of every row, in the order the program reads them.
QByteArray rowsDigest(const QString& path)
{
    auto db = Database::open(path);
    if (!db)
        return "cannot open: " + db.message().toUtf8();
    auto rs = (*db)->openRecordset();
    if (!rs)
        return "cannot read: " + rs.message().toUtf8();
    QCryptographicHash h(QCryptographicHash::Sha256);
    for ((*rs)->moveFirst(); !(*rs)->eof(); (*rs)->moveNext()) {
        for (int c = 0; c < ColumnCount; ++c) {
            const QVariant v = (*rs)->value(c);
            h.addData(v.isNull() ? QByteArray("<null>") : c == ColArchive ? v.toByteArray() : v.toString().toUtf8());
            h.addData(QByteArray(1, '\x1f'));
        }
    }
    return h.result().toHex();
}

void exec(const QString& path, const char* sql)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
    sqlite3_exec(db, "PRAGMA key='orchidmaplebrook'", nullptr, nullptr, nullptr);
    char* err = nullptr;
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, &err), SQLITE_OK) << (err ? err : "");
    sqlite3_free(err);
    sqlite3_close(db);
}

QStringList leftovers(const QString& dir)
{
    return QDir(dir).entryList({QStringLiteral("*-wal"), QStringLiteral("*-shm"), QStringLiteral("*-journal"),
                                QStringLiteral("dbbackup*")},
                               QDir::AllEntries | QDir::System | QDir::Hidden);
}

class CompactionTest : public StoreFixture {
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        m_backup = m_dir + QStringLiteral("/dbbackup.mdb");
        auto db = create();
        ASSERT_TRUE(db);
        auto rs = recordset(db);
        QByteArray every;
        for (int b = 0; b < 256; ++b)
            every += char(b);
        ASSERT_TRUE(db->beginBatch().ok());
        for (int i = 1; i <= 600; ++i) {
            rs->addNew();
            ASSERT_TRUE(rs->setValue(ColPath, QStringLiteral("Графика\\API")).ok());
            ASSERT_TRUE(rs->setValue(ColName, QStringLiteral("Статья №%1").arg(i)).ok());
            ASSERT_TRUE(rs->setValue(ColBody, QString(QStringLiteral("Ёжик в тумане. ").repeated(40 + i % 300))).ok());
            ASSERT_TRUE(rs->setValue(ColArchive, every.repeated(1 + i % 7)).ok());
            ASSERT_TRUE(rs->setValue(ColKind, 1).ok());
            ASSERT_TRUE(rs->setValue(ColBaseName, QStringLiteral("Основная")).ok());
            ASSERT_TRUE(rs->update().ok());
        }
        ASSERT_TRUE(db->commitBatch().ok());
        // Removed rows leave free pages, and the last Id used is one no row has now.
        ASSERT_TRUE(db->beginBatch().ok());
        rs->moveFirst();
        for (int i = 1; i <= 600; ++i) {
            if (i % 3 == 0 || i == 600) {
                ASSERT_TRUE(rs->remove().ok());
            }
            rs->moveNext();
        }
        ASSERT_TRUE(db->commitBatch().ok());
        // Search data of the kind another part of the program keeps in the base.
        ASSERT_EQ(sqlite3_exec(db->handle(),
                               "CREATE VIRTUAL TABLE search USING fts5(body);"
                               "INSERT INTO search(rowid, body) SELECT Id, Body FROM main;"
                               "CREATE TABLE search_state(version INTEGER);"
                               "INSERT INTO search_state VALUES (3);",
                               nullptr, nullptr, nullptr),
                  SQLITE_OK)
            << db->engineMessage().toStdString();
        db->close();
        m_digest = rowsDigest(m_path);
        m_bytes = readFile(m_path);
    }

    // The base is byte for byte what it was, and nothing else is left beside it.
    void expectUntouched()
    {
        EXPECT_TRUE(readFile(m_path) == m_bytes) << "the base file changed";
        EXPECT_EQ(leftovers(m_dir), QStringList());
        EXPECT_EQ(rowsDigest(m_path), m_digest);
    }

    QString m_backup;
    QByteArray m_digest;
    QByteArray m_bytes;
};

}  // namespace

TEST_F(CompactionTest, ReplacesTheBaseWithASmallerCopyHoldingEveryRowAndTableInOrder)
{
    auto report = Compaction(m_path, m_backup).run();
    ASSERT_TRUE(report.ok()) << report.message().toStdString();
    EXPECT_EQ(report->rows, 400);
    EXPECT_EQ(report->bytesBefore, m_bytes.size());
    EXPECT_LT(report->bytesAfter, report->bytesBefore);
    EXPECT_EQ(QFileInfo(m_path).size(), report->bytesAfter);
    EXPECT_EQ(leftovers(m_dir), QStringList());
    EXPECT_EQ(rowsDigest(m_path), m_digest);

    auto db = Database::open(m_path);
    ASSERT_TRUE(db.ok()) << db.message().toStdString();
    sqlite3* h = (*db)->handle();
    auto one = [h](const char* sql) {
        sqlite3_stmt* st = nullptr;
        QString v;
        if (sqlite3_prepare_v2(h, sql, -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
            v = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        sqlite3_finalize(st);
        return v;
    };
    // The search data came along and still answers; the log mode is kept.
    EXPECT_EQ(one("SELECT count(*) FROM search WHERE search MATCH 'ёжик'"), QStringLiteral("400"));
    EXPECT_EQ(one("SELECT version FROM search_state"), QStringLiteral("3"));
    EXPECT_EQ(one("PRAGMA journal_mode"), QStringLiteral("wal"));
    EXPECT_TRUE((*db)->hasSmallColumnIndex());
    // Ids are never given twice: the next row comes after the last one ever used.
    auto rs = recordset(*db);
    add(*rs, QStringLiteral("После"), QStringLiteral("сжатия"));
    EXPECT_EQ(one("SELECT max(Id) FROM main"), QStringLiteral("601"));
    rs.reset();
    (*db)->close();

    // Twice in a row is as good as once.
    auto again = Compaction(m_path, m_backup).run();
    ASSERT_TRUE(again.ok()) << again.message().toStdString();
    EXPECT_EQ(again->rows, 401);
    EXPECT_EQ(leftovers(m_dir), QStringList());
}

TEST_F(CompactionTest, ALeftoverCopyFromAnInterruptedRunIsRemovedFirst)
{
    ASSERT_TRUE(writeFile(m_backup, QByteArray(5000, 'x')));
    ASSERT_TRUE(writeFile(m_backup + QStringLiteral("-wal"), QByteArray(100, 'y')));
    ASSERT_TRUE(writeFile(m_backup + QStringLiteral("-shm"), QByteArray(100, 'z')));
    auto report = Compaction(m_path, m_backup).run();
    ASSERT_TRUE(report.ok()) << report.message().toStdString();
    EXPECT_EQ(leftovers(m_dir), QStringList());
    EXPECT_EQ(rowsDigest(m_path), m_digest);
}

TEST_F(CompactionTest, AFaultAtAnyStepLeavesTheBaseAsItWasAndNoCopy)
{
    using Step = Compaction::Step;
    for (Step failing : {Step::RemoveLeftover, Step::ReadOriginal, Step::Copy, Step::Verify, Step::MakeDurable,
                         Step::Replace}) {
        SCOPED_TRACE(int(failing));
        Compaction c(m_path, m_backup);
        std::vector<Step> reached;
        c.beforeStep = [&](Step s) -> Result<void> {
            reached.push_back(s);
            if (s == failing)
                return Error{QStringLiteral("нет места на диске")};
            return {};
        };
        auto report = c.run();
        ASSERT_FALSE(report.ok());
        EXPECT_EQ(reached.back(), failing);
        EXPECT_TRUE(report.message().contains(QStringLiteral("«%1»").arg(QDir::toNativeSeparators(m_path))))
            << report.message().toStdString();
        EXPECT_TRUE(report.message().contains(QStringLiteral("нет места на диске")));
        expectUntouched();
    }
}

TEST_F(CompactionTest, ACopyThatLostARowOrWasDamagedNeverReplacesTheBase)
{
    struct Case {
        const char* name;
        std::function<void(const QString& copy)> spoil;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {"a row missing", [](const QString& copy) { exec(copy, "DELETE FROM main WHERE Id = 7"); },
         "«main» 399 строк, а в базе 400"},
        {"search data missing", [](const QString& copy) { exec(copy, "DELETE FROM search_state"); },
         "«search_state» 0 строк, а в базе 1"},
        {"pages overwritten",
         [](const QString& copy) {
             QFile f(copy);
             ASSERT_TRUE(f.open(QIODevice::ReadWrite));
             f.seek(f.size() / 2);
             f.write(QByteArray(8192, '\0'));
         },
         "повреждена"},
        {"another key", [](const QString& copy) { exec(copy, "PRAGMA rekey = 'другой'"); }, "неверный пароль"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Compaction c(m_path, m_backup);
        c.beforeStep = [&](Compaction::Step s) -> Result<void> {
            if (s == Compaction::Step::Verify)
                k.spoil(m_backup);
            return {};
        };
        auto report = c.run();
        ASSERT_FALSE(report.ok());
        EXPECT_TRUE(report.message().contains(QString::fromUtf8(k.expected))) << report.message().toStdString();
        EXPECT_TRUE(report.message().contains(QStringLiteral("dbbackup.mdb"))) << report.message().toStdString();
        expectUntouched();
    }
}

TEST_F(CompactionTest, RefusesABaseThatIsOpenElsewhereOrCannotBeCleared)
{
    {
        // Another connection's log would be written into the old file after the rename.
        auto other = Database::open(m_path);
        ASSERT_TRUE(other.ok());
        auto rs = recordset(*other);
        rs->moveFirst();
        auto report = Compaction(m_path, m_backup).run();
        ASSERT_FALSE(report.ok());
        EXPECT_TRUE(report.message().contains(QStringLiteral("открыта ещё где-то"))) << report.message().toStdString();
        EXPECT_TRUE(report.message().contains(QStringLiteral("basemain.mdb-wal")));
        EXPECT_FALSE(QFile::exists(m_backup));
    }
    expectUntouched();

    // A leftover that cannot be deleted (here a folder of that name) stops it first.
    ASSERT_TRUE(QDir().mkpath(m_backup + QStringLiteral("/busy")));
    auto report = Compaction(m_path, m_backup).run();
    ASSERT_FALSE(report.ok());
    EXPECT_TRUE(report.message().contains(QStringLiteral("не удалось удалить файл"))) << report.message().toStdString();
    EXPECT_TRUE(report.message().contains(QStringLiteral("dbbackup.mdb")));
    EXPECT_TRUE(readFile(m_path) == m_bytes);
    ASSERT_TRUE(QDir(m_backup).removeRecursively());

    auto missing = Compaction(m_dir + QStringLiteral("/нет.mdb"), m_backup).run();
    ASSERT_FALSE(missing.ok());
    EXPECT_TRUE(missing.message().contains(QStringLiteral("нет.mdb»: файл не найден"))) << missing.message().toStdString();
}

TEST_F(CompactionTest, ALinkToTheBaseStaysALinkAndItsFileIsCompacted)
{
    const QString link = m_tmp.path() + QStringLiteral("/ссылка.mdb");
    ASSERT_TRUE(QFile::link(m_path, link));
    auto report = Compaction(link, m_backup).run();
    ASSERT_TRUE(report.ok()) << report.message().toStdString();
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_LT(QFileInfo(m_path).size(), m_bytes.size());
    EXPECT_EQ(rowsDigest(link), m_digest);
}

TEST_F(CompactionTest, ABaseThatMayOnlyBeReadIsRefusedUntouched)
{
    // Permissions do not stop the superuser; the immutable attribute does.
    const bool root = ::geteuid() == 0;
    const QString quoted = QStringLiteral("\"%1\"").arg(m_path);
    if (root ? std::system(("chattr +i " + quoted.toLocal8Bit() + " 2>/dev/null").constData()) != 0
             : !QFile::setPermissions(m_path, QFile::ReadOwner))
        GTEST_SKIP() << "the base file cannot be made read-only here";
    auto db = Database::open(m_path);
    ASSERT_TRUE(db.ok()) << db.message().toStdString();
    EXPECT_TRUE(openedReadOnly(**db));
    (*db)->close();
    // A connection that may only read cannot delete its log files.
    QFile::remove(m_path + QStringLiteral("-wal"));
    QFile::remove(m_path + QStringLiteral("-shm"));
    auto report = Compaction(m_path, m_backup).run();
    if (root)
        std::system(("chattr -i " + quoted.toLocal8Bit()).constData());
    else
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner);
    ASSERT_FALSE(report.ok());
    EXPECT_EQ(report.message(), store::texts::readOnlyBase(m_path));
    EXPECT_TRUE(report.message().startsWith(QStringLiteral("База открыта только для чтения")));
    expectUntouched();
}
