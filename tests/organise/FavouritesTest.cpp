// Favourites: marking and unmarking with their questions, an entry filed in
// "Избранное" itself, and the link address in the input box.
#include "OrganiseFixture.h"

#include "store/Record.h"

using namespace orgtest;
using namespace store;

namespace {

using FavouritesTest = OrganiseTest;

TEST_F(FavouritesTest, AddingAsksEveryTimeAndLeavesOneNode)
{
    load({row(QStringLiteral("Графика"), QStringLiteral("Линии"))}, at("Избранное"));
    selectRow(1);
    prompter.answerMessage(false);
    EXPECT_FALSE(favourites->add());
    EXPECT_EQ(stored(1, ColFavorite), QStringLiteral("0"));
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].title, QStringLiteral("Избранное"));
    EXPECT_EQ(prompter.shown[0].text, QStringLiteral("Добавить запись Графика\\Линии в избранное"));
    EXPECT_EQ(prompter.shown[0].style, platform::MsgStyle::Information);

    for (int time = 0; time < 2; ++time) {
        prompter.answerMessage(true);
        EXPECT_TRUE(favourites->add());
    }
    EXPECT_EQ(prompter.shown.size(), 3u);
    EXPECT_EQ(stored(1, ColFavorite), QStringLiteral("1"));
    ASSERT_EQ(node(at("Избранное"))->childCount(), 1);
    EXPECT_EQ(node(at("Избранное\\Линии"))->tag(), QStringLiteral("1"));
    EXPECT_EQ(list().count(), 1);
    // Still in its own folder.
    EXPECT_NE(node(at("Записи\\Графика\\Линии")), nullptr);
    EXPECT_TRUE(matchesReload());
}

TEST_F(FavouritesTest, RemovingAsksAndAnEntryFiledInFavouritesStaysThere)
{
    Row fav = row(QStringLiteral("Графика"), QStringLiteral("Любимая"));
    fav.favourite = 1;
    Row filed = row(QStringLiteral("Избранное"), QStringLiteral("Своя"));
    filed.favourite = 1;
    load({fav, filed}, at("Избранное"));
    for (qint64 n : {1, 2}) {
        selectRow(n);
        prompter.answerMessage(true);
        EXPECT_TRUE(favourites->remove());
        EXPECT_EQ(stored(n, ColFavorite), QStringLiteral("0"));
    }
    EXPECT_EQ(prompter.shown[0].text, QStringLiteral("Удалить запись Графика\\Любимая из избранного"));
    EXPECT_EQ(prompter.shown[0].title, QStringLiteral("Избранное"));
    EXPECT_EQ(node(at("Избранное\\Любимая")), nullptr);
    EXPECT_NE(node(at("Избранное\\Своя")), nullptr);
    EXPECT_LT(listRow(QStringLiteral("Любимая")), 0);
    EXPECT_GE(listRow(QStringLiteral("Своя")), 0);
    EXPECT_TRUE(matchesReload());
}

TEST_F(FavouritesTest, TheLinkAddressChangesOnlyForANonEmptyAnswer)
{
    Row link = row(QStringLiteral("Сеть"), QStringLiteral("Сайт"), 3);
    link.linkTarget = QStringLiteral("http://example.org/");
    load({link}, at("Записи\\Сеть"));
    struct Case {
        const char* what;
        std::optional<QString> answer;
        QString stored;
    };
    const QString old = QStringLiteral("http://example.org/");
    const Case cases[] = {
        {"Cancel", std::nullopt, old},
        {"a cleared text", QString(), old},
        {"the same text", old, old},
        {"a new address", QStringLiteral("https://пример.рф/vb"), QStringLiteral("https://пример.рф/vb")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString before = stored(1, ColLinkTarget);
        selectRow(1);
        prompter.answerInput(c.answer);
        EXPECT_EQ(favourites->editLink(), c.answer && !c.answer->isEmpty());
        EXPECT_EQ(stored(1, ColLinkTarget), c.stored);
        EXPECT_EQ(prompter.shown.back().text, QStringLiteral("Введите адрес ссылки"));
        EXPECT_EQ(prompter.initials.back(), before);
    }
    EXPECT_EQ(list().item(0).type, QStringLiteral("Ссылка"));
    EXPECT_TRUE(matchesReload());
}

}  // namespace
