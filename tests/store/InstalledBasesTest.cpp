// The installed bases: listed once each by their first row, deleted whole in
// one transaction, with the removed rows announced once it is stored.
#include "StoreFixture.h"

#include "store/InstalledBases.h"

#include <sqlite3.h>

using namespace store;

namespace {

class InstalledBasesTest : public StoreFixture {
protected:
    // Rows of the given base names, one each, in this order.
    std::shared_ptr<Database> baseOf(const QStringList& names)
    {
        auto db = create();
        auto rs = recordset(db);
        EXPECT_TRUE(db->beginBatch().ok());
        for (int i = 0; i < names.size(); ++i) {
            rs->addNew();
            EXPECT_TRUE(rs->setValue(ColPath, QStringLiteral("Папка")).ok());
            EXPECT_TRUE(rs->setValue(ColName, QStringLiteral("Запись %1").arg(i + 1)).ok());
            EXPECT_TRUE(rs->setValue(ColBaseName, names[i].isNull() ? QVariant() : QVariant(names[i])).ok());
            EXPECT_TRUE(rs->update().ok());
        }
        EXPECT_TRUE(db->commitBatch().ok());
        return db;
    }
    QStringList namesLeft(Database& db)
    {
        QStringList out;
        auto rs = recordset(std::shared_ptr<Database>(&db, [](Database*) {}));
        for (rs->moveFirst(); !rs->eof(); rs->moveNext())
            out << rs->text(ColBaseName);
        return out;
    }
};

}  // namespace

TEST_F(InstalledBasesTest, EachBaseIsListedOnceByItsFirstRowAndBlankOnlyWhenFirst)
{
    struct Case {
        const char* name;
        QStringList rows;
        QStringList listed;
    };
    const QString user = userBaseName();
    const std::vector<Case> cases = {
        {"case and blanks", QStringList(10, QStringLiteral("Основная")) + QStringList(2, QStringLiteral("основная "))
                                << user,
         {QStringLiteral("Основная"), user}},
        {"first row's spelling kept", {QStringLiteral("  примеры"), QStringLiteral("ПРИМЕРЫ"), user},
         {QStringLiteral("  примеры"), user}},
        {"blank after the first", {user, QString(), QStringLiteral("   ")}, {user}},
        {"blank first", {QStringLiteral(" "), user, QString()}, {QStringLiteral(" "), user}},
        {"no rows", {}, {}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        QFile::remove(m_path);
        auto db = baseOf(k.rows);
        auto bases = InstalledBases::read(*db);
        ASSERT_TRUE(bases.ok()) << bases.message().toStdString();
        EXPECT_EQ(bases->names(), k.listed);
        db->close();
    }
}

TEST_F(InstalledBasesTest, DeletingABaseRemovesEveryRowOfItWhateverItsCaseAndBlanks)
{
    const QString user = userBaseName();
    auto db = baseOf(QStringList(10, QStringLiteral("Основная")) + QStringList{QStringLiteral("основная "), user,
                                                                                QStringLiteral("  ОСНОВНАЯ"), user});
    std::vector<std::vector<qint64>> told;
    db->addRowsRemovedListener([&](const std::vector<qint64>& ids) { told.push_back(ids); });

    auto removed = InstalledBases::remove(*db, QStringLiteral("Основная"));
    ASSERT_TRUE(removed.ok()) << removed.message().toStdString();
    EXPECT_EQ(*removed, 12);
    EXPECT_EQ(namesLeft(*db), QStringList({user, user}));
    // One announcement, after the commit, naming exactly the rows that went.
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0], (std::vector<qint64>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13}));

    // A name no row has removes nothing and announces nothing.
    auto none = InstalledBases::remove(*db, QStringLiteral("Примеры"));
    ASSERT_TRUE(none.ok());
    EXPECT_EQ(*none, 0);
    EXPECT_EQ(told.size(), 1u);
}

TEST_F(InstalledBasesTest, AFailureHalfwayDeletesNothingAndAnnouncesNothing)
{
    auto db = baseOf(QStringList(5, QStringLiteral("Основная")) << userBaseName());
    // The fourth row refuses to go.
    ASSERT_EQ(sqlite3_exec(db->handle(),
                           "CREATE TRIGGER keep BEFORE DELETE ON main WHEN old.Id = 4 "
                           "BEGIN SELECT RAISE(ABORT, 'запись защищена'); END;",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    bool told = false;
    db->addRowsRemovedListener([&](const std::vector<qint64>&) { told = true; });
    auto removed = InstalledBases::remove(*db, QStringLiteral("основная"));
    ASSERT_FALSE(removed.ok());
    EXPECT_TRUE(removed.message().contains(QStringLiteral("\"основная\""))) << removed.message().toStdString();
    EXPECT_TRUE(removed.message().contains(QStringLiteral("basemain.mdb»")));
    EXPECT_TRUE(removed.message().contains(QStringLiteral("запись защищена")));
    EXPECT_FALSE(told);
    EXPECT_EQ(namesLeft(*db).size(), 6);
    // And the connection is usable afterwards.
    ASSERT_EQ(sqlite3_exec(db->handle(), "DROP TRIGGER keep", nullptr, nullptr, nullptr), SQLITE_OK);
    auto again = InstalledBases::remove(*db, QStringLiteral("основная"));
    ASSERT_TRUE(again.ok()) << again.message().toStdString();
    EXPECT_EQ(*again, 5);
}
