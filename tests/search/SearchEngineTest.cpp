// The search over a base: terms, the search data kept in step with Body, and
// the copy in memory following writes made here and elsewhere.
#include "SearchFixture.h"

#include "search/FoldedText.h"
#include "search/SearchData.h"

#include <QElapsedTimer>
#include <QRandomGenerator>

#include <sqlite3.h>

using namespace searchtest;
using search::SearchRun;

namespace {

class SearchEngineTest : public SearchBase {};

qint64 count(store::Database& db, const char* sql)
{
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db.handle(), sql, -1, &st, nullptr);
    const qint64 n = sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int64(st, 0) : -1;
    sqlite3_finalize(st);
    return n;
}

}  // namespace

// The folded form must find a term exactly where a case-blind search of the
// characters does: escapes of rare characters never match across or inside
// one another.
TEST(FoldedText, FindsExactlyWhatCaseBlindCharacterSearchFinds)
{
    const QString alphabet = QStringLiteral("aBcЖжЁёѢѣΩω€«» \tß\u0100\u0101\u4E2D\u00A0Ђђ1")
                             + QString::fromUcs4(U"\U0001F600\U00010400\U00010428", 3);
    QList<uint> letters = alphabet.toUcs4();
    QRandomGenerator rng(7);
    auto randomText = [&](int len) {
        QList<uint> cps;
        for (int i = 0; i < len; ++i)
            cps << letters[rng.bounded(int(letters.size()))];
        return QString::fromUcs4(reinterpret_cast<const char32_t*>(cps.constData()), cps.size());
    };
    auto caseBlind = [](const QString& s) {
        QList<uint> cps = s.toUcs4();
        for (uint& c : cps)
            c = QChar::toCaseFolded(c);
        return QString::fromUcs4(reinterpret_cast<const char32_t*>(cps.constData()), cps.size());
    };
    for (int round = 0; round < 4000; ++round) {
        const QString text = randomText(rng.bounded(0, 12));
        QString term = randomText(rng.bounded(1, 3));
        const QList<uint> cps = text.toUcs4();
        if (rng.bounded(3) == 0 && cps.size() > 2) {  // often a true piece, in another case
            const QList<uint> piece = cps.mid(rng.bounded(int(cps.size()) - 1), 2);
            term = QString::fromUcs4(reinterpret_cast<const char32_t*>(piece.constData()), piece.size()).toUpper();
        }
        const QByteArray f = search::folded(text);
        const bool expected = caseBlind(text).contains(caseBlind(term));
        ASSERT_EQ(search::containsFolded(f.constData(), f.size(), search::folded(term)), expected)
            << "text " << text.toStdString() << " term " << term.toStdString();
    }
    // Russian and English text stays one byte a character.
    EXPECT_EQ(search::folded(QStringLiteral("Модуль Form «ё»")).size(), 15);
}

TEST(SearchTermsText, CutAtCommasTrimmedEmptyPiecesFindNothing)
{
    const struct {
        const char* box;
        QStringList terms;
    } cases[] = {
        {"", {}},
        {",,,", {}},
        {" , ", {}},
        {"форма, Модуль", {QStringLiteral("форма"), QStringLiteral("Модуль")}},
        {" ab ,, cd,", {QStringLiteral("ab"), QStringLiteral("cd")}},
        {"Форма,ФОРМА", {QStringLiteral("Форма")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.box);
        EXPECT_EQ(search::parseTerms(QString::fromUtf8(c.box)).texts, c.terms);
    }
}

TEST_F(SearchEngineTest, FindsAnyTermInsideWordsInEitherCaseAtStartAndEnd)
{
    make({
        article(QStringLiteral("Формы"), QStringLiteral("Загрузка"), QStringLiteral("Загружаемая ПЕРЕФОРМАТИРОВАННАЯ строка")),
        article(QStringLiteral("Классы"), QStringLiteral("Модули"), QStringLiteral("Стандартный мОДУЛЬный подход")),
        article(QStringLiteral("Разное"), QStringLiteral("Ничего"), QStringLiteral("Тут нет ни того ни другого")),
        article(QStringLiteral("Разное"), QStringLiteral("Начало"), QStringLiteral("форма в начале")),
        article(QStringLiteral("Разное"), QStringLiteral("Конец"), QStringLiteral("в конце\nстоит модуль")),
        article(QStringLiteral("Разное"), QStringLiteral("Оба"), QStringLiteral("форма и модуль вместе")),
        Row{QStringLiteral("Разное"), QStringLiteral("Простой текст"), QStringLiteral("plain ФОРМАТ\r\n"), 0, 1, {}},
        Row{QStringLiteral("Разное"), QStringLiteral("Без текста"), QVariant(), 0, 1, {}},
    });
    EXPECT_EQ(find(QStringLiteral("форма, Модуль")),
              (QStringList{QStringLiteral("Загрузка"), QStringLiteral("Модули"), QStringLiteral("Начало"),
                           QStringLiteral("Конец"), QStringLiteral("Оба"), QStringLiteral("Простой текст")}));
    // A term found only in the middle of a word; a term that is the whole text's end.
    EXPECT_EQ(find(QStringLiteral("ТИРОВ")), QStringList{QStringLiteral("Загрузка")});
    EXPECT_EQ(find(QStringLiteral("стоит модуль")), QStringList{QStringLiteral("Конец")});
    // Nothing to look for.
    for (const char* empty : {"", ",,,", " , "}) {
        SearchRun run(engine(), QString::fromUtf8(empty));
        EXPECT_TRUE(run.finished());
        run.runToEnd();
        EXPECT_TRUE(run.takeHits().empty());
    }
}

// Every row is one result: same titles in other folders, and a copy in the bin,
// are listed beside the live one.
TEST_F(SearchEngineTest, OneResultPerRowBinIncluded)
{
    make({
        article(QStringLiteral("Формы"), QStringLiteral("Таймер"), QStringLiteral("таймер формы")),
        article(QStringLiteral("Классы"), QStringLiteral("Таймер"), QStringLiteral("таймер класса")),
        article(QStringLiteral("Классы"), QStringLiteral("Таймер"), QStringLiteral("таймер в корзине"), 1),
        Row{QString(), QString(), rtf(QStringLiteral("таймер папки")), 0, 8, {}},
    });
    search::SearchRun run(engine(), QStringLiteral("таймер, форм, класс"));
    run.runToEnd();
    const std::vector<search::Hit> hits = run.takeHits();
    ASSERT_EQ(hits.size(), 3u);  // the folder record stands for a folder, not an article
    EXPECT_EQ(hits[0].path, QStringLiteral("Формы"));
    EXPECT_EQ(hits[1].path, QStringLiteral("Классы"));
    EXPECT_FALSE(hits[1].deleted);
    EXPECT_TRUE(hits[2].deleted);
    EXPECT_EQ(hits[2].id, 3);
}

TEST_F(SearchEngineTest, BaseWithoutSearchDataGetsItBuiltAndKeptByEveryWrite)
{
    make({article(QStringLiteral("А"), QStringLiteral("Первая"), QStringLiteral("старый текст")),
          article(QStringLiteral("А"), QStringLiteral("Вторая"), QStringLiteral("другое"))});
    search::SearchData probe(*db);
    EXPECT_FALSE(probe.present());
    EXPECT_EQ(find(QStringLiteral("старый")), QStringList{QStringLiteral("Первая")});
    EXPECT_TRUE(probe.present());
    EXPECT_EQ(count(*db, "SELECT count(*) FROM kx_search_v1"), 2);

    // Written with the engine listening: the stored text follows in the same transaction.
    setBody(1, rtf(QStringLiteral("новый текст")));
    EXPECT_EQ(find(QStringLiteral("старый")), QStringList{});
    EXPECT_EQ(find(QStringLiteral("новый")), QStringList{QStringLiteral("Первая")});
    // A big article's text is left to the next search, never left stale.
    setBody(2, rtf(QStringLiteral("огромная статья ").repeated(20000)));
    EXPECT_EQ(count(*db, "SELECT count(*) FROM kx_search_v1 WHERE Id = 2"), 0);
    EXPECT_EQ(find(QStringLiteral("огромная")), QStringList{QStringLiteral("Вторая")});
    EXPECT_EQ(count(*db, "SELECT count(*) FROM kx_search_v1 WHERE Id = 2"), 1);
    setBody(2, rtf(QStringLiteral("другое")));
    // A new row, and a removed one.
    append(article(QStringLiteral("Б"), QStringLiteral("Третья"), QStringLiteral("новый ряд")));
    rs->moveTo(2);
    ASSERT_TRUE(rs->remove().ok());
    EXPECT_EQ(find(QStringLiteral("новый, другое")), (QStringList{QStringLiteral("Первая"), QStringLiteral("Третья")}));
    EXPECT_EQ(count(*db, "SELECT count(*) FROM kx_search_v1"), 2);

    // What the base holds is what Body gives, row by row.
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db->handle(), "SELECT m.Body, s.Text FROM main m JOIN kx_search_v1 s ON s.Id = m.Id", -1, &st, nullptr);
    int rows = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        ++rows;
        const QByteArray body(static_cast<const char*>(sqlite3_column_blob(st, 0)), sqlite3_column_bytes(st, 0));
        const QByteArray text(static_cast<const char*>(sqlite3_column_blob(st, 1)), sqlite3_column_bytes(st, 1));
        EXPECT_EQ(text, search::searchTextOf(body));
    }
    sqlite3_finalize(st);
    EXPECT_EQ(rows, 2);
}

// A transaction rolled back takes the search data back with Body.
TEST_F(SearchEngineTest, RolledBackWriteLeavesSearchDataAsBody)
{
    make({article(QStringLiteral("А"), QStringLiteral("Первая"), QStringLiteral("прежний текст"))});
    EXPECT_EQ(find(QStringLiteral("прежний")), QStringList{QStringLiteral("Первая")});
    {
        store::Transaction t(*db);
        ASSERT_TRUE(t.begun().ok());
        setBody(1, rtf(QStringLiteral("отменённый текст")));
        append(article(QStringLiteral("А"), QStringLiteral("Вторая"), QStringLiteral("отменённый ряд")));
        t.rollback();
    }
    rs = std::move(*db->openRecordset());
    EXPECT_EQ(find(QStringLiteral("отменённый")), QStringList{});
    EXPECT_EQ(find(QStringLiteral("прежний")), QStringList{QStringLiteral("Первая")});
}

// Another connection (another program, the sqlcipher shell) writes without our
// hook: the triggers drop what it made stale, and the next search rebuilds it.
TEST_F(SearchEngineTest, WritesElsewhereAreSeenByTheNextSearch)
{
    make({article(QStringLiteral("А"), QStringLiteral("Первая"), QStringLiteral("исходный текст")),
          article(QStringLiteral("А"), QStringLiteral("Вторая"), QStringLiteral("исходный тоже"))});
    EXPECT_EQ(find(QStringLiteral("исходный")).size(), 2);
    {
        auto other = store::Database::open(basePath());
        ASSERT_TRUE(other.ok());
        sqlite3* h = (*other)->handle();
        const QByteArray body = rtf(QStringLiteral("правка снаружи"));
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(h, "UPDATE main SET Body = ?1 WHERE Id = 1", -1, &st, nullptr);
        sqlite3_bind_text(st, 1, body.constData(), int(body.size()), SQLITE_TRANSIENT);
        ASSERT_EQ(sqlite3_step(st), SQLITE_DONE);
        sqlite3_finalize(st);
        ASSERT_EQ(sqlite3_exec(h, "DELETE FROM main WHERE Id = 2", nullptr, nullptr, nullptr), SQLITE_OK);
        auto ors = (*other)->openRecordset();
        const QString failed = testsupport::addRow(
            **ors, {{store::ColName, QStringLiteral("Снаружи")}, {store::ColBody, rtf(QStringLiteral("исходный извне"))}});
        ASSERT_TRUE(failed.isEmpty()) << failed.toStdString();
    }
    // Both texts dropped by the triggers; the new row's never written.
    EXPECT_EQ(count(*db, "SELECT count(*) FROM kx_search_v1"), 0);
    EXPECT_EQ(find(QStringLiteral("исходный")), QStringList{QStringLiteral("Снаружи")});
    EXPECT_EQ(find(QStringLiteral("снаружи")), QStringList{QStringLiteral("Первая")});
}

// Search data of another version, or with its triggers gone, is not trusted:
// it is dropped and made again from Body.
TEST_F(SearchEngineTest, OutOfStepSearchDataIsRebuilt)
{
    make({article(QStringLiteral("А"), QStringLiteral("Первая"), QStringLiteral("истинный текст"))});
    EXPECT_EQ(find(QStringLiteral("истинный")).size(), 1);
    dropEngine();
    sqlite3* h = db->handle();
    ASSERT_EQ(sqlite3_exec(h,
                           "DROP TRIGGER kx_search_v1_body;"
                           "UPDATE kx_search_v1 SET Text = 'ложь';"
                           "CREATE TABLE kx_search_v0 (Id INTEGER);"
                           "CREATE TRIGGER kx_search_v0_gone AFTER DELETE ON main BEGIN DELETE FROM kx_search_v0; END;",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    EXPECT_EQ(find(QStringLiteral("ложь")), QStringList{});
    EXPECT_EQ(find(QStringLiteral("истинный")), QStringList{QStringLiteral("Первая")});
    EXPECT_EQ(count(*db, "SELECT count(*) FROM sqlite_master WHERE name LIKE 'kx_search_v0%'"), 0);
    rs->moveFirst();
    EXPECT_TRUE(rs->remove().ok());  // no trigger left behind naming a dropped table
}

// A file that may not be written is still searched, its texts built in memory.
TEST_F(SearchEngineTest, ReadOnlyBaseIsSearchedFromMemory)
{
    make({article(QStringLiteral("А"), QStringLiteral("Первая"), QStringLiteral("только чтение"))});
    // Every write refused, as for a file without write permission (which root
    // could write anyway).
    ASSERT_EQ(sqlite3_exec(db->handle(), "PRAGMA query_only = 1", nullptr, nullptr, nullptr), SQLITE_OK);
    EXPECT_EQ(find(QStringLiteral("чтение")), QStringList{QStringLiteral("Первая")});
    EXPECT_TRUE(engine().memoryOnly());
    EXPECT_EQ(find(QStringLiteral("ЧТЕН")), QStringList{QStringLiteral("Первая")});
}

// A search runs in short steps and can stop between them; what was built stays.
TEST_F(SearchEngineTest, StepsAreShortAndAStoppedBuildResumes)
{
    std::vector<Row> rows;
    for (int i = 0; i < 300; ++i)
        rows.push_back(article(QStringLiteral("Папка"), QStringLiteral("Статья %1").arg(i),
                               QStringLiteral("текст номер [%1] ").arg(i).repeated(200)));
    make(rows);
    {
        SearchRun run(engine(), QStringLiteral("[299]"));
        QElapsedTimer longest;
        qint64 worst = 0;
        while (run.phase() != SearchRun::Phase::Building || run.done() == 0) {
            longest.start();
            run.step(1);
            worst = std::max(worst, longest.elapsed());
        }
        EXPECT_FALSE(run.finished());
        EXPECT_LT(worst, 200);
    }  // stopped
    const qint64 built = count(*db, "SELECT count(*) FROM kx_search_v1");
    EXPECT_GT(built, 0);
    EXPECT_LT(built, 300);
    EXPECT_EQ(find(QStringLiteral("[299], [7]")), (QStringList{QStringLiteral("Статья 7"), QStringLiteral("Статья 299")}));
    EXPECT_EQ(count(*db, "SELECT count(*) FROM kx_search_v1"), 300);
}

// Showing the search page reads the stored texts ahead; it builds and writes
// nothing, and the search after it only builds what was missing.
TEST_F(SearchEngineTest, WarmUpReadsStoredTextsAndWritesNothing)
{
    make({article(QStringLiteral("А"), QStringLiteral("1"), QStringLiteral("один")),
          article(QStringLiteral("А"), QStringLiteral("2"), QStringLiteral("два")),
          article(QStringLiteral("А"), QStringLiteral("3"), QStringLiteral("три"))});
    find(QStringLiteral("x"));
    dropEngine();
    append(article(QStringLiteral("А"), QStringLiteral("4"), QStringLiteral("четыре")));  // nobody keeps its text
    auto warm = SearchRun::warmUp(engine());
    warm->runToEnd();
    EXPECT_EQ(engine().cache().count(), 3);
    EXPECT_EQ(count(*db, "SELECT count(*) FROM kx_search_v1"), 3);

    SearchRun run(engine(), QStringLiteral("четыре, один"));
    run.step(0);  // the check alone
    EXPECT_EQ(run.phase(), SearchRun::Phase::Building);
    EXPECT_EQ(run.total(), 1);
    run.runToEnd();
    EXPECT_EQ(run.takeHits().size(), 2u);
}
