// The catalogue load: which nodes every kind of row gives, their pictures, tags
// and order, the index, progress, expansion across rebuilds, and the empty and
// unreadable bases.
#include "DamagedBase.h"
#include "Fixtures.h"

#include "catalogue/AlphaIndexList.h"
#include "catalogue/CatalogueLoader.h"
#include "catalogue/FolderList.h"
#include "catalogue/PathTree.h"

#include <QAbstractItemModelTester>
#include <QFile>

#include <map>

using namespace catalogue;
using cattest::Row;
using cattest::at;
using cattest::Root;
using cattest::row;

namespace {


struct Shown {
    int image;
    QString tag;
    bool expanded;
    bool operator==(const Shown&) const = default;
};

std::map<QString, Shown> describe(const PathTreeModel& tree)
{
    std::map<QString, Shown> all;
    tree.forEachNode([&all](Node* n) { all[n->fullPath()] = {n->image(), n->tag(), n->isExpanded()}; });
    return all;
}

QStringList children(const Node* n)
{
    QStringList out;
    for (int i = 0; i < n->childCount(); ++i)
        out << n->child(i)->text();
    return out;
}

class LoaderTest : public ::testing::Test {
protected:
    LoaderTest()
    {
        state.appDir = base.appDir();
        state.twv = &tree;
        state.lvPapka = &list;
        state.lstAlphaList = &index;
    }
    void load(const std::vector<Row>& rows)
    {
        base.write(rows);
        auto r = listAlpha(state);
        ASSERT_TRUE(r.ok()) << r.message().toStdString();
    }
    Shown shown(const QString& path) const
    {
        const Node* n = tree.getNode(path);
        EXPECT_NE(n, nullptr) << path.toStdString();
        return n ? Shown{n->image(), n->tag(), n->isExpanded()} : Shown{-1, {}, false};
    }

    cattest::TempBase base;
    CatalogueTree tree;
    FolderList list;
    AlphaIndexList index;
    MainState state;
};

}  // namespace

TEST_F(LoaderTest, TheOnlyRowDeletedGivesTheStandardBranchesAndNoRecordsFolder)
{
    Row r = row(QStringLiteral("Графика"), QStringLiteral("Линии"));
    r.deleted = 1;
    load({r});
    const std::map<QString, Shown> expected = {
        {Root, {10, {}, true}},
        {at("Корзина"), {6, {}, false}},
        {at("Корзина\\Линии"), {1, QStringLiteral("1"), false}},
        {at("Установленные базы"), {9, {}, false}},
        {at("Установленные базы\\Основная"), {8, {}, false}},
        {at("Установленные базы\\Основная\\Графика"), {8, {}, false}},
        {at("Установленные базы\\Основная\\Графика\\Линии"), {1, QStringLiteral("1"), false}},
        {at("Избранное"), {4, {}, false}},
    };
    EXPECT_EQ(describe(*tree.nodes()), expected);
    EXPECT_EQ(children(tree.getNode(Root)),
              (QStringList{QStringLiteral("Корзина"), QStringLiteral("Установленные базы"), QStringLiteral("Избранное")}));
    EXPECT_EQ(index.items()->count(), 0);
}

TEST_F(LoaderTest, EachKindOfRowIsShownInItsBranches)
{
    Row fav = row(QStringLiteral("ИзБРАННОЕ"), QStringLiteral("Ярлык"), 3);  // filed in favourites, any case
    Row deletedFav = row(QStringLiteral("Файлы"), QStringLiteral("Старое"), 2);
    deletedFav.deleted = 1;
    deletedFav.favourite = 1;
    Row plain = row(QStringLiteral("Файлы\\Диски"), QStringLiteral("Формат"), 7);
    Row marked = row(QStringLiteral("Файлы"), QStringLiteral("Копия"));
    marked.favourite = 1;
    Row oddDeleted = row(QStringLiteral("Файлы"), QStringLiteral("Двойка"));
    oddDeleted.deleted = 2;  // only 1 counts
    load({fav, deletedFav, plain, marked, oddDeleted});

    const std::map<QString, Shown> expected = {
        {Root, {10, {}, true}},
        {at("Корзина"), {6, {}, false}},
        {at("Корзина\\Старое"), {2, QStringLiteral("2"), false}},
        {at("Установленные базы"), {9, {}, false}},
        {at("Установленные базы\\Основная"), {8, {}, false}},
        {at("Установленные базы\\Основная\\ИзБРАННОЕ"), {8, {}, false}},
        {at("Установленные базы\\Основная\\ИзБРАННОЕ\\Ярлык"), {3, QStringLiteral("1"), false}},
        {at("Установленные базы\\Основная\\Файлы"), {8, {}, false}},
        {at("Установленные базы\\Основная\\Файлы\\Старое"), {2, QStringLiteral("2"), false}},
        {at("Установленные базы\\Основная\\Файлы\\Диски"), {8, {}, false}},
        {at("Установленные базы\\Основная\\Файлы\\Диски\\Формат"), {7, QStringLiteral("3"), false}},
        {at("Установленные базы\\Основная\\Файлы\\Копия"), {1, QStringLiteral("4"), false}},
        {at("Установленные базы\\Основная\\Файлы\\Двойка"), {1, QStringLiteral("5"), false}},
        {at("Избранное"), {4, {}, false}},
        {at("Избранное\\Ярлык"), {3, QStringLiteral("1"), false}},
        {at("Избранное\\Старое"), {2, QStringLiteral("2"), false}},
        {at("Избранное\\Копия"), {1, QStringLiteral("4"), false}},
        {at("Записи"), {8, {}, true}},
        {at("Записи\\Файлы"), {8, {}, false}},
        {at("Записи\\Файлы\\Диски"), {8, {}, false}},
        {at("Записи\\Файлы\\Диски\\Формат"), {7, QStringLiteral("3"), false}},
        {at("Записи\\Файлы\\Копия"), {1, QStringLiteral("4"), false}},
        {at("Записи\\Файлы\\Двойка"), {1, QStringLiteral("5"), false}},
    };
    EXPECT_EQ(describe(*tree.nodes()), expected);
    // Favourites were needed before the records folder.
    EXPECT_EQ(children(tree.getNode(Root)), (QStringList{QStringLiteral("Корзина"), QStringLiteral("Установленные базы"),
                                                         QStringLiteral("Избранное"), QStringLiteral("Записи")}));

    // The index: every row not in the bin, sorted by title, tagged with its number.
    QStringList titles;
    std::vector<qint64> tags;
    for (int i = 0; i < index.items()->count(); ++i) {
        titles << index.items()->text(i);
        tags.push_back(index.items()->tag(i));
    }
    EXPECT_EQ(titles, (QStringList{QStringLiteral("Двойка"), QStringLiteral("Копия"), QStringLiteral("Формат"),
                                   QStringLiteral("Ярлык")}));
    EXPECT_EQ(tags, (std::vector<qint64>{5, 4, 3, 1}));
}

TEST_F(LoaderTest, RowsWithTheSamePathAndNameShareTheLaterNumber)
{
    load({row(QStringLiteral("Строки"), QStringLiteral("Len")), row(QStringLiteral("строки"), QStringLiteral("LEN")),
          row(QStringLiteral("Строки"), QStringLiteral("Mid"))});
    EXPECT_EQ(shown(at("Записи\\Строки\\Len")).tag, QStringLiteral("2"));
    EXPECT_EQ(tree.getNode(at("Записи\\Строки"))->childCount(), 2);
    // Titles that occur twice are listed twice in the index.
    EXPECT_EQ(index.items()->count(), 3);
}

// Paths and names that do not split into plain folder and name: an empty
// path or one ending in "\" gives an empty folder, a "\" in a name a further
// level, an empty name the folder itself; another letter case finds the
// folder made before.
TEST_F(LoaderTest, AwkwardPathsAndNamesSplitAsWritten)
{
    Row bin = row(QStringLiteral("Файлы"), QStringLiteral("Архив\\Старый"));
    bin.deleted = 1;
    load({row(QString(), QStringLiteral("Корневая")), row(QStringLiteral("Файлы\\"), QStringLiteral("Хвост")),
          row(QStringLiteral("Файлы"), QStringLiteral("a\\b")), row(QStringLiteral("Файлы"), QString(), 8),
          row(QStringLiteral("ФАЙЛЫ"), QStringLiteral("Регистр")), bin});
    const struct {
        QString path;
        QString tag;
    } cases[] = {
        {at("Установленные базы\\Основная\\\\Корневая"), QStringLiteral("1")},
        {at("Записи\\\\Корневая"), QStringLiteral("1")},
        {at("Записи\\Файлы\\\\Хвост"), QStringLiteral("2")},
        {at("Записи\\Файлы\\a\\b"), QStringLiteral("3")},
        {at("Записи\\Файлы"), QStringLiteral("4")},
        {at("Записи\\Файлы\\Регистр"), QStringLiteral("5")},
        {at("Установленные базы\\Основная\\Файлы\\Регистр"), QStringLiteral("5")},
        {at("Корзина\\Архив\\Старый"), QStringLiteral("6")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(qPrintable(c.path));
        const Node* n = tree.getNode(c.path);
        ASSERT_NE(n, nullptr);
        EXPECT_EQ(n->tag(), c.tag);
        EXPECT_EQ(n->fullPath().toUpper(), c.path.toUpper());
    }
    EXPECT_EQ(children(tree.getNode(at("Записи\\Файлы"))),
              (QStringList{QString(), QStringLiteral("a"), QStringLiteral("Регистр")}));
    EXPECT_EQ(shown(at("Записи\\Файлы")).image, 8);
}

TEST_F(LoaderTest, KindZeroKeepsThePictureOfItsBranch)
{
    Row inRecords = row(QStringLiteral("П"), QStringLiteral("а"), 0);
    Row inFavourites = row(QStringLiteral("избранное"), QStringLiteral("б"), 0);
    Row inBin = row(QStringLiteral("П"), QStringLiteral("в"), 0);
    inBin.deleted = 1;
    load({inRecords, inFavourites, inBin});
    EXPECT_EQ(shown(at("Записи\\П\\а")).image, 8);
    EXPECT_EQ(shown(at("Установленные базы\\Основная\\П\\а")).image, 8);
    EXPECT_EQ(shown(at("Избранное\\б")).image, 4);
    EXPECT_EQ(shown(at("Корзина\\в")).image, 6);
}

TEST_F(LoaderTest, ProgressIsReportedForEveryRowOnlyWhileAsked)
{
    QStringList seen;
    state.progress = [&seen](const QString& t) { seen << t; };
    load({row(QStringLiteral("a"), QStringLiteral("1")), row(QStringLiteral("a"), QStringLiteral("2")),
          row(QStringLiteral("a"), QStringLiteral("3"))});
    EXPECT_TRUE(seen.isEmpty());
    state.showLoadProgress = true;
    ASSERT_TRUE(listAlpha(state).ok());
    const QStringList pass{QStringLiteral("1 из 3"), QStringLiteral("2 из 3"), QStringLiteral("3 из 3")};
    // The index pass, the tree pass and the listing each count the rows.
    EXPECT_EQ(seen, pass + pass + pass);
}

TEST_F(LoaderTest, ExpandedNodesSurviveARebuildWhateverTheLetterCase)
{
    load({row(QStringLiteral("Графика\\API"), QStringLiteral("BitBlt")), row(QStringLiteral("Строки"), QStringLiteral("Len"))});
    tree.nodes()->setExpanded(tree.getNode(at("Записи\\Графика")), true);
    tree.nodes()->setExpanded(tree.getNode(at("Записи\\Графика\\API")), true);
    tree.nodes()->setExpanded(tree.getNode(at("Записи")), false);

    // The stored folder changes its letter case; the next load still opens it.
    store::Recordset& rs = *state.rsBase;
    rs.moveTo(1);
    ASSERT_TRUE(rs.edit().ok());
    ASSERT_TRUE(rs.setValue(store::ColPath, QStringLiteral("ГРАФИКА\\api")).ok());
    ASSERT_TRUE(rs.update().ok());
    ASSERT_TRUE(listAlpha(state).ok());

    EXPECT_TRUE(shown(at("Записи\\ГРАФИКА")).expanded);
    EXPECT_TRUE(shown(at("Записи\\графика\\API")).expanded);
    EXPECT_FALSE(shown(at("Записи\\Строки")).expanded);
    // The root and the records folder are opened by every load.
    EXPECT_TRUE(shown(Root).expanded);
    EXPECT_TRUE(shown(at("Записи")).expanded);
    EXPECT_TRUE(tree.isExpanded(tree.nodes()->indexOf(tree.getNode(at("Записи\\Графика")))));
}

TEST_F(LoaderTest, AnEmptyTableLeavesNoStaleItems)
{
    // First a base with rows, then the same views over an empty one.
    load({row(QStringLiteral("a"), QStringLiteral("1"))});
    state.currentFolder = at("Записи\\a");
    ASSERT_TRUE(listAlpha(state).ok());
    ASSERT_EQ(list.items()->count(), 1);

    cattest::TempBase empty;
    empty.write({});
    state.appDir = empty.appDir();
    ASSERT_TRUE(listAlpha(state).ok());
    EXPECT_EQ(state.rsBase->recordCount(), 0);
    EXPECT_EQ(index.items()->count(), 0);
    EXPECT_EQ(list.items()->count(), 0);
    const std::map<QString, Shown> expected = {
        {Root, {10, {}, true}},
        {at("Корзина"), {5, {}, false}},
        {at("Установленные базы"), {9, {}, false}},
        {at("Избранное"), {4, {}, false}},
    };
    EXPECT_EQ(describe(*tree.nodes()), expected);
}

TEST_F(LoaderTest, ABaseThatCannotBeOpenedIsAnErrorAndChangesNothing)
{
    load({row(QStringLiteral("a"), QStringLiteral("1"))});
    auto* before = state.rsBase.get();
    const int nodes = tree.nodes()->nodeCount();

    cattest::TempBase broken;
    QFile f(broken.basePath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    state.appDir = broken.appDir();
    auto r = listAlpha(state);
    ASSERT_FALSE(r.ok());
    EXPECT_FALSE(r.message().isEmpty());
    EXPECT_EQ(state.rsBase.get(), before);
    EXPECT_EQ(tree.nodes()->nodeCount(), nodes);

    cattest::TempBase missing;
    state.appDir = missing.appDir();
    EXPECT_FALSE(listAlpha(state).ok());
}

TEST_F(LoaderTest, TheViewsModelsStayConsistentThroughLoads)
{
    QAbstractItemModelTester treeTester(tree.nodes(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    QAbstractItemModelTester listTester(list.items(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    QAbstractItemModelTester indexTester(index.items(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    state.currentFolder = Root;
    load({row(QStringLiteral("a\\b"), QStringLiteral("1")), row(QStringLiteral("c"), QStringLiteral("2"))});
    ASSERT_TRUE(listAlpha(state).ok());
    EXPECT_EQ(list.items()->count(), 2);  // "Установленные базы" and "Записи"
}

// A row the load cannot read ends it with an error naming the base and the row:
// it never becomes an entry without a name. (The load reads the small-column
// index; in a base without it the small columns lie on the bodies' pages.)
TEST_F(LoaderTest, ARowThatCannotBeReadFailsTheLoadNamingTheBaseAndTheRow)
{
    ASSERT_EQ(testsupport::writeLongBodiesBase(base.basePath(), 40, false), QString());
    ASSERT_TRUE(testsupport::damageMiddlePage(base.basePath()));
    auto r = listAlpha(state);
    ASSERT_FALSE(r.ok());
    EXPECT_TRUE(r.message().contains(QDir::toNativeSeparators(base.basePath()))) << r.message().toStdString();
    EXPECT_TRUE(r.message().contains(QStringLiteral("запись 20 "))) << r.message().toStdString();
    EXPECT_EQ(index.items()->count(), 0);  // no half index

    // With the index the same damage is in a body only: the load goes through.
    cattest::TempBase indexed;
    ASSERT_EQ(testsupport::writeLongBodiesBase(indexed.basePath(), 40), QString());
    ASSERT_TRUE(testsupport::damageMiddlePage(indexed.basePath()));
    state.appDir = indexed.appDir();
    ASSERT_TRUE(listAlpha(state).ok());
    EXPECT_EQ(index.items()->count(), 40);
}
