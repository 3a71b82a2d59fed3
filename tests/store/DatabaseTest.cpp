#include "StoreFixture.h"

#include "TestSupport.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
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
        {"text file", [](DatabaseTest*, const QString& p) { writeFile(p, "Standard Jet DB\r\n"); }, "не база Kodrix"},
        {"whole pages of text",
         [](DatabaseTest*, const QString& p) { writeFile(p, QByteArray(8192, 'x').replace(0, 15, "Standard Jet DB")); },
         "не база Kodrix"},
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

namespace {

QStringList filesIn(const QString& dir) { return QDir(dir).entryList(QDir::Files | QDir::Hidden); }

}  // namespace

TEST_F(DatabaseTest, ADamagedFileIsToldFromAWrongPasswordAndALock)
{
    {
        auto db = create();
        auto rs = recordset(db);
        ASSERT_TRUE(db->beginBatch().ok());
        for (int i = 0; i < 400; ++i)
            add(*rs, QStringLiteral("Папка"), QStringLiteral("Запись %1").arg(i));
        ASSERT_TRUE(db->commitBatch().ok());
    }
    const QByteArray good = readFile(m_path);
    ASSERT_GT(good.size(), 4 * 4096);

    // Page 1 damaged: the key is right, the other pages prove it.
    QByteArray damaged = good;
    for (int i = 200; i < 260; ++i)
        damaged[i] = char(~damaged[i]);
    ASSERT_TRUE(writeFile(m_path, damaged));
    auto db = Database::open(m_path);
    ASSERT_FALSE(db.ok());
    EXPECT_TRUE(db.message().contains(QStringLiteral("файл повреждён"))) << db.message().toStdString();
    EXPECT_FALSE(db.message().contains(QStringLiteral("пароль"))) << db.message().toStdString();
    EXPECT_EQ(readFile(m_path), damaged);

    // Whole, with another password.
    ASSERT_TRUE(writeFile(m_path, good));
    db = Database::open(m_path, QStringLiteral(";PWD=другой"));
    ASSERT_FALSE(db.ok());
    EXPECT_TRUE(db.message().contains(QStringLiteral("неверный пароль"))) << db.message().toStdString();

    // Another program holds the base locked for itself.
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(m_path).constData(), &other), SQLITE_OK);
    for (const char* sql : {"PRAGMA key='orchidmaplebrook'", "PRAGMA locking_mode=EXCLUSIVE", "BEGIN EXCLUSIVE",
                            "UPDATE main SET Name = Name WHERE Id = 1"})
        ASSERT_EQ(sqlite3_exec(other, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sql;
    db = Database::open(m_path);
    ASSERT_FALSE(db.ok());
    EXPECT_TRUE(db.message().contains(QStringLiteral("занята другой программой"))) << db.message().toStdString();
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_TRUE(Database::open(m_path).ok());
}

TEST_F(DatabaseTest, AReadOnlyOpenCreatesNothingAndRefusesEveryWrite)
{
    {
        auto db = create();
        auto rs = recordset(db);
        add(*rs, QStringLiteral("Строки"), QStringLiteral("Функция Mid"));
    }
    ASSERT_EQ(filesIn(m_dir), QStringList{QStringLiteral("basemain.mdb")});
    const QByteArray before = readFile(m_path);

    auto db = Database::open(m_path, QString::fromLatin1(ConnectText), Database::Access::ReadOnly);
    ASSERT_TRUE(db.ok()) << db.message().toStdString();
    EXPECT_TRUE((*db)->readOnly());
    auto rs = recordset(*db);
    rs->moveFirst();
    EXPECT_EQ(rs->text(ColName), QStringLiteral("Функция Mid"));
    // No log files beside the base, not even while it is open.
    EXPECT_EQ(filesIn(m_dir), QStringList{QStringLiteral("basemain.mdb")});

    const std::pair<const char*, std::function<Result<void>()>> writes[] = {
        {"change", [&] {
             if (auto r = rs->edit(); !r)
                 return r;
             (void)rs->setValue(ColName, QStringLiteral("Другое"));
             return rs->update();
         }},
        {"add", [&] {
             rs->addNew();
             (void)rs->setValue(ColName, QStringLiteral("Новая"));
             return rs->update();
         }},
        {"remove", [&] { return rs->remove(); }},
    };
    for (const auto& [what, write] : writes) {
        SCOPED_TRACE(what);
        rs->cancelUpdate();
        rs->moveFirst();
        const Result<void> r = write();
        ASSERT_FALSE(r.ok());
        EXPECT_TRUE(r.message().startsWith(QStringLiteral("База открыта только для чтения"))) << r.message().toStdString();
    }
    rs.reset();
    (*db)->close();
    EXPECT_EQ(readFile(m_path), before);
    EXPECT_EQ(filesIn(m_dir), QStringList{QStringLiteral("basemain.mdb")});
}

TEST_F(DatabaseTest, AReadOnlyOpenSeesChangesStillInTheLogOfABaseNotClosedProperly)
{
    auto db = create();
    auto rs = recordset(db);
    add(*rs, QStringLiteral("П"), QStringLiteral("первая"));
    sqlite3_exec(db->handle(), "PRAGMA wal_autocheckpoint = 0", nullptr, nullptr, nullptr);
    add(*rs, QStringLiteral("П"), QStringLiteral("вторая, только в журнале"));
    // The files as a crash leaves them, in a folder of their own.
    const QString copy = m_tmp.path() + QStringLiteral("/копия");
    ASSERT_TRUE(QDir().mkpath(copy));
    for (const char* suffix : {"", "-wal", "-shm"})
        ASSERT_TRUE(QFile::copy(m_path + QString::fromLatin1(suffix),
                                copy + QStringLiteral("/basemain.mdb") + QString::fromLatin1(suffix)));
    ASSERT_GT(QFileInfo(copy + QStringLiteral("/basemain.mdb-wal")).size(), 0);
    auto ro = Database::open(copy + QStringLiteral("/basemain.mdb"), QString::fromLatin1(ConnectText),
                             Database::Access::ReadOnly);
    ASSERT_TRUE(ro.ok()) << ro.message().toStdString();
    auto rows = recordset(*ro);
    ASSERT_EQ(rows->recordCount(), 2);
    rows->moveLast();
    EXPECT_EQ(rows->text(ColName), QStringLiteral("вторая, только в журнале"));
}

TEST_F(DatabaseTest, ABaseInAFolderThatCannotBeWrittenOpensForReading)
{
    {
        auto db = create();
        auto rs = recordset(db);
        add(*rs, QStringLiteral("Строки"), QStringLiteral("Функция Mid"));
    }
    const auto rx = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                    QFile::ExeOther;
    ASSERT_TRUE(QFile::setPermissions(m_tmp.path(), rx | QFile::WriteOwner));
    ASSERT_TRUE(QFile::setPermissions(m_dir, rx));
    ASSERT_TRUE(QFile::setPermissions(m_path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    const QString path = m_path;
    const int code = testsupport::asOrdinaryUser([path] {
        auto db = Database::open(path);
        if (!db.ok())
            return 1;
        if (!(*db)->readOnly() || !(*db)->readOnlyMessage().contains(QStringLiteral("защищ")))
            return 2;
        auto rs = (*db)->openRecordset();
        if (!rs.ok())
            return 3;
        (*rs)->moveFirst();
        if ((*rs)->text(ColName) != QStringLiteral("Функция Mid"))
            return 4;
        return 0;
    });
    QFile::setPermissions(m_dir, rx | QFile::WriteOwner);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(filesIn(m_dir), QStringList{QStringLiteral("basemain.mdb")});
}
