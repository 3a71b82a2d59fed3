// A change the base refuses: every command says so, naming the entry, and
// leaves the base and everything on screen as they were.
// GCC 12 sees the scripted input queue's optional<QString> as maybe uninitialised
// once this file inlines it; it is not.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include "OrganiseFixture.h"

#include "store/Record.h"

#include <QGuiApplication>

using namespace orgtest;
using namespace store;
using testsupport::Prompt;

namespace {

using RefusedWritesTest = OrganiseTest;

TEST_F(RefusedWritesTest, EveryCommandNamesTheEntryAndChangesNothing)
{
    Row gone = row(QStringLiteral("Графика"), QStringLiteral("Защищённая"));
    gone.deleted = 1;
    Row fav = row(QStringLiteral("Графика"), QStringLiteral("Защищённая"));
    fav.favourite = 1;
    fav.linkTarget = QStringLiteral("http://example.org/");
    load({row(QStringLiteral("Графика"), QStringLiteral("Защищённая")), gone, fav}, at("Записи\\Графика"));
    refuseWrites(QStringLiteral("Защищённая"));
    struct Case {
        const char* what;
        qint64 row;
        bool asks;
        std::function<bool()> run;
        const char* message;
    };
    const Case cases[] = {
        {"to the bin", 1, true, [&] { return bin->deleteItem(false); }, "Не удалось переместить запись"},
        {"restore", 2, false, [&] { return bin->restore(); }, "Не удалось восстановить запись"},
        {"delete for good", 2, true, [&] { return bin->deleteFromBase(); }, "Не удалось удалить запись"},
        {"add to favourites", 1, true, [&] { return favourites->add(); }, "Не удалось добавить запись"},
        {"remove from favourites", 3, true, [&] { return favourites->remove(); }, "Не удалось убрать запись"},
        {"the link address", 3, false, [&] { return favourites->editLink(); }, "Не удалось изменить адрес ссылки"},
        {"rename", 1, false,
         [&] { return renamer->afterLabelEdit(listRow(QStringLiteral("Защищённая")), QStringLiteral("Другая")); },
         "Не удалось переименовать запись"},
    };
    const Snapshot before = snapshot(state());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        prompter.shown.clear();
        selectRow(c.row);
        if (c.asks)
            prompter.answerMessage(true);
        if (std::string(c.what) == "the link address")
            prompter.answerInput(QStringLiteral("http://example.com/"));
        EXPECT_FALSE(c.run());
        ASSERT_FALSE(prompter.shown.empty());
        const Prompt& shown = prompter.shown.back();
        EXPECT_EQ(shown.style, platform::MsgStyle::Critical);
        EXPECT_TRUE(shown.text.startsWith(QString::fromUtf8(c.message))) << shown.text.toStdString();
        EXPECT_TRUE(shown.text.contains(QStringLiteral("«Графика\\Защищённая»"))) << shown.text.toStdString();
        EXPECT_EQ(snapshot(state()), before);
        EXPECT_TRUE(prompter.allAnswered());
    }
    EXPECT_EQ(state().rsBase->recordCount(), 3);
    EXPECT_EQ(stored(1, ColDeleted), QStringLiteral("0"));
    EXPECT_EQ(stored(2, ColDeleted), QStringLiteral("1"));
    EXPECT_EQ(stored(3, ColFavorite), QStringLiteral("1"));
    EXPECT_EQ(stored(3, ColLinkTarget), QStringLiteral("http://example.org/"));
}

// A folder whose second row the base refuses: the rows written before it go
// back with the transaction, the message names the folder, and the pointer is
// not left busy behind the message.
TEST_F(RefusedWritesTest, AFolderRenameIsAllOrNothing)
{
    load({row(QStringLiteral("Графика"), QStringLiteral("Линии")),
          row(QStringLiteral("Графика\\Старое"), QStringLiteral("Защищённая")),
          row(QStringLiteral("Строки"), QStringLiteral("Mid"))},
         at("Записи"));
    refuseWrites(QStringLiteral("Защищённая"));
    const Snapshot before = snapshot(state());
    EXPECT_FALSE(renamer->afterLabelEdit(listRow(QStringLiteral("Графика")), QStringLiteral("Рисунки")));
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_TRUE(prompter.shown.back().text.startsWith(QStringLiteral("Не удалось переименовать папку «Графика»")))
        << prompter.shown.back().text.toStdString();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(snapshot(state()), before);
    EXPECT_EQ(stored(1, ColPath), QStringLiteral("Графика"));
    EXPECT_EQ(stored(2, ColPath), QStringLiteral("Графика\\Старое"));
}

}  // namespace
