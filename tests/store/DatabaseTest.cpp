#include "StoreFixture.h"

#include "TestSupport.h"

#include <QCryptographicHash>
#include <QFile>
#include <QRandomGenerator>

#include <sqlite3.h>

using namespace store;
using testsupport::readFile;
using testsupport::writeFile;

class DatabaseTest : public StoreFixture {
public:
    // A plain SQLite file made with the engine, no key.
    void makePlainSqlite(const QString& path, const char* sql)
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    }
    // A keyed base whose table is not the one the program needs.
    void makeKeyed(const QString& path, const QString& password, const char* sql)
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
        const QByteArray key = "PRAGMA key = '" + password.toUtf8() + "'";
        ASSERT_EQ(sqlite3_exec(db, key.constData(), nullptr, nullptr, nullptr), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    }
};

TEST_F(DatabaseTest, FileIsEncryptedAndOpensWithThePasswordAlone)
{
    {
        auto db = create();
        auto rs = recordset(db);
        add(*rs, QStringLiteral("Строки"), QStringLiteral("Функция Mid"));
    }
    const QByteArray bytes = readFile(m_path);
    EXPECT_FALSE(bytes.startsWith("SQLite format 3"));
    EXPECT_FALSE(bytes.contains(QStringLiteral("Функция").toUtf8()));

    // Without a key the engine cannot read it; with the bare passphrase it can.
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(m_path).constData(), &raw), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(raw, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr), SQLITE_NOTADB);
    sqlite3_close(raw);
    ASSERT_EQ(sqlite3_open(QFile::encodeName(m_path).constData(), &raw), SQLITE_OK);
    sqlite3_exec(raw, "PRAGMA key='orchidmaplebrook'", nullptr, nullptr, nullptr);
    EXPECT_EQ(sqlite3_exec(raw, "SELECT Name FROM main", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(raw);
}

struct BadBase {
    const char* name;
    std::function<void(DatabaseTest*, const QString&)> make;
    const char* reason;  // part of the message
};

TEST_F(DatabaseTest, BadBasesFailWithAMessageNamingTheFileAndLeaveItUntouched)
{
    const std::vector<BadBase> cases = {
        {"missing", [](DatabaseTest*, const QString&) {}, "не найден"},
        {"empty", [](DatabaseTest*, const QString& p) { writeFile(p, QByteArray()); }, "пуст"},
        {"other password",
         [](DatabaseTest* t, const QString& p) {
             t->makeKeyed(p, QStringLiteral("другой"), "CREATE TABLE main(a,b,c,d,e,f,g,h,i,j,k,l,m,n,o,p)");
         },
         "неверный пароль"},
        {"plain sqlite",
         [](DatabaseTest* t, const QString& p) { t->makePlainSqlite(p, "CREATE TABLE main(a)"); },
         "незашифрованная"},
        {"random bytes",
         [](DatabaseTest*, const QString& p) {
             QByteArray junk(64 * 1024, '\0');
             for (auto& c : junk)
                 c = char(QRandomGenerator::global()->bounded(256));
             writeFile(p, junk);
         },
         "повреждён"},
        {"text file", [](DatabaseTest*, const QString& p) { writeFile(p, "Standard Jet DB\r\n"); }, "повреждён"},
        {"no table main",
         [](DatabaseTest* t, const QString& p) {
             t->makeKeyed(p, QStringLiteral("orchidmaplebrook"), "CREATE TABLE other(a)");
         },
         "нет таблицы"},
        {"too few columns",
         [](DatabaseTest* t, const QString& p) {
             t->makeKeyed(p, QStringLiteral("orchidmaplebrook"), "CREATE TABLE main(a,b,c)");
         },
         "3 столбцов"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(m_path);
        c.make(this, m_path);
        const bool existed = QFile::exists(m_path);
        const QByteArray before = readFile(m_path);
        auto db = Database::open(m_path);
        ASSERT_FALSE(db.ok());
        EXPECT_TRUE(db.message().contains(QStringLiteral("basemain.mdb"))) << db.message().toStdString();
        EXPECT_TRUE(db.message().contains(QString::fromUtf8(c.reason))) << db.message().toStdString();
        EXPECT_EQ(QFile::exists(m_path), existed);
        EXPECT_EQ(readFile(m_path), before);
    }
}

TEST_F(DatabaseTest, TruncatedBaseFailsOnOpenOrFirstRead)
{
    {
        auto db = create();
        auto rs = recordset(db);
        ASSERT_TRUE(db->beginBatch().ok());
        for (int i = 0; i < 3000; ++i)
            add(*rs, QStringLiteral("Папка"), QStringLiteral("Длинное название записи номер %1").arg(i));
        ASSERT_TRUE(db->commitBatch().ok());
    }
    QByteArray bytes = readFile(m_path);
    ASSERT_GT(bytes.size(), 64 * 1024);
    bytes.truncate(bytes.size() / 3 + 100);  // cut mid-page
    ASSERT_TRUE(writeFile(m_path, bytes));
    QFile::remove(m_path + QStringLiteral("-wal"));
    auto db = Database::open(m_path);
    if (db.ok()) {
        auto rs = (*db)->openRecordset();
        ASSERT_FALSE(rs.ok());
        EXPECT_TRUE(rs.message().contains(QStringLiteral("basemain.mdb")));
    }
    EXPECT_EQ(readFile(m_path), bytes);
}

TEST_F(DatabaseTest, CreateRefusesAnExistingFile)
{
    ASSERT_TRUE(writeFile(m_path, "important"));
    auto db = Database::create(m_path);
    ASSERT_FALSE(db.ok());
    EXPECT_TRUE(db.message().contains(QStringLiteral("уже существует")));
    EXPECT_EQ(readFile(m_path), QByteArray("important"));
}

TEST_F(DatabaseTest, CompactionKeepsRowsOrderAndPassword)
{
    {
        auto db = create();
        auto rs = recordset(db);
        ASSERT_TRUE(db->beginBatch().ok());
        for (int i = 1; i <= 2000; ++i)
            add(*rs, QStringLiteral("П"), QString::number(i));
        ASSERT_TRUE(db->commitBatch().ok());
        rs->moveFirst();
        for (int i = 1; i <= 2000; ++i) {
            if (i % 2 == 0) {
                ASSERT_TRUE(rs->remove().ok());
            }
            rs->moveNext();
        }
    }
    const QString copy = m_dir + QStringLiteral("/dbbackup.mdb");
    auto compacted = Database::compact(m_path, copy);
    ASSERT_TRUE(compacted.ok()) << compacted.message().toStdString();
    EXPECT_FALSE(Database::compact(m_path, copy).ok());  // never overwrites
    auto db = Database::open(copy);
    ASSERT_TRUE(db.ok()) << db.message().toStdString();
    auto rs = recordset(*db);
    ASSERT_EQ(rs->recordCount(), 1000);
    int expected = 1;
    for (rs->moveFirst(); !rs->eof(); rs->moveNext(), expected += 2)
        ASSERT_EQ(rs->text(ColName).toInt(), expected);
    // New rows still come last after compaction.
    add(*rs, QString(), QStringLiteral("после"));
    auto again = recordset(*db);
    again->moveLast();
    EXPECT_EQ(again->text(ColName), QStringLiteral("после"));
}
