// The folder listing: what each kind of current folder shows, with types,
// pictures, tags and columns; AddItemToListView's notion of "below".
#include "Fixtures.h"

#include "catalogue/FolderListing.h"
#include "catalogue/FolderModel.h"

#include <QAbstractItemModelTester>
#include <QLocale>

using namespace catalogue;
using cattest::Row;
using cattest::at;
using cattest::Root;
using cattest::row;

namespace {


struct Item {
    QString text;
    QString type;
    int icon;
    QString tag;
    bool operator==(const Item&) const = default;
};

void PrintTo(const Item& i, std::ostream* os)
{
    *os << "{" << i.text.toStdString() << ", " << i.type.toStdString() << ", " << i.icon << ", " << i.tag.toStdString()
        << "}";
}

std::vector<Item> items(const FolderModel& list)
{
    std::vector<Item> out;
    for (int i = 0; i < list.count(); ++i)
        out.push_back({list.item(i).text, list.item(i).type, list.item(i).icon, list.item(i).tag});
    return out;
}

Item item(const char* text, const char* type, int icon, const char* tag = "")
{
    return {QString::fromUtf8(text), QString::fromUtf8(type), icon, QString::fromUtf8(tag)};
}

// One base for the whole suite: opening an encrypted base is slow on purpose.
class ListingTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_base = new cattest::TempBase;
        Row link = row(QStringLiteral("Избранное"), QStringLiteral("Ярлык"), 3);
        link.linkTarget = QStringLiteral("http://example.org/");
        Row noTarget = row(QStringLiteral("A"), QStringLiteral("Без цели"), 3);
        Row deleted = row(QStringLiteral("A"), QStringLiteral("Удалённая"));
        deleted.deleted = 1;
        Row favourite = row(QStringLiteral("A"), QStringLiteral("Любимая"));
        favourite.favourite = 1;
        favourite.base = QStringLiteral("Примеры");
        s_base->write({row(QStringLiteral("A"), QStringLiteral("Статья1")),            // 1
                       row(QStringLiteral("A\\B"), QStringLiteral("Глубже"), 2),        // 2
                       row(QStringLiteral("A\\B\\C"), QStringLiteral("Ещё глубже")),   // 3
                       link,                                                           // 4
                       noTarget,                                                       // 5
                       deleted,                                                        // 6
                       favourite,                                                      // 7
                       row(QStringLiteral("A"), QStringLiteral("Программа"), 2)});     // 8
        auto db = store::Database::open(s_base->basePath());
        ASSERT_TRUE(db.ok()) << db.message().toStdString();
        s_db = new std::shared_ptr<store::Database>(*db);
        auto rs = (*s_db)->openRecordset();
        ASSERT_TRUE(rs.ok());
        s_rs = rs->release();
    }
    static void TearDownTestSuite()
    {
        delete s_rs;
        delete s_db;
        delete s_base;
    }
    std::vector<Item> list(const QString& folder)
    {
        listFolder(model, *s_rs, folder);
        return items(model);
    }

    static cattest::TempBase* s_base;
    static std::shared_ptr<store::Database>* s_db;
    static store::Recordset* s_rs;
    FolderModel model;
};
cattest::TempBase* ListingTest::s_base = nullptr;
std::shared_ptr<store::Database>* ListingTest::s_db = nullptr;
store::Recordset* ListingTest::s_rs = nullptr;

}  // namespace

TEST_F(ListingTest, EachKindOfFolderShowsItsItems)
{
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    const std::vector<Item> entriesOfA = {
        item("B", "Папка", 8), item("Без цели", "Статья", 3, "5"), item("Любимая", "Статья", 1, "7"),
        item("Программа", "Программа", 2, "8"), item("Статья1", "Статья", 1, "1")};
    const struct {
        QString folder;
        std::vector<Item> expected;
    } cases[] = {
        {QString(), {item("Zelvorant Kodrix", "", 10)}},
        {Root,
         {item("Записи", "Папка", 8), item("Избранное", "Папка", 4), item("Корзина", "Папка", 6),
          item("Установленные базы", "", 9)}},
        {QStringLiteral("zelvorant KODRIX"),
         {item("Записи", "Папка", 8), item("Избранное", "Папка", 4), item("Корзина", "Папка", 6),
          item("Установленные базы", "", 9)}},
        {at("Записи"), {item("A", "Папка", 8)}},
        {at("Записи\\A"), entriesOfA},
        {QStringLiteral("zelvorant kodrix\\ЗАПИСИ\\a"), entriesOfA},
        {at("Записи\\A\\B"), {item("C", "Папка", 8), item("Глубже", "Программа", 2, "2")}},
        {at("Избранное"), {item("Любимая", "Статья", 1, "7"), item("Ярлык", "Ссылка", 3, "4")}},
        {at("Корзина"), {item("Удалённая", "Статья", 1, "6")}},
        {at("Установленные базы"), {item("Основная", "", 8), item("Примеры", "", 8)}},
        {at("Установленные базы\\Основная"), {item("A", "", 8), item("Избранное", "", 8)}},
        {at("Установленные базы\\Основная\\A"),
         {item("B", "", 8), item("Без цели", "", 3, "5"), item("Программа", "", 2, "8"), item("Статья1", "", 1, "1"),
          item("Удалённая", "", 1, "6")}},
        // Neither a sibling whose name begins alike nor a folder with a trailing "\".
        {at("Записи\\"), {}},
        {at("Запис"), {}},
        {at("Нет такой"), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder.toStdString());
        EXPECT_EQ(list(c.folder), c.expected);
    }
}

TEST_F(ListingTest, EntriesCarryDateAndBaseExceptLinks)
{
    list(at("Избранное"));
    const int link = model.findText(QStringLiteral("ярлык"));
    ASSERT_GE(link, 0);
    EXPECT_FALSE(model.item(link).added.isValid());
    EXPECT_TRUE(model.item(link).baseName.isEmpty());
    EXPECT_TRUE(model.data(model.index(link, FolderModel::ColAdded)).toString().isEmpty());

    const int fav = model.findText(QStringLiteral("Любимая"));
    ASSERT_GE(fav, 0);
    EXPECT_EQ(model.item(fav).baseName, QStringLiteral("Примеры"));
    const QDateTime when(QDate(2003, 4, 5), QTime(6, 7));
    EXPECT_EQ(model.item(fav).added, when);
    EXPECT_EQ(model.data(model.index(fav, FolderModel::ColAdded)).toString(), QLocale().toString(when, QLocale::ShortFormat));
    EXPECT_EQ(model.data(model.index(fav, FolderModel::ColBase)).toString(), QStringLiteral("Примеры"));
    EXPECT_EQ(model.data(model.index(fav, FolderModel::ColType)).toString(), QStringLiteral("Статья"));
}

TEST_F(ListingTest, TheListIsSortedOnceByTheKeptColumnAndOrder)
{
    model.setSortKey(FolderModel::ColType);
    model.setSortOrder(Qt::DescendingOrder);
    list(at("Записи\\A"));
    QStringList types;
    for (int i = 0; i < model.count(); ++i)
        types << model.item(i).type;
    EXPECT_EQ(types, (QStringList{QStringLiteral("Статья"), QStringLiteral("Статья"), QStringLiteral("Статья"),
                                  QStringLiteral("Программа"), QStringLiteral("Папка")}));
    EXPECT_TRUE(model.isSorted());
    // The hash follows the rows after sorting.
    for (int i = 0; i < model.count(); ++i)
        EXPECT_EQ(model.findText(model.item(i).text.toUpper()), i);
}

TEST(AddItemToListView, OnlyPathsBelowTheCurrentFolderGiveItems)
{
    FolderModel list;
    const QString cur = at("Записи\\A");
    EXPECT_EQ(addItemToListView(list, cur, cur, QStringLiteral("1"), 8, 1), -1);  // the folder itself
    EXPECT_EQ(addItemToListView(list, at("Записи\\AB\\x"), cur, QStringLiteral("1"), 8, 1), -1);
    EXPECT_EQ(addItemToListView(list, at("Записи"), cur, QStringLiteral("1"), 8, 1), -1);
    EXPECT_EQ(list.count(), 0);

    const int x = addItemToListView(list, at("Записи\\a\\x"), cur, QStringLiteral("1"), 8, 1);
    ASSERT_EQ(x, 0);
    EXPECT_EQ(list.item(x).tag, QStringLiteral("1"));
    EXPECT_EQ(list.item(x).icon, 1);
    // The same name again is the same item, unchanged.
    EXPECT_EQ(addItemToListView(list, at("Записи\\A\\X"), cur, QStringLiteral("2"), 8, 3), x);
    EXPECT_EQ(list.item(x).tag, QStringLiteral("1"));
    // A deeper path gives its sub-folder once, untagged; a picture below 1 is none.
    const int f = addItemToListView(list, at("Записи\\A\\Папка\\y"), cur, QStringLiteral("3"), 0, 1);
    EXPECT_EQ(list.item(f).text, QStringLiteral("Папка"));
    EXPECT_TRUE(list.item(f).tag.isEmpty());
    EXPECT_EQ(list.item(f).icon, 0);
    EXPECT_EQ(addItemToListView(list, at("Записи\\A\\папка\\z"), cur, QStringLiteral("4"), 8, 1), -1);
    EXPECT_EQ(list.count(), 2);
    EXPECT_TRUE(itemExists(list, QStringLiteral("ПАПКА")));
    EXPECT_EQ(getItem(list, QStringLiteral("X")), x);
    EXPECT_FALSE(itemExists(list, QStringLiteral("y")));

    // Above the root everything lies below.
    FolderModel top;
    EXPECT_EQ(addItemToListView(top, at("Записи\\A\\x"), QString(), QStringLiteral("1"), 8, 1), 0);
    EXPECT_EQ(top.item(0).text, Root);
}

TEST(GetType, TextsByKind)
{
    EXPECT_EQ(getType(1), QStringLiteral("Статья"));
    EXPECT_EQ(getType(2), QStringLiteral("Программа"));
    EXPECT_EQ(getType(3), QStringLiteral("Статья"));
    for (int k : {0, 4, 8, -1, 11})
        EXPECT_TRUE(getType(k).isEmpty()) << k;
}
