// Renaming in the folder list: a folder's boundary, letter case and scope,
// where no label may be edited, the refusals that start the edit again, and
// Escape or an unchanged name ending it quietly, through the list's editor.
#include "OrganiseFixture.h"

#include "store/Record.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

using namespace orgtest;
using namespace store;

namespace {

using RenamerTest = OrganiseTest;

// The open label editor of the list, if any.
QLineEdit* openEditor(catalogue::FolderList& list)
{
    for (QLineEdit* e : list.currentView()->findChildren<QLineEdit*>()) {
        if (e->isVisible())
            return e;
    }
    return nullptr;
}

TEST_F(RenamerTest, AFolderIsRenamedInEveryRowInOrBelowItAndNowhereElse)
{
    Row gone = row(QStringLiteral("Графика"), QStringLiteral("Удалённая"));
    gone.deleted = 1;
    Row other = row(QStringLiteral("Графика"), QStringLiteral("Чужая"));
    other.base = QStringLiteral("Примеры");
    load({row(QStringLiteral("Графика"), QStringLiteral("Линии")),           // 1
          row(QStringLiteral("Графика\\API"), QStringLiteral("Вызов")),      // 2
          row(QStringLiteral("Графика старая"), QStringLiteral("Старьё")),  // 3
          row(QStringLiteral("ГРАФИКА\\api"), QStringLiteral("Пример")),    // 4
          row(QStringLiteral("Другое"), QStringLiteral("Сеть")),            // 5
          gone,                                                             // 6
          other,                                                            // 7
          row(QStringLiteral("Графика старая\\Графика"), QStringLiteral("Вложенная"))},  // 8
         at("Записи"));
    ASSERT_TRUE(renamer->afterLabelEdit(listRow(QStringLiteral("Графика")), QStringLiteral("Графика2")));
    const char* const expected[] = {"Графика2", "Графика2\\API", "Графика старая", "Графика2\\api",
                                    "Другое",   "Графика2",      "Графика2",       "Графика старая\\Графика"};
    for (qint64 n = 1; n <= 8; ++n)
        EXPECT_EQ(stored(n, ColPath), QString::fromUtf8(expected[n - 1])) << "row " << n;
    EXPECT_EQ(node(at("Записи\\Графика")), nullptr);
    ASSERT_NE(node(at("Записи\\Графика2\\API\\Пример")), nullptr);
    EXPECT_NE(node(at("Записи\\Графика старая\\Старьё")), nullptr);
    EXPECT_NE(node(at("Установленные базы\\Примеры\\Графика2\\Чужая")), nullptr);
    EXPECT_GE(listRow(QStringLiteral("Графика2")), 0);
    EXPECT_LT(listRow(QStringLiteral("Графика")), 0);
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_TRUE(matchesReload());
}

// An entry's new title takes its node's place among its neighbours, in every
// branch, where a load would put it; nothing moves to the end of the folder.
TEST_F(RenamerTest, ARenamedEntryKeepsItsPlaceInTheTree)
{
    Row fav = row(QStringLiteral("Графика"), QStringLiteral("Круги"));
    fav.favourite = 1;
    load({row(QStringLiteral("Графика"), QStringLiteral("Линии")), fav, row(QStringLiteral("Графика"), QStringLiteral("Точки"))},
         at("Записи\\Графика"));
    ASSERT_TRUE(renamer->afterLabelEdit(listRow(QStringLiteral("Круги")), QStringLiteral("Окружности")));
    const auto children = [this](const QString& path) {
        QStringList texts;
        if (catalogue::Node* parent = node(path)) {
            for (int i = 0; i < parent->childCount(); ++i)
                texts << parent->child(i)->text();
        }
        return texts;
    };
    const QStringList expected{QStringLiteral("Линии"), QStringLiteral("Окружности"), QStringLiteral("Точки")};
    EXPECT_EQ(children(at("Записи\\Графика")), expected);
    EXPECT_EQ(children(at("Установленные базы\\") + fav.base + QStringLiteral("\\Графика")), expected);
    EXPECT_NE(node(at("Избранное\\Окружности")), nullptr);
    EXPECT_TRUE(matchesReload());
}

TEST_F(RenamerTest, InsideABaseOnlyThatBasesRowsMove)
{
    Row other = row(QStringLiteral("Графика\\API"), QStringLiteral("Чужая"));
    other.base = QStringLiteral("Примеры");
    load({row(QStringLiteral("Графика\\API"), QStringLiteral("Вызов")), other}, at("Установленные базы\\Основная\\Графика"));
    ASSERT_TRUE(renamer->afterLabelEdit(listRow(QStringLiteral("API")), QStringLiteral("Интерфейсы")));
    EXPECT_EQ(stored(1, ColPath), QStringLiteral("Графика\\Интерфейсы"));
    EXPECT_EQ(stored(2, ColPath), QStringLiteral("Графика\\API"));
    EXPECT_NE(node(at("Записи\\Графика\\Интерфейсы\\Вызов")), nullptr);
    EXPECT_NE(node(at("Записи\\Графика\\API\\Чужая")), nullptr);
    EXPECT_TRUE(matchesReload());
}

TEST_F(RenamerTest, AnEntryIsRenamedInTheTreeTheListAndTheIndex)
{
    load({row(QStringLiteral("Графика"), QStringLiteral("Линии")), row(QStringLiteral("Графика"), QStringLiteral("Круги"))},
         at("Записи\\Графика"));
    ASSERT_TRUE(renamer->afterLabelEdit(listRow(QStringLiteral("Линии")), QStringLiteral("Эллипсы")));
    EXPECT_EQ(stored(1, ColName), QStringLiteral("Эллипсы"));
    EXPECT_EQ(stored(1, ColPath), QStringLiteral("Графика"));
    EXPECT_EQ(node(at("Записи\\Графика\\Линии")), nullptr);
    EXPECT_EQ(node(at("Записи\\Графика\\Эллипсы"))->tag(), QStringLiteral("1"));
    EXPECT_EQ(node(at("Установленные базы\\Основная\\Графика\\Эллипсы"))->tag(), QStringLiteral("1"));
    EXPECT_EQ(indexLines(*views->index.items()), (QStringList{QStringLiteral("Круги | 2"), QStringLiteral("Эллипсы | 1")}));
    // Its own letter case may change; nothing else of the same name may come.
    ASSERT_TRUE(renamer->afterLabelEdit(listRow(QStringLiteral("Эллипсы")), QStringLiteral("ЭЛЛИПСЫ")));
    EXPECT_EQ(stored(1, ColName), QStringLiteral("ЭЛЛИПСЫ"));
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_TRUE(matchesReload());
}

TEST_F(RenamerTest, NoLabelEditWhereNothingWouldBeStored)
{
    Row filed = row(QStringLiteral("избранное"), QStringLiteral("Раздел\\Часть"));
    Row folderRecord = row(QStringLiteral("Графика"), QString(), 8);
    Row inBaseFavourites = row(QStringLiteral("избранное"), QStringLiteral("Своя"));
    load({row(QStringLiteral("Графика"), QStringLiteral("Линии")), filed, folderRecord, inBaseFavourites});
    struct Case {
        QString folder;
        QString item;
        bool editable;
    };
    const Case cases[] = {
        {QString(), Root, false},
        {Root, QStringLiteral("Записи"), false},
        {Root, QStringLiteral("Избранное"), false},
        {Root, QStringLiteral("Установленные базы"), false},
        {at("Установленные базы"), QStringLiteral("Основная"), false},
        {at("Избранное"), QStringLiteral("Раздел"), false},          // part of a title
        {at("Записи\\Графика"), QString(), false},                    // the folder record's own item
        {at("Установленные базы\\Основная"), QStringLiteral("избранное"), false},
        {at("Записи"), QStringLiteral("Графика"), true},
        {at("Записи\\Графика"), QStringLiteral("Линии"), true},
        {at("Избранное"), QStringLiteral("Своя"), true},
        {at("Установленные базы\\Основная"), QStringLiteral("Графика"), true},
        {at("Установленные базы\\Основная\\Графика"), QStringLiteral("Линии"), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.folder + QStringLiteral(" / ") + c.item).toStdString());
        show(c.folder);
        const int r = listRow(c.item);
        ASSERT_GE(r, 0);
        EXPECT_EQ(renamer->canRename(r), c.editable);
        EXPECT_EQ(bool(list().flags(list().index(r, 0)) & Qt::ItemIsEditable), c.editable);
        if (!c.editable) {
            EXPECT_FALSE(renamer->afterLabelEdit(r, QStringLiteral("Новое")));
        }
    }
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(RenamerTest, ARefusedNameShowsItsMessageAndTheEditStartsAgain)
{
    load({row(QStringLiteral("Графика"), QStringLiteral("Линии")), row(QStringLiteral("Другое"), QStringLiteral("Сеть"))},
         at("Записи"));
    views->list.resize(500, 300);
    views->list.show();
    const struct {
        QString name;
        const char* message;
    } cases[] = {
        {QString(), "Недопустимое имя"},
        {QStringLiteral("   "), "Недопустимое имя"},
        {QStringLiteral("Графика\\Новая"), "Недопустимое имя"},
        {QStringLiteral("избранное"), "Недопустимое имя"},
        {QStringLiteral("другое"), "Статья или папка с этим именем уже существует"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        prompter.shown.clear();
        EXPECT_FALSE(renamer->afterLabelEdit(listRow(QStringLiteral("Графика")), c.name));
        ASSERT_EQ(prompter.shown.size(), 1u);
        EXPECT_EQ(prompter.shown[0].text, QString::fromUtf8(c.message));
        EXPECT_EQ(prompter.shown[0].style, platform::MsgStyle::Critical);
        EXPECT_EQ(stored(1, ColPath), QStringLiteral("Графика"));
        // The edit begins again on the same item.
        QApplication::processEvents();
        QLineEdit* editor = openEditor(views->list);
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->text(), QStringLiteral("Графика"));
        QTest::keyClick(editor, Qt::Key_Escape);
        QApplication::processEvents();
    }
}

TEST_F(RenamerTest, TheListsOwnEditorRenamesAndEscapeOrTheSameNameEndQuietly)
{
    load({row(QStringLiteral("Графика"), QStringLiteral("Линии"))}, at("Записи\\Графика"));
    views->list.resize(500, 300);
    views->list.show();
    const struct {
        const char* what;
        QString typed;
        Qt::Key key;
        QString stored;
    } cases[] = {
        {"Escape", QStringLiteral("Кривые"), Qt::Key_Escape, QStringLiteral("Линии")},
        {"Enter on the same name", QString(), Qt::Key_Return, QStringLiteral("Линии")},
        {"Enter on a new name", QStringLiteral("Кривые"), Qt::Key_Return, QStringLiteral("Кривые")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const int r = list().count() == 1 ? 0 : -1;
        ASSERT_EQ(r, 0);
        views->list.selectRow(r);
        renamer->editSelected();
        QLineEdit* editor = openEditor(views->list);
        ASSERT_NE(editor, nullptr);
        // Typed text: QTest types Latin letters only.
        if (!c.typed.isEmpty())
            editor->setText(c.typed);
        QTest::keyClick(editor, c.key);
        QApplication::processEvents();
        QApplication::processEvents();
        EXPECT_EQ(stored(1, ColName), c.stored);
        EXPECT_EQ(list().text(0), c.stored);
        EXPECT_EQ(openEditor(views->list), nullptr);
    }
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_TRUE(matchesReload());
}

TEST_F(RenamerTest, AFolderRenameIsStoredWholeOrNotAtAll)
{
    load({row(QStringLiteral("Графика"), QStringLiteral("Линии")), row(QStringLiteral("Графика\\API"), QStringLiteral("Вызов"))},
         at("Записи"));
    refuseWrites(QStringLiteral("Вызов"));
    const Snapshot before = snapshot(state());
    EXPECT_FALSE(renamer->afterLabelEdit(listRow(QStringLiteral("Графика")), QStringLiteral("Рисунки")));
    // Row 1 was written before row 2 failed; it went back with the rest.
    EXPECT_EQ(stored(1, ColPath), QStringLiteral("Графика"));
    EXPECT_EQ(stored(2, ColPath), QStringLiteral("Графика\\API"));
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].style, platform::MsgStyle::Critical);
    EXPECT_TRUE(prompter.shown[0].text.contains(QStringLiteral("«Графика»"))) << prompter.shown[0].text.toStdString();
    EXPECT_EQ(snapshot(state()), before);
}

}  // namespace
