// The folder and see-also pickers: which rows they show and how, capitals
// that stay inside their trees, the text box with OK and Cancel, and a picked
// reference followed from the see-also menu (also to a renamed or deleted
// target, which does nothing).
#include "OrganiseFixture.h"

#include "Scripted.h"
#include "articles/ArticleView.h"
#include "organise/FolderPicker.h"
#include "organise/SeeAlsoPicker.h"
#include "store/Record.h"

#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

using namespace orgtest;
using namespace store;

namespace {

class PickersTest : public OrganiseTest {
protected:
    std::vector<Row> rows()
    {
        Row gone = row(QStringLiteral("Удалённая папка"), QStringLiteral("Старое"));
        gone.deleted = 1;
        Row nullPath = row(QString(), QStringLiteral("Без пути"));
        nullPath.path = QVariant();
        return {row(QStringLiteral("графика\\api"), QStringLiteral("пример")),  // 1
                row(QStringLiteral("Графика"), QStringLiteral("линии")),        // 2
                gone,                                                           // 3
                row(QStringLiteral("ИЗБРАННОЕ"), QStringLiteral("Своя")),       // 4 filed in favourites
                nullPath,                                                       // 5
                row(QStringLiteral("сеть"), QString(), 8),                      // 6 folder record
                row(QStringLiteral("Графика\\api"), QStringLiteral("пример"))};  // 7 the same place as row 1
    }
    // Node texts from the roots down, as "a/b/c" per leaf.
    static QStringList paths(const catalogue::PathTreeModel& m)
    {
        QStringList out;
        m.forEachNode([&out](catalogue::Node* n) {
            out << QStringLiteral("%1 (%2)").arg(n->fullPath()).arg(n->image());
        });
        return out;
    }
};

TEST_F(PickersTest, TheFolderPickerShowsTheFoldersOfLiveEntriesCapitalised)
{
    load(rows());
    organise::FolderPicker picker(*state().rsBase);
    EXPECT_EQ(picker.windowTitle(), QStringLiteral("Просмотр"));
    EXPECT_EQ(paths(*picker.tree()->nodes()),
              (QStringList{QStringLiteral("Графика (1)"), QStringLiteral("Графика\\Api (1)"), QStringLiteral("Сеть (1)")}));
    // The catalogue's own tree keeps its letters, now and for later additions.
    EXPECT_NE(node(at("Записи\\графика\\api\\пример")), nullptr);
    EXPECT_EQ(node(at("Записи\\графика"))->text(), QStringLiteral("графика"));
    selectRow(2);
    ASSERT_TRUE(bin->deleteItem(true));
    EXPECT_EQ(node(at("Корзина\\линии"))->text(), QStringLiteral("линии"));
}

TEST_F(PickersTest, TheSeeAlsoPickerShowsEntriesAsPagesInFolders)
{
    load(rows());
    state().rsBase->moveTo(4);
    auto picker = organise::SeeAlsoPicker::create(*state().base);
    ASSERT_TRUE(picker.ok()) << picker.message().toStdString();
    organise::SeeAlsoPicker& p = **picker;
    EXPECT_EQ(p.windowTitle(), QStringLiteral("Статьи"));
    // Pictures: 1 a page, 2 a folder; a folder record is its folder.
    EXPECT_EQ(paths(*p.tree()->nodes()),
              (QStringList{QStringLiteral("Графика (2)"), QStringLiteral("Графика\\Api (2)"),
                           QStringLiteral("Графика\\Api\\Пример (1)"), QStringLiteral("Графика\\Линии (1)"),
                           QStringLiteral("Сеть (2)")}));
    // The later of two entries at one place gives its node.
    EXPECT_EQ(p.tree()->getNode(QStringLiteral("графика\\API\\ПРИМЕР"))->tag(), QStringLiteral("7"));
    // It read through a recordset of its own.
    EXPECT_EQ(state().rsBase->recordNumber(), 4);
}

TEST_F(PickersTest, TheTextBoxHoldsTheChoiceAndCancelEmptiesIt)
{
    load(rows());
    auto picker = organise::SeeAlsoPicker::create(*state().base);
    ASSERT_TRUE(picker.ok());
    organise::SeeAlsoPicker& p = **picker;
    p.show();
    EXPECT_FALSE(p.okButton()->isEnabled());
    catalogue::Node* page = p.tree()->getNode(QStringLiteral("Графика\\Api\\Пример"));
    ASSERT_NE(page, nullptr);
    Q_EMIT p.tree()->nodeClicked(page);
    EXPECT_EQ(p.textBox()->text(), QStringLiteral("Графика\\Api\\Пример"));
    EXPECT_TRUE(p.okButton()->isEnabled());
    p.okButton()->click();
    EXPECT_FALSE(p.isVisible());
    EXPECT_EQ(p.result(), QStringLiteral("Графика\\Api\\Пример"));

    // Shown again it keeps its tree; typing is a choice too; Cancel, Escape
    // and the close box choose nothing.
    p.show();
    p.textBox()->setText(QStringLiteral("Своё\\Место"));
    EXPECT_TRUE(p.okButton()->isEnabled());
    p.cancelButton()->click();
    EXPECT_EQ(p.result(), QString());
    EXPECT_FALSE(p.okButton()->isEnabled());
    p.show();
    p.textBox()->setText(QStringLiteral("Графика"));
    QTest::keyClick(&p, Qt::Key_Escape);
    EXPECT_FALSE(p.isVisible());
    EXPECT_EQ(p.result(), QString());
    EXPECT_EQ(p.tree()->nodes()->nodeCount(), 5);
}

TEST_F(PickersTest, APickedReferenceOpensItsEntryUntilItIsRenamedOrDeleted)
{
    load(rows(), at("Записи\\Графика"));
    testsupport::RecordingShell desktop;
    QMenu seeAlso;
    articles::ArticleWidgets widgets;
    widgets.mnuSee = &seeAlso;
    articles::ArticleView view(state(), widgets, desktop);
    auto picker = organise::SeeAlsoPicker::create(*state().base);
    ASSERT_TRUE(picker.ok());
    const QString picked = (*picker)->tree()->getNode(QStringLiteral("графика\\линии"))->fullPath();
    EXPECT_EQ(picked, QStringLiteral("Графика\\Линии"));
    // The first of two entries at one place is the one opened.
    EXPECT_TRUE(view.followSeeAlso(QStringLiteral("Графика\\Api\\Пример")));
    EXPECT_EQ(state().displayedEntry, QStringLiteral("1"));
    EXPECT_FALSE(view.followSeeAlso(QStringLiteral("Графика\\Api")));  // a folder

    ASSERT_TRUE(view.followSeeAlso(picked));
    EXPECT_EQ(state().displayedEntry, QStringLiteral("2"));
    ASSERT_TRUE(renamer->afterLabelEdit(listRow(QStringLiteral("линии")), QStringLiteral("Кривые")));
    state().displayedEntry.clear();
    EXPECT_FALSE(view.followSeeAlso(picked));
    EXPECT_TRUE(state().displayedEntry.isEmpty());

    // Row 7 goes for good; the reference finds row 1 still, now and after.
    selectRow(7);
    ASSERT_TRUE(bin->deleteItem(true));
    prompter.answerMessage(true);
    ASSERT_TRUE(bin->deleteFromBase());
    selectRow(1);
    ASSERT_TRUE(bin->deleteItem(true));
    prompter.answerMessage(true);
    ASSERT_TRUE(bin->deleteFromBase());
    EXPECT_FALSE(view.followSeeAlso(QStringLiteral("Графика\\Api\\Пример")));
}

}  // namespace
