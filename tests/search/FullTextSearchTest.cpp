// The search page: Enter or ">" lists the rows found as the search runs in
// steps, the status bar tells the phase, Escape or a new search stops it, a
// click opens a result by its row Id, and the opened article shows its hits.
#include "SearchFixture.h"

#include "richtext/Rtf.h"
#include "search/FindList.h"
#include "search/FullTextSearch.h"
#include "search/HitHighlighter.h"
#include "search/SearchTexts.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

using namespace searchtest;

namespace {

const QString Ready = QStringLiteral("(готово)");

class FullTextSearchTest : public SearchBase {
protected:
    void load(const std::vector<Row>& rows)
    {
        make(rows);
        state.adoptBase(db);
        state.rsBase = std::move(rs);
        window.resize(500, 400);
        box.setParent(&window);
        button.setParent(&window);
        list.setParent(&window);
        list.setGeometry(0, 40, 500, 300);
        progress.setParent(&window);
        search::SearchWidgets w;
        w.box = &box;
        w.button = &button;
        w.list = &list;
        w.progress = &progress;
        w.pane = &pane;
        w.setStatus = [this](const QString& t) { status << t; };
        w.setStatusReady = [this] { status << Ready; };
        w.openEntry = [this] {
            // As OpenEntry shows an article: its text in the pane, then the signal.
            opened.push_back(state.rsBase->currentRowId());
            if (!state.rsBase->text(store::ColLinkTarget).isEmpty())
                return false;
            richtext::readRtf(state.rsBase->bytes(store::ColBody), pane.document());
            pane.document()->setModified(false);
            find->articleShown();
            return true;
        };
        w.showItemMenu = [this](bool inBin, const QPoint&) { menus.push_back({state.selItem, inBin}); };
        w.warn = [this](const QString& m) { warnings << m; };
        find = std::make_unique<search::FullTextSearch>(state, std::move(w));
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    // Types the terms and presses Enter; the search runs on as events come.
    void start(const QString& terms)
    {
        box.setText(terms);
        QTest::keyClick(&box, Qt::Key_Return);
    }
    void search(const QString& terms)
    {
        start(terms);
        waitForEnd();
    }
    void waitForEnd()
    {
        QElapsedTimer t;
        t.start();
        while (find->running() && t.elapsed() < 60000)
            QCoreApplication::processEvents();
    }
    QStringList column(int c) const
    {
        QStringList out;
        for (int r = 0; r < list.items()->count(); ++r)
            out << list.items()->data(list.items()->index(r, c)).toString();
        return out;
    }
    void click(Qt::MouseButton b, int row)
    {
        QTest::mouseClick(list.viewport(), b, {}, list.visualRect(list.items()->index(row, 0)).center());
    }

    catalogue::MainState state;
    QWidget window;
    QLineEdit box;
    QPushButton button;
    search::FindList list;
    QProgressBar progress;
    QTextEdit pane;
    std::unique_ptr<search::FullTextSearch> find;
    QStringList status, warnings;
    std::vector<qint64> opened;
    std::vector<std::pair<QString, bool>> menus;
};

}  // namespace

TEST_F(FullTextSearchTest, EnterListsEveryRowFoundWithNameAndSection)
{
    load({article(QStringLiteral("Формы\\Диалоги"), QStringLiteral("Открытие файла"), QStringLiteral("Диалог ФОРМЫ открытия")),
          article(QStringLiteral("Классы"), QStringLiteral("Модули классов"), QStringLiteral("о модулях")),
          article(QStringLiteral("Разное"), QStringLiteral("Прочее"), QStringLiteral("ничего")),
          article(QStringLiteral("Классы"), QStringLiteral("Открытие файла"), QStringLiteral("форма и модуль"), 1)});
    search(QStringLiteral("форм, Модул"));
    EXPECT_EQ(column(0), (QStringList{QStringLiteral("Открытие файла"), QStringLiteral("Модули классов"),
                                      QStringLiteral("Открытие файла")}));
    EXPECT_EQ(column(1), (QStringList{QStringLiteral("Формы\\Диалоги"), QStringLiteral("Классы"), QStringLiteral("Классы")}));
    EXPECT_EQ(list.items()->item(2).tag, QStringLiteral("4"));
    EXPECT_EQ(list.model()->headerData(1, Qt::Horizontal).toString(), search::texts::columnSection());
    EXPECT_EQ(status.last(), Ready);
    EXPECT_TRUE(progress.isHidden());
    EXPECT_TRUE(warnings.isEmpty());

    // Nothing to look for: the list is emptied and the status says ready.
    for (const char* empty : {"", ",,,", " , "}) {
        SCOPED_TRACE(empty);
        status.clear();
        box.setText(QString::fromUtf8(empty));
        QTest::mouseClick(&button, Qt::LeftButton);
        EXPECT_FALSE(find->running());
        EXPECT_EQ(list.items()->count(), 0);
        EXPECT_EQ(status, QStringList{Ready});
    }
}

TEST_F(FullTextSearchTest, ClicksOpenResultsByTheirRowAndOfferTheirMenu)
{
    load({article(QStringLiteral("А"), QStringLiteral("Первая"), QStringLiteral("общий текст")),
          article(QStringLiteral("А"), QStringLiteral("Вторая"), QStringLiteral("общий текст")),
          article(QStringLiteral("Б"), QStringLiteral("В корзине"), QStringLiteral("общий текст"), 1),
          Row{QStringLiteral("Ссылки"), QStringLiteral("Ссылка"), rtf(QStringLiteral("общий текст")), 0, 3,
              QStringLiteral("https://example.org")}});
    search(QStringLiteral("общий"));
    ASSERT_EQ(list.items()->count(), 4);
    // Row 1 goes; the results keep naming their rows by Id.
    state.rsBase->moveTo(1);
    ASSERT_TRUE(state.rsBase->remove().ok());
    ASSERT_EQ(list.items()->count(), 3);

    click(Qt::LeftButton, 1);  // the row in the bin
    EXPECT_EQ(opened, std::vector<qint64>{3});
    EXPECT_EQ(state.selItem, QStringLiteral("2"));
    EXPECT_EQ(state.rsBase->currentRowId(), 3);
    click(Qt::RightButton, 1);
    click(Qt::RightButton, 0);
    ASSERT_EQ(menus.size(), 2u);
    EXPECT_EQ(menus[0], (std::pair{QStringLiteral("2"), true}));
    EXPECT_EQ(menus[1], (std::pair{QStringLiteral("1"), false}));
    // Beside the results.
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, QPoint(5, list.viewport()->height() - 3));
    EXPECT_TRUE(state.selItem.isEmpty());
    EXPECT_EQ(opened.size(), 1u);
}

TEST_F(FullTextSearchTest, ColumnClicksSortAsTheFolderListDoes)
{
    load({article(QStringLiteral("в"), QStringLiteral("Б"), QStringLiteral("x1")),
          article(QStringLiteral("а"), QStringLiteral("в"), QStringLiteral("x2")),
          article(QStringLiteral("Б"), QStringLiteral("а"), QStringLiteral("x3"))});
    search(QStringLiteral("x"));
    find->columnClick(1);  // another column: becomes the key, order kept
    EXPECT_EQ(column(1), (QStringList{QStringLiteral("а"), QStringLiteral("Б"), QStringLiteral("в")}));
    find->columnClick(1);  // the same column again: the order flips
    EXPECT_EQ(column(1), (QStringList{QStringLiteral("в"), QStringLiteral("Б"), QStringLiteral("а")}));
    find->columnClick(0);
    EXPECT_EQ(column(0), (QStringList{QStringLiteral("в"), QStringLiteral("Б"), QStringLiteral("а")}));
    // A new search lists in table order again.
    search(QStringLiteral("x"));
    EXPECT_EQ(column(0), (QStringList{QStringLiteral("Б"), QStringLiteral("в"), QStringLiteral("а")}));
}

// A long search leaves the window answering, shows progress, and stops at
// Escape or when a new search begins.
TEST_F(FullTextSearchTest, LongSearchRunsInStepsAndStops)
{
    std::vector<Row> rows;
    // Enough text for many steps even on a fast machine.
    for (int i = 0; i < 2000; ++i)
        rows.push_back(article(QStringLiteral("Папка"), QStringLiteral("Статья %1").arg(i),
                               QStringLiteral("строка [%1] текста ").arg(i).repeated(300)));
    load(rows);
    int ticks = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&ticks] { ++ticks; });
    tick.start(5);

    start(QStringLiteral("строка"));
    EXPECT_TRUE(find->running());
    EXPECT_FALSE(progress.isHidden());
    EXPECT_EQ(status.first(), search::texts::preparing());
    QElapsedTimer t;
    t.start();
    while (ticks < 3 && t.elapsed() < 10000)
        QCoreApplication::processEvents();
    EXPECT_GE(ticks, 3);  // other events are served meanwhile
    ASSERT_TRUE(find->running());
    QTest::keyClick(&box, Qt::Key_Escape);
    EXPECT_FALSE(find->running());
    EXPECT_EQ(status.last(), search::texts::stopped());
    EXPECT_TRUE(progress.isHidden());

    // Started again and replaced by another search before it ends.
    start(QStringLiteral("строка"));
    search(QStringLiteral("[17]"));
    EXPECT_EQ(column(0), QStringList{QStringLiteral("Статья 17")});
    EXPECT_EQ(status.last(), Ready);
}

// The opened result shows every hit marked over the text, the document itself
// untouched; F3 walks the hits.
TEST_F(FullTextSearchTest, OpenedResultShowsItsHitsAndF3MovesToTheNext)
{
    load({article(QStringLiteral("А"), QStringLiteral("Статья"), QStringLiteral("Форма в начале\nи ПЕРЕФОРМАТ в середине, в конце форма")),
          article(QStringLiteral("А"), QStringLiteral("Другая"), QStringLiteral("без терминов"))});
    search(QStringLiteral("форма, формат"));
    ASSERT_EQ(list.items()->count(), 1);
    click(Qt::LeftButton, 0);
    const search::HitHighlighter& hits = find->hits();
    QStringList marked;
    for (const QTextEdit::ExtraSelection& s : pane.extraSelections())
        marked << s.cursor.selectedText();
    EXPECT_EQ(marked, (QStringList{QStringLiteral("Форма"), QStringLiteral("ФОРМА"), QStringLiteral("ФОРМАТ"),
                                   QStringLiteral("форма")}));
    EXPECT_FALSE(pane.document()->isModified());
    EXPECT_EQ(hits.current(), 0);
    EXPECT_EQ(pane.textCursor().position(), 0);
    QTest::keyClick(&window, Qt::Key_F3);
    EXPECT_EQ(hits.current(), 1);
    EXPECT_EQ(pane.textCursor().position(), hits.hits()[1].selectionStart());
    EXPECT_FALSE(pane.textCursor().hasSelection());
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(&window, Qt::Key_F3);
    EXPECT_EQ(hits.current(), 0);  // after the last, the first again

    // An article shown otherwise carries no marks.
    find->articleShown();
    EXPECT_TRUE(pane.extraSelections().isEmpty());
}
