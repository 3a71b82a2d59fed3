// The recycle bin: its questions, which rows it acts on, namesakes sharing a
// bin node, a favourite deleted and restored, an entry whose path is also a
// folder, and deleting for good with every other RecordNumber kept right.
#include "OrganiseFixture.h"

#include "catalogue/Pictures.h"
#include "store/Record.h"

using namespace orgtest;
using namespace store;

namespace {

using RecycleBinTest = OrganiseTest;

std::vector<Row> twoInGraphics()
{
    return {row(QStringLiteral("Графика"), QStringLiteral("Линии")), row(QStringLiteral("Графика"), QStringLiteral("Круги"))};
}

TEST_F(RecycleBinTest, MovingToTheBinAsksThenMovesTheEntry)
{
    load(twoInGraphics(), at("Записи\\Графика"));
    select(at("Записи\\Графика\\Линии"));
    prompter.answerMessage(false);
    EXPECT_FALSE(bin->deleteItem(false));
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].style, platform::MsgStyle::Information);
    EXPECT_EQ(prompter.shown[0].title, QStringLiteral("Подтверждение"));
    EXPECT_EQ(prompter.shown[0].text, QStringLiteral("Удалить запись Графика\\Линии в корзину?"));
    EXPECT_EQ(stored(1, ColDeleted), QStringLiteral("0"));
    EXPECT_NE(node(at("Записи\\Графика\\Линии")), nullptr);

    prompter.answerMessage(true);
    EXPECT_TRUE(bin->deleteItem(false));
    EXPECT_EQ(stored(1, ColDeleted), QStringLiteral("1"));
    EXPECT_EQ(node(at("Записи\\Графика\\Линии")), nullptr);
    ASSERT_NE(node(at("Корзина\\Линии")), nullptr);
    EXPECT_EQ(node(at("Корзина\\Линии"))->tag(), QStringLiteral("1"));
    EXPECT_EQ(node(at("Корзина"))->image(), catalogue::PicRecycleFull);
    // It stays under its installed base, as a load shows it.
    EXPECT_NE(node(at("Установленные базы\\Основная\\Графика\\Линии")), nullptr);
    EXPECT_LT(listRow(QStringLiteral("Линии")), 0);
    EXPECT_GE(listRow(QStringLiteral("Круги")), 0);

    // The wizard's own deletion asks nothing.
    selectRow(2);
    EXPECT_TRUE(bin->deleteItem(true));
    EXPECT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(stored(2, ColDeleted), QStringLiteral("1"));
    // The folder is empty now, and a load would not make it.
    EXPECT_EQ(node(at("Записи\\Графика")), nullptr);
}

TEST_F(RecycleBinTest, AFavouriteDeletedAndRestoredIsNoLongerAFavourite)
{
    Row fav = row(QStringLiteral("Графика"), QStringLiteral("Любимая"));
    fav.favourite = 1;
    load({fav});
    selectRow(1);
    prompter.answerMessage(true);
    ASSERT_TRUE(bin->deleteItem(false));
    EXPECT_EQ(stored(1, ColFavorite), QStringLiteral("0"));
    EXPECT_EQ(node(at("Избранное\\Любимая")), nullptr);
    ASSERT_TRUE(bin->restore());
    EXPECT_EQ(stored(1, ColDeleted), QStringLiteral("0"));
    EXPECT_EQ(stored(1, ColFavorite), QStringLiteral("0"));
    EXPECT_NE(node(at("Записи\\Графика\\Любимая")), nullptr);
    EXPECT_EQ(node(at("Избранное\\Любимая")), nullptr);
    EXPECT_EQ(node(at("Корзина\\Любимая")), nullptr);
    EXPECT_TRUE(matchesReload());
}

TEST_F(RecycleBinTest, NamesakesInTheBinShareOneNodeUntilTheLastIsRestored)
{
    load({row(QStringLiteral("Графика"), QStringLiteral("Старое")), row(QStringLiteral("Другое"), QStringLiteral("Старое"))},
         at("Корзина"));
    for (qint64 n : {1, 2}) {
        selectRow(n);
        EXPECT_TRUE(bin->deleteItem(true));
    }
    catalogue::Node* shared = node(at("Корзина\\Старое"));
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(shared->tag(), QStringLiteral("2"));  // the later RecordNumber
    EXPECT_EQ(list().count(), 1);

    // Restoring the later one leaves the node to the earlier.
    selectRow(2);
    ASSERT_TRUE(bin->restore());
    shared = node(at("Корзина\\Старое"));
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(shared->tag(), QStringLiteral("1"));
    ASSERT_EQ(list().count(), 1);
    EXPECT_EQ(list().tag(0), QStringLiteral("1"));
    EXPECT_TRUE(matchesReload());

    selectRow(1);
    ASSERT_TRUE(bin->restore());
    EXPECT_EQ(node(at("Корзина\\Старое")), nullptr);
    EXPECT_EQ(node(at("Корзина"))->image(), catalogue::PicRecycleEmpty);
    EXPECT_EQ(list().count(), 0);
    EXPECT_TRUE(matchesReload());
}

TEST_F(RecycleBinTest, RestoreAndDeleteForGoodActOnlyOnEntriesInTheBin)
{
    // A user's folder named "Корзина" holds a live entry; its context menu is
    // the bin's (by the folder's name), yet nothing may happen to the entry.
    load({row(QStringLiteral("Графика\\Корзина"), QStringLiteral("Внутри"))}, at("Записи\\Графика\\Корзина"));
    selectRow(1);
    EXPECT_FALSE(bin->restore());
    EXPECT_FALSE(bin->deleteFromBase());
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(state().rsBase->recordCount(), 1);
    EXPECT_EQ(stored(1, ColDeleted), QStringLiteral("0"));
    EXPECT_GE(listRow(QStringLiteral("Внутри")), 0);
}

TEST_F(RecycleBinTest, NothingHappensWithoutAnEntry)
{
    Row folderRecord = row(QStringLiteral("Разное"), QString(), 8);
    Row gone = row(QStringLiteral("Разное"), QStringLiteral("Старое"));
    gone.deleted = 1;
    load({folderRecord, gone});
    const Snapshot before = snapshot(state());
    for (const QString& sel : {QString(), QStringLiteral("0"), QStringLiteral("7"), QStringLiteral("1")}) {
        SCOPED_TRACE(sel.toStdString());
        state().selItem = sel;
        EXPECT_FALSE(bin->deleteItem(false));  // "1" is the folder record
    }
    // An entry already in the bin stays there, unasked.
    selectRow(2);
    EXPECT_FALSE(bin->deleteItem(false));
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(snapshot(state()), before);
}

TEST_F(RecycleBinTest, AnEntryWhosePathIsAlsoAFolderLeavesTheEntriesBelowIt)
{
    load({row(QStringLiteral("Графика"), QStringLiteral("API")), row(QStringLiteral("Графика\\API"), QStringLiteral("Вызов"))},
         at("Записи\\Графика"));
    selectRow(1);
    ASSERT_TRUE(bin->deleteItem(true));
    catalogue::Node* folder = node(at("Записи\\Графика\\API"));
    ASSERT_NE(folder, nullptr);
    EXPECT_TRUE(folder->tag().isEmpty());
    EXPECT_EQ(folder->image(), catalogue::PicFolder);
    EXPECT_NE(node(at("Записи\\Графика\\API\\Вызов")), nullptr);
    // The list shows the folder now.
    ASSERT_GE(listRow(QStringLiteral("API")), 0);
    EXPECT_TRUE(list().tag(listRow(QStringLiteral("API"))).isEmpty());
    EXPECT_TRUE(matchesReload());
}

TEST_F(RecycleBinTest, DeletingForGoodKeepsEveryOtherNumberRight)
{
    Row gone = row(QStringLiteral("Графика"), QStringLiteral("Старое"));
    gone.deleted = 1;
    Row fav = row(QStringLiteral("Другое"), QStringLiteral("Любимая"));
    fav.favourite = 1;
    load({row(QStringLiteral("Графика"), QStringLiteral("Линии")), gone, row(QStringLiteral("Графика"), QStringLiteral("Круги")),
          fav, row(QStringLiteral("Другое"), QStringLiteral("Сеть"))},
         at("Записи\\Графика"));
    selectRow(2);
    prompter.answerMessage(false);
    EXPECT_FALSE(bin->deleteFromBase());
    EXPECT_EQ(state().rsBase->recordCount(), 5);
    selectRow(2);
    prompter.answerMessage(true);
    ASSERT_TRUE(bin->deleteFromBase());
    EXPECT_EQ(prompter.shown.back().text, QStringLiteral("Удалить запись Графика\\Старое из базы данных"));
    EXPECT_EQ(prompter.shown.back().title, QStringLiteral("Подтверждение"));
    EXPECT_EQ(state().rsBase->recordCount(), 4);
    EXPECT_TRUE(state().selItem.isEmpty());

    // Every tag names the row whose title its node or item shows.
    store::Recordset& rs = *state().rsBase;
    int entries = 0;
    tree().forEachNode([&](catalogue::Node* n) {
        if (n->tag().isEmpty())
            return;
        ++entries;
        rs.moveTo(n->tag().toLongLong());
        EXPECT_EQ(rs.text(ColName), n->text()) << n->fullPath().toStdString();
    });
    EXPECT_EQ(entries, 9);  // four under the bases, four under "Записи", one favourite
    const catalogue::AlphaIndexModel& index = *views->index.items();
    for (int r = 0; r < index.count(); ++r) {
        rs.moveTo(index.tag(r));
        EXPECT_EQ(rs.text(ColName), index.text(r));
    }
    for (int r = 0; r < list().count(); ++r) {
        rs.moveTo(list().tag(r).toLongLong());
        EXPECT_EQ(rs.text(ColName), list().text(r));
    }
    EXPECT_TRUE(matchesReload());
}

}  // namespace
