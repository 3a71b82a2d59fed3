// The organising commands in the main window: menus, the toolbar's "del",
// Delete by location and F2 in the folder list, and deleting the shown
// article for good.
// GCC 12 sees the scripted input queue's optional<QString> as maybe uninitialised
// once this file inlines it; it is not.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include "../catalogue/Fixtures.h"
#include "Scripted.h"

#include "articles/ArticlePane.h"
#include "catalogue/CatalogueLoader.h"
#include "catalogue/FolderList.h"
#include "catalogue/Navigator.h"
#include "catalogue/PathTree.h"
#include "shell/FrmMain.h"
#include "shell/MainToolbar.h"
#include "shell/NavigationBinding.h"
#include "shell/StatusPanels.h"
#include "store/Record.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QToolButton>

#include <functional>

using namespace store;
using cattest::at;
using cattest::Row;
using cattest::row;

namespace {

class OrganiseWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        Row gone = row(QStringLiteral("Графика"), QStringLiteral("Старое"));
        gone.deleted = 1;
        Row fav = row(QStringLiteral("Другое"), QStringLiteral("Любимая"));
        fav.favourite = 1;
        base.write({row(QStringLiteral("Графика"), QStringLiteral("Линии")),
                    row(QStringLiteral("Графика"), QStringLiteral("Круги")), gone, fav});
        w = std::make_unique<shell::FrmMain>(base.appDir(), prompter, desktop);
        auto db = Database::open(base.basePath());
        ASSERT_TRUE(db.ok());
        w->state().base = *db;
        ASSERT_TRUE(catalogue::listAlpha(w->state()).ok());
        w->resize(1000, 700);
        w->show();
    }
    catalogue::Navigator& nav() { return w->navigation().navigator(); }
    void click(const QString& path)
    {
        catalogue::Node* n = w->Twv->getNode(path);
        ASSERT_NE(n, nullptr) << path.toStdString();
        nav().treeMouseDown(Qt::LeftButton, n);
        nav().treeNodeClick(n, QPoint(1, 1));
    }
    void selectItem(const QString& text)
    {
        const int r = w->LvPapka->items()->findText(text);
        ASSERT_GE(r, 0) << text.toStdString();
        w->LvPapka->selectRow(r);
        nav().listMouseDown(Qt::LeftButton, r);
    }
    QString flag(qint64 n, int column)
    {
        w->state().rsBase->moveTo(n);
        return w->state().rsBase->text(column);
    }
    QAbstractItemView* listView() { return w->LvPapka->currentView(); }
    // F2 on the list, and the label editor it opened (null when none).
    QLineEdit* startLabelEdit()
    {
        QTest::keyClick(listView(), Qt::Key_F2);
        for (QLineEdit* e : listView()->findChildren<QLineEdit*>())
            if (e->isVisible())
                return e;
        return nullptr;
    }

    cattest::TempBase base;
    testsupport::ScriptedPrompter prompter;
    testsupport::RecordingShell desktop;
    std::unique_ptr<shell::FrmMain> w;
};

TEST_F(OrganiseWindowTest, MenusAndTheToolbarRunTheCommands)
{
    EXPECT_TRUE(w->MnuFileDel->isEnabled());
    EXPECT_TRUE(w->MnuEditAddToFavorites->isEnabled());
    EXPECT_TRUE(w->TbMain->button(catalogue::ToolButton::Del)->isEnabled());
    for (QMenu* menu : {nav().itemMenu(), nav().recycleMenu(), nav().favouritesMenu()}) {
        for (QAction* a : menu->actions()) {
            // Only "Свойства" waits for the wizard.
            if (!a->isSeparator() && a->isVisible() && a->text() != QStringLiteral("Свойства")) {
                EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
            }
        }
    }
    click(at("Записи\\Графика"));
    w->state().selItem = QStringLiteral("1");
    prompter.answerMessage(true);
    w->MnuEditAddToFavorites->trigger();
    EXPECT_EQ(flag(1, ColFavorite), QStringLiteral("1"));
    prompter.answerMessage(true);
    w->MnuFileDel->trigger();
    EXPECT_EQ(flag(1, ColDeleted), QStringLiteral("1"));
    w->state().selItem = QStringLiteral("2");
    prompter.answerMessage(true);
    w->TbMain->button(catalogue::ToolButton::Del)->click();
    EXPECT_EQ(flag(2, ColDeleted), QStringLiteral("1"));
    EXPECT_EQ(w->LvPapka->items()->count(), 0);
    EXPECT_TRUE(prompter.allAnswered());
}

TEST_F(OrganiseWindowTest, DeleteInTheListDependsOnWhereItIs)
{
    struct Case {
        const char* folder;
        const char* item;
        const char* question;
    };
    const Case cases[] = {
        {"Записи\\Графика", "Круги", "Удалить запись Графика\\Круги в корзину?"},
        {"Корзина", "Старое", "Удалить запись Графика\\Старое из базы данных"},
        {"Избранное", "Любимая", "Удалить запись Другое\\Любимая из избранного"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        click(at(c.folder));
        selectItem(QString::fromUtf8(c.item));
        prompter.answerMessage(false);
        QTest::keyClick(listView(), Qt::Key_Delete);
        ASSERT_FALSE(prompter.shown.empty());
        EXPECT_EQ(prompter.shown.back().text, QString::fromUtf8(c.question));
    }
    EXPECT_TRUE(prompter.allAnswered());
}

TEST_F(OrganiseWindowTest, F2StartsTheLabelEditOfTheSelectedItemAndEnterEndsIt)
{
    click(at("Записи\\Графика"));
    selectItem(QStringLiteral("Линии"));
    QLineEdit* editor = startLabelEdit();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), QStringLiteral("Линии"));
    editor->setText(QStringLiteral("Прямые"));
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(flag(1, ColName), QStringLiteral("Прямые"));
    EXPECT_GE(w->LvPapka->items()->findText(QStringLiteral("Прямые")), 0);
    EXPECT_NE(w->Twv->getNode(at("Записи\\Графика\\Прямые")), nullptr);
    // The Enter that ends the edit ends only the edit: it does not open the
    // entry as an Enter on the list does.
    EXPECT_FALSE(w->RTF->isVisible());
    EXPECT_TRUE(w->LvPapka->isVisible());
    EXPECT_TRUE(w->state().displayedEntry.isEmpty());
}

// Leaving the label editor by Tab, or by a click elsewhere, keeps the name
// typed into it, as Enter does: nothing typed is dropped on the way out.
TEST_F(OrganiseWindowTest, TabOrAClickElsewhereEndsTheLabelEditWithTheNameTyped)
{
    struct Case {
        const char* how;
        qint64 row;
        const char* item;
        std::function<void(QLineEdit*)> leave;
        const char* name;
    };
    const Case cases[] = {
        {"Tab", 1, "Линии", [](QLineEdit* e) { QTest::keyClick(e, Qt::Key_Tab); }, "Прямые"},
        {"a click on the tree", 2, "Круги", [this](QLineEdit*) { w->Twv->setFocus(Qt::MouseFocusReason); },
         "Окружности"},
    };
    click(at("Записи\\Графика"));
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        selectItem(QString::fromUtf8(c.item));
        listView()->setFocus();
        QLineEdit* editor = startLabelEdit();
        ASSERT_NE(editor, nullptr);
        editor->setText(QString::fromUtf8(c.name));
        c.leave(editor);
        QTest::qWait(50);
        EXPECT_EQ(flag(c.row, ColName), QString::fromUtf8(c.name));
        EXPECT_GE(w->LvPapka->items()->findText(QString::fromUtf8(c.name)), 0);
    }
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(OrganiseWindowTest, DeletingTheShownArticleForGoodClosesThePane)
{
    // Another row goes first: the shown article follows its row.
    click(at("Избранное\\Любимая"));
    ASSERT_TRUE(w->RTF->isVisible());
    EXPECT_EQ(w->state().displayedEntry, QStringLiteral("4"));
    w->state().selItem = QStringLiteral("3");
    prompter.answerMessage(true);
    nav().recycleMenu()->actions()[1]->trigger();
    EXPECT_EQ(w->state().rsBase->recordCount(), 3);
    EXPECT_TRUE(w->RTF->isVisible());
    EXPECT_EQ(w->state().displayedEntry, QStringLiteral("3"));

    // The shown article itself, from the bin.
    w->state().selItem = QStringLiteral("3");
    prompter.answerMessage(true);
    nav().itemMenu()->actions().back()->trigger();  // "Удалить": to the bin
    click(at("Корзина\\Любимая"));
    ASSERT_TRUE(w->RTF->isVisible());
    prompter.answerMessage(true);
    nav().recycleMenu()->actions()[1]->trigger();
    EXPECT_EQ(w->state().rsBase->recordCount(), 2);
    EXPECT_FALSE(w->RTF->isVisible());
    EXPECT_TRUE(w->LvPapka->isVisible());
    EXPECT_EQ(w->state().displayedId, 0);
    EXPECT_TRUE(w->state().displayedEntry.isEmpty());
    EXPECT_TRUE(w->Status->panelText(catalogue::PanelEntry).isEmpty());
    EXPECT_EQ(w->Twv->getNode(at("Корзина\\Любимая")), nullptr);
    // The count follows the rows gone for good.
    QCoreApplication::processEvents();
    EXPECT_EQ(w->Status->panelText(catalogue::PanelArticles), QStringLiteral("Статей: 2"));
    EXPECT_TRUE(prompter.allAnswered());
}

}  // namespace
