// Navigation: tree clicks with each button, list presses, releases, double
// clicks and keys by kind of location, the context menus, "up" with its
// address texts, column sorting and view modes.
#include "Fixtures.h"

#include "catalogue/AlphaIndexList.h"
#include "catalogue/CatalogueLoader.h"
#include "catalogue/FolderList.h"
#include "catalogue/Navigator.h"
#include "catalogue/PathTree.h"

#include <QAction>
#include <QMenu>
#include <QTest>
#include <QTreeView>

using namespace catalogue;
using cattest::Row;
using cattest::at;
using cattest::Root;
using cattest::row;

namespace {

QString addr(const QString& rest) { return QStringLiteral("BaseMain:\\\\") + rest; }

class NavigatorTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_base = new cattest::TempBase;
        Row link = row(QStringLiteral("избранное"), QStringLiteral("Ярлык"), 3);
        link.linkTarget = QStringLiteral("http://example.org/");
        Row old = row(QStringLiteral("Графика"), QStringLiteral("Старое"));
        old.deleted = 1;
        Row fav = row(QStringLiteral("Графика"), QStringLiteral("Любимая"));
        fav.favourite = 1;
        s_base->write({row(QStringLiteral("Графика"), QStringLiteral("Линии")),   // 1
                       link,                                                      // 2
                       old,                                                       // 3
                       row(QStringLiteral("Графика\\Корзина"), QStringLiteral("Внутри")),  // 4
                       fav});                                                     // 5
    }
    static void TearDownTestSuite() { delete s_base; }

    void SetUp() override
    {
        state.appDir = s_base->appDir();
        state.twv = &tree;
        state.lvPapka = &list;
        state.lstAlphaList = &index;
        ASSERT_TRUE(listAlpha(state).ok());
        NavigatorHooks hooks;
        hooks.openEntry = [this] { opened.push_back(state.rsBase->text(store::ColName)); };
        hooks.popup = [this](QMenu* m, const QPoint&) { shownMenus.push_back(m); };
        hooks.moveToRecycleBin = [this] { commands << QStringLiteral("itemDel ") + state.selItem; };
        hooks.deleteFromBase = [this] { commands << QStringLiteral("recDel ") + state.selItem; };
        hooks.removeFromFavourites = [this] { commands << QStringLiteral("favDel ") + state.selItem; };
        nav = std::make_unique<Navigator>(state, hooks);
        list.resize(400, 300);
        list.show();
    }

    void clickNode(const QString& path, Qt::MouseButton button = Qt::LeftButton)
    {
        Node* n = tree.getNode(path);
        ASSERT_NE(n, nullptr) << path.toStdString();
        nav->treeMouseDown(button, n);
        nav->treeNodeClick(n, QPoint(1, 1));
    }
    int rowOf(const char* text) { return list.items()->findText(QString::fromUtf8(text)); }
    void selectInList(const char* text)
    {
        const int r = rowOf(text);
        ASSERT_GE(r, 0) << text;
        list.selectRow(r);
    }

    static cattest::TempBase* s_base;
    CatalogueTree tree;
    FolderList list;
    AlphaIndexList index;
    MainState state;
    std::unique_ptr<Navigator> nav;
    std::vector<QString> opened;
    std::vector<QMenu*> shownMenus;
    QStringList commands;
};
cattest::TempBase* NavigatorTest::s_base = nullptr;

}  // namespace

TEST_F(NavigatorTest, LeftClicksOnFolderAndEntryNodes)
{
    nav->setArticleVisible(true);
    clickNode(at("Записи\\Графика"));
    EXPECT_EQ(state.currentFolder, at("Записи\\Графика"));
    EXPECT_EQ(nav->address(), addr(at("Записи\\Графика\\")));
    EXPECT_FALSE(nav->articleVisible());
    EXPECT_FALSE(nav->extractEnabled());
    EXPECT_EQ(nav->extractPicture(), 8);
    EXPECT_FALSE(nav->upEnabled());  // left as it was
    EXPECT_GE(rowOf("Линии"), 0);
    EXPECT_TRUE(state.selItem.isEmpty());

    clickNode(at("Записи\\Графика\\Линии"));
    EXPECT_EQ(opened, std::vector<QString>{QStringLiteral("Линии")});
    EXPECT_EQ(state.selItem, QStringLiteral("1"));
    // The pane's row is OpenEntry's to set, once it has shown an article.
    EXPECT_TRUE(state.displayedEntry.isEmpty());
    EXPECT_EQ(state.currentFolder, at("Записи\\Графика"));  // untouched
}

TEST_F(NavigatorTest, RightClicksOnNodesShowTheMenuOfTheirFolder)
{
    state.currentFolder = at("Записи");
    clickNode(at("Записи\\Графика"), Qt::RightButton);
    EXPECT_TRUE(shownMenus.empty());
    EXPECT_TRUE(state.selItem.isEmpty());
    EXPECT_EQ(state.currentFolder, at("Записи"));

    clickNode(at("Избранное\\Ярлык"), Qt::RightButton);
    ASSERT_EQ(shownMenus.size(), 1u);
    EXPECT_EQ(shownMenus[0], nav->favouritesMenu());
    EXPECT_TRUE(nav->favouritesLinkAction()->isVisible());
    clickNode(at("Избранное\\Любимая"), Qt::RightButton);
    EXPECT_FALSE(nav->favouritesLinkAction()->isVisible());
    clickNode(at("Корзина\\Старое"), Qt::RightButton);
    EXPECT_EQ(shownMenus.back(), nav->recycleMenu());
    clickNode(at("Записи\\Графика\\Линии"), Qt::RightButton);
    EXPECT_EQ(shownMenus.back(), nav->itemMenu());
    EXPECT_FALSE(nav->itemLinkAction()->isVisible());
    // A user folder named like the bin is the bin for the node's menu.
    clickNode(at("Записи\\Графика\\Корзина\\Внутри"), Qt::RightButton);
    EXPECT_EQ(shownMenus.back(), nav->recycleMenu());
    EXPECT_EQ(state.selItem, QStringLiteral("4"));
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(state.currentFolder, at("Записи"));

    // A press beside the nodes clears the selection.
    nav->treeMouseDown(Qt::LeftButton, nullptr);
    EXPECT_TRUE(state.selItem.isEmpty());
}

TEST_F(NavigatorTest, MenusOpenWorksAndLaterCommandsStayDisabled)
{
    const auto enabled = [](QMenu* m) {
        QStringList on;
        for (QAction* a : m->actions())
            if (!a->isSeparator() && a->isEnabled())
                on << a->text();
        return on;
    };
    EXPECT_EQ(enabled(nav->itemMenu()), (QStringList{QStringLiteral("Открыть"), QStringLiteral("Удалить")}));
    EXPECT_EQ(enabled(nav->recycleMenu()), (QStringList{QStringLiteral("&Удалить")}));
    EXPECT_EQ(nav->itemMenu()->actions().size(), 6);
    EXPECT_EQ(nav->favouritesMenu()->actions().size(), 4);

    state.selItem = QStringLiteral("5");
    nav->itemMenu()->actions().first()->trigger();
    EXPECT_EQ(opened, std::vector<QString>{QStringLiteral("Любимая")});
    EXPECT_TRUE(state.displayedEntry.isEmpty());
    // Nothing selected, or a number that names no row: nothing opens.
    for (const char* tag : {"", "0", "99", "abc"}) {
        state.selItem = QString::fromUtf8(tag);
        nav->openSelected();
    }
    EXPECT_EQ(opened.size(), 1u);
}

TEST_F(NavigatorTest, ListPressesReleasesAndDoubleClicks)
{
    clickNode(at("Записи"));
    nav->listDoubleClick();  // nothing selected: nothing happens
    EXPECT_EQ(state.currentFolder, at("Записи"));

    selectInList("Графика");
    nav->listDoubleClick();
    EXPECT_EQ(state.currentFolder, at("Записи\\Графика"));
    EXPECT_EQ(nav->address(), addr(at("Записи\\Графика\\")));
    EXPECT_TRUE(nav->upEnabled());

    const int lines = rowOf("Линии");
    nav->listMouseDown(Qt::LeftButton, lines);
    EXPECT_EQ(state.selItem, QStringLiteral("1"));
    list.selectRow(lines);
    nav->listMouseUp(Qt::RightButton, lines);
    EXPECT_EQ(shownMenus.back(), nav->itemMenu());
    nav->listMouseUp(Qt::LeftButton, -1);
    EXPECT_TRUE(state.selItem.isEmpty());
    EXPECT_EQ(list.selectedRow(), -1);

    // A right release on a folder item shows nothing.
    selectInList("Корзина");
    nav->listMouseUp(Qt::RightButton, rowOf("Корзина"));
    EXPECT_EQ(shownMenus.size(), 1u);

    selectInList("Линии");
    nav->listDoubleClick();
    EXPECT_EQ(opened, std::vector<QString>{QStringLiteral("Линии")});
}

TEST_F(NavigatorTest, EnterAndDeleteDependOnTheSecondComponent)
{
    clickNode(at("Записи\\Графика"));
    selectInList("Корзина");  // a folder item: Enter does not enter it
    nav->listKeyDown(Qt::Key_Return);
    EXPECT_EQ(state.currentFolder, at("Записи\\Графика"));
    EXPECT_TRUE(opened.empty());
    selectInList("Линии");
    nav->listKeyDown(Qt::Key_Return);
    EXPECT_EQ(opened, std::vector<QString>{QStringLiteral("Линии")});

    // Inside the user folder "Корзина": the release shows the bin's menu (last
    // component) but Delete is the ordinary deletion (second component).
    clickNode(at("Записи\\Графика\\Корзина"));
    selectInList("Внутри");
    nav->listMouseUp(Qt::RightButton, rowOf("Внутри"));
    EXPECT_EQ(shownMenus.back(), nav->recycleMenu());
    nav->listKeyDown(Qt::Key_Delete);

    clickNode(at("Корзина"));
    selectInList("Старое");
    nav->listKeyDown(Qt::Key_Return);
    nav->listKeyDown(Qt::Key_Delete);
    clickNode(at("Избранное"));
    selectInList("Ярлык");
    nav->listKeyDown(Qt::Key_Enter);
    nav->listKeyDown(Qt::Key_Delete);
    nav->listKeyDown(Qt::Key_A);
    EXPECT_EQ(commands, (QStringList{QStringLiteral("itemDel 4"), QStringLiteral("recDel 3"), QStringLiteral("favDel 2")}));
    EXPECT_EQ(opened.size(), 1u);
}

TEST_F(NavigatorTest, UpWalksToTheEmptyPathAndLeavesAnArticleWithoutRelisting)
{
    clickNode(at("Записи"));
    nav->setUpEnabled(true);
    nav->up();
    EXPECT_EQ(state.currentFolder, Root);
    EXPECT_EQ(nav->address(), addr(Root));
    EXPECT_TRUE(nav->upEnabled());
    nav->up();
    EXPECT_TRUE(state.currentFolder.isEmpty());
    EXPECT_EQ(nav->address(), addr(QString()));
    EXPECT_FALSE(nav->upEnabled());
    EXPECT_EQ(list.items()->count(), 1);  // "Zelvorant Kodrix"

    // From an article: the old listing, the folder's address with "\".
    clickNode(at("Записи"));
    nav->setArticleVisible(true);
    nav->setUpEnabled(true);
    list.items()->clear();  // a refill would bring the items back
    nav->toolbarButton(catalogue::ToolButton::Up);
    EXPECT_FALSE(nav->articleVisible());
    EXPECT_EQ(nav->address(), addr(at("Записи\\")));
    EXPECT_EQ(nav->extractPicture(), 13);
    EXPECT_EQ(list.items()->count(), 0);
    EXPECT_TRUE(nav->upEnabled());
}

TEST_F(NavigatorTest, ColumnClicksAndViewModes)
{
    EXPECT_EQ(list.sortKey(), 0);
    EXPECT_EQ(list.sortOrder(), Qt::AscendingOrder);
    nav->listColumnClick(0);
    EXPECT_EQ(list.sortOrder(), Qt::DescendingOrder);
    nav->listColumnClick(0);
    EXPECT_EQ(list.sortOrder(), Qt::AscendingOrder);
    nav->listColumnClick(0);
    nav->listColumnClick(1);
    EXPECT_EQ(list.sortKey(), 1);
    EXPECT_EQ(list.sortOrder(), Qt::DescendingOrder);  // the order set last
    EXPECT_TRUE(list.isSorted());

    nav->toolbarMenu(catalogue::ToolMenuItem::Report);
    EXPECT_EQ(list.viewMode(), ViewMode::Report);
    nav->toolbarMenu(catalogue::ToolMenuItem::Small);
    EXPECT_EQ(list.viewMode(), ViewMode::List);
    nav->toolbarButton(catalogue::ToolButton::Style);
    EXPECT_EQ(list.viewMode(), ViewMode::LargeIcons);
    nav->viewTable();
    EXPECT_EQ(list.viewMode(), ViewMode::Report);
    nav->toolbarButton(catalogue::ToolButton::Add);  // no wizard yet: nothing
    EXPECT_EQ(list.viewMode(), ViewMode::Report);
}

TEST_F(NavigatorTest, RealClicksReachTheHandlers)
{
    nav->connectWidgets();
    tree.resize(300, 400);
    tree.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree));
    Node* records = tree.getNode(at("Записи"));
    const QPoint p = tree.visualRect(tree.nodes()->indexOf(records)).center();
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, p);
    EXPECT_EQ(state.currentFolder, at("Записи"));
    EXPECT_EQ(nav->treeMouseButton(), 1);

    list.setViewMode(ViewMode::Report);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    const int row = rowOf("Графика");
    ASSERT_GE(row, 0);
    const QPoint q = list.reportView()->visualRect(list.items()->index(row, 0)).center();
    QTest::mouseDClick(list.reportView()->viewport(), Qt::LeftButton, {}, q);
    EXPECT_EQ(state.currentFolder, at("Записи\\Графика"));
    EXPECT_TRUE(nav->upEnabled());
}

// A folder record (no title) names its folder: its node and its list item open
// the folder's listing, never an empty article.
TEST(NavigatorFolderRecord, OpensItsFolder)
{
    cattest::TempBase base;
    base.write({row(QStringLiteral("Графика\\API"), QString(), store::KindFolder),
                row(QStringLiteral("Графика\\API"), QStringLiteral("BitBlt"))});
    CatalogueTree tree;
    FolderList list;
    AlphaIndexList index;
    MainState state;
    state.appDir = base.appDir();
    state.twv = &tree;
    state.lvPapka = &list;
    state.lstAlphaList = &index;
    ASSERT_TRUE(listAlpha(state).ok());
    std::vector<QString> opened;
    NavigatorHooks hooks;
    hooks.openEntry = [&] { opened.push_back(state.rsBase->text(store::ColName)); };
    Navigator nav(state, hooks);
    list.resize(400, 300);
    list.show();

    Node* folder = tree.getNode(cattest::at("Записи\\Графика\\API"));
    ASSERT_NE(folder, nullptr);
    ASSERT_EQ(folder->tag(), QStringLiteral("1"));  // the record's own node
    nav.treeMouseDown(Qt::LeftButton, folder);
    nav.treeNodeClick(folder, QPoint(1, 1));
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(state.currentFolder, cattest::at("Записи\\Графика\\API"));
    EXPECT_GE(list.items()->findText(QStringLiteral("BitBlt")), 0);

    // Up in "Графика", the folder's item opens the folder too.
    nav.treeNodeClick(tree.getNode(cattest::at("Записи\\Графика")), QPoint(1, 1));
    const int r = list.items()->findText(QStringLiteral("API"));
    ASSERT_GE(r, 0);
    list.selectRow(r);
    nav.listDoubleClick();
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(state.currentFolder, cattest::at("Записи\\Графика\\API"));
    // The menu's "Открыть" on it does nothing rather than show a blank article.
    state.selItem = QStringLiteral("1");
    nav.openSelected();
    EXPECT_TRUE(opened.empty());
}
