// The alphabetical index: the run of titles that begin with the typed text is
// marked and scrolled to, marks follow the box across a rebuild, and clicks
// open the entry or its menu.
#include "SearchFixture.h"

#include "catalogue/AlphaIndexList.h"
#include "catalogue/CatalogueLoader.h"
#include "search/AlphaIndex.h"

#include <QLineEdit>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTest>

using namespace searchtest;

namespace {

class AlphaIndexTest : public SearchBase {
protected:
    void load(const std::vector<Row>& rows)
    {
        make(rows);
        rs.reset();
        db.reset();
        state.appDir = m_appDir;
        state.lstAlphaList = &list;
        ASSERT_TRUE(catalogue::listAlpha(state).ok());
        search::AlphaIndexWidgets w;
        w.box = &box;
        w.list = &list;
        w.openEntry = [this] {
            opened << state.rsBase->text(store::ColName);
            return state.rsBase->text(store::ColLinkTarget).isEmpty();
        };
        w.showArticlePane = [this] { ++paneShown; };
        w.enableUp = [this] { ++upEnabled; };
        w.showItemMenu = [this](const QPoint&) { menus << state.selItem; };
        index = std::make_unique<search::AlphaIndex>(state, std::move(w));
        list.resize(300, 120);
        list.show();
    }
    QStringList markedTitles() const
    {
        QStringList out;
        for (int i = 0; i < list.items()->count(); ++i)
            if (list.items()->isMarked(i))
                out << list.items()->text(i);
        return out;
    }
    QPoint at(int row) const { return list.visualRect(list.items()->index(row)).center(); }

    catalogue::MainState state;
    QLineEdit box;
    catalogue::AlphaIndexList list;
    std::unique_ptr<search::AlphaIndex> index;
    QStringList opened, menus;
    int paneShown = 0, upEnabled = 0;
};

std::vector<Row> titles(const QStringList& names)
{
    std::vector<Row> rows;
    for (const QString& n : names)
        rows.push_back(article(QStringLiteral("Папка"), n, QStringLiteral("текст")));
    return rows;
}

}  // namespace

TEST_F(AlphaIndexTest, TypingMarksTheTitlesThatBeginWithTheTextAndScrollsToTheFirst)
{
    QStringList names;
    for (int i = 0; i < 40; ++i)
        names << QStringLiteral("Анимация %1").arg(i, 2, 10, QLatin1Char('0'));
    names << QStringLiteral("Файлы") << QStringLiteral("функции") << QStringLiteral("Функции API")
          << QStringLiteral("Эффекты функций");
    for (int i = 0; i < 40; ++i)
        names << QStringLiteral("Ящик %1").arg(i, 2, 10, QLatin1Char('0'));
    load(titles(names));

    box.setText(QStringLiteral("ф"));
    EXPECT_EQ(markedTitles(), (QStringList{QStringLiteral("Файлы"), QStringLiteral("функции"), QStringLiteral("Функции API")}));
    EXPECT_EQ(list.indexAt(QPoint(5, 2)).row(), 40);  // the first of them at the top
    EXPECT_TRUE(list.items()->data(list.items()->index(40), Qt::FontRole).value<QFont>().bold());

    box.setText(QStringLiteral("ФУНКЦ"));
    EXPECT_EQ(markedTitles(), (QStringList{QStringLiteral("функции"), QStringLiteral("Функции API")}));

    // A text no title begins with: nothing marked, the list stays where it was.
    const int scrolled = list.verticalScrollBar()->value();
    box.setText(QStringLiteral("функциях"));
    EXPECT_EQ(markedTitles(), QStringList{});
    EXPECT_EQ(list.verticalScrollBar()->value(), scrolled);
    // "Эффекты функций" holds it only in the middle.
    box.setText(QStringLiteral("функций"));
    EXPECT_EQ(markedTitles(), QStringList{});

    box.setText(QStringLiteral("анимация 1"));
    EXPECT_EQ(markedTitles().size(), 10);
    box.clear();
    EXPECT_EQ(markedTitles(), QStringList{});
}

// The run found by binary search is the run a plain walk finds, whatever the titles.
TEST_F(AlphaIndexTest, PrefixRunAgreesWithAWalkOverEveryTitle)
{
    catalogue::AlphaIndexModel model;
    QRandomGenerator rng(11);
    const QString letters = QStringLiteral("аАбБёЁeEzZ \u00DF\u1E9E");
    for (int i = 0; i < 500; ++i) {
        QString t;
        for (int k = rng.bounded(0, 5); k >= 0; --k)
            t += letters[rng.bounded(int(letters.size()))];
        model.append(t, i + 1);
    }
    model.setSorted(true);
    for (int round = 0; round < 300; ++round) {
        QString prefix;
        for (int k = rng.bounded(1, 4); k > 0; --k)
            prefix += letters[rng.bounded(int(letters.size()))];
        const auto [first, last] = search::prefixRun(model, prefix);
        for (int row = 0; row < model.count(); ++row) {
            const bool begins = model.text(row).startsWith(prefix, Qt::CaseInsensitive);
            ASSERT_EQ(begins, row >= first && row < last) << prefix.toStdString() << " row " << row;
        }
    }
}

TEST_F(AlphaIndexTest, MarksFollowTheBoxAfterARebuild)
{
    load(titles({QStringLiteral("Строки"), QStringLiteral("Списки"), QStringLiteral("Массивы")}));
    box.setText(QStringLiteral("с"));
    ASSERT_EQ(markedTitles().size(), 2);
    ASSERT_TRUE(catalogue::listAlpha(state).ok());
    EXPECT_EQ(markedTitles(), (QStringList{QStringLiteral("Списки"), QStringLiteral("Строки")}));
    box.setText(QStringLiteral("м"));
    EXPECT_EQ(markedTitles(), QStringList{QStringLiteral("Массивы")});
}

TEST_F(AlphaIndexTest, ClicksOpenTheEntryOrOfferItsMenu)
{
    std::vector<Row> rows = titles({QStringLiteral("Бета"), QStringLiteral("Альфа")});
    rows.push_back(Row{QStringLiteral("Ссылки"), QStringLiteral("Гамма"), QVariant(), 0, 3, QStringLiteral("https://example.org")});
    load(rows);
    // Left click: the entry's row (RecordNumber 2, "Альфа" sorts first) is opened.
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at(0));
    EXPECT_EQ(state.selItem, QStringLiteral("2"));
    EXPECT_EQ(opened, QStringList{QStringLiteral("Альфа")});
    EXPECT_EQ(paneShown, 1);
    EXPECT_EQ(upEnabled, 1);
    // A link is opened the same way (OpenEntry launches it).
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at(2));
    EXPECT_EQ(opened.last(), QStringLiteral("Гамма"));
    EXPECT_EQ(state.selItem, QStringLiteral("3"));

    QTest::mouseClick(list.viewport(), Qt::RightButton, {}, at(1));
    EXPECT_EQ(menus, QStringList{QStringLiteral("1")});
    EXPECT_EQ(opened.size(), 2);
    // Beside the titles: nothing selected, SelItem empty.
    QTest::mouseClick(list.viewport(), Qt::RightButton, {}, QPoint(5, list.viewport()->height() - 3));
    EXPECT_TRUE(state.selItem.isEmpty());
    EXPECT_EQ(list.selectedRow(), -1);
    EXPECT_EQ(menus.size(), 1);
}
