// Finding: the full-text search over a generated base (from the Enter to the
// last result listed), the build of the search data from every Body, and one
// keystroke in the alphabetical index. Run each with BM_RawScan of the same
// size in the same process for the store's floor.
#include "BenchSupport.h"
#include "Generator.h"
#include "catalogue/AlphaIndexList.h"
#include "catalogue/CatalogueLoader.h"
#include "search/AlphaIndex.h"
#include "search/FindList.h"
#include "search/FullTextSearch.h"
#include "search/SearchEngine.h"
#include "store/AppFiles.h"
#include "store/Database.h"
#include "richtext/Rtf.h"
#include "store/Recordset.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTextDocument>

#include <sqlite3.h>

#include <optional>

namespace {

// Three terms as a user types them, one of them two characters long.
const QString Terms = QStringLiteral("Declare, zq, таймер");

double megabytes(qint64 bytes) { return double(bytes) / (1024.0 * 1024.0); }

// The cached generated base with its search data built, made once beside it.
store::Result<QString> cachedSearchBase(qint64 rows)
{
    auto plain = gen::cachedBase(rows);
    if (!plain)
        return plain;
    const QString path = QFileInfo(*plain).path() + QStringLiteral("/base-%1-v1-search-v1.mdb").arg(rows);
    if (QFileInfo::exists(path)) {
        if (auto db = store::Database::open(path); db && search::SearchData(**db).present())
            return path;
    }
    const QString part = path + QStringLiteral(".part");
    for (const QString& f : {path, part, part + QStringLiteral("-wal"), part + QStringLiteral("-shm")})
        QFile::remove(f);
    if (!QFile::copy(*plain, part))
        return store::Error{QStringLiteral("cannot copy the generated base")};
    {
        auto db = store::Database::open(part);
        if (!db)
            return db.error();
        search::SearchEngine engine(*db);
        search::SearchRun run(engine, QStringLiteral("x"));
        run.runToEnd();
        if (!run.outcome())
            return run.outcome().error();
    }
    if (!QFile::rename(part, path))
        return store::Error{QStringLiteral("cannot rename the search base")};
    return path;
}

// From the Enter in the search box to the last result listed, the copy of the
// search data in memory already loaded (the first search's time is a counter).
void BM_Search(benchmark::State& state)
{
    auto path = cachedSearchBase(state.range(0));
    if (!path) {
        state.SkipWithError(path.message().toUtf8().constData());
        return;
    }
    QTemporaryDir app;
    if (!QFile::link(*path, store::AppFiles(app.path()).basePath())) {
        state.SkipWithError("cannot link the base");
        return;
    }
    catalogue::MainState main;
    main.appDir = app.path();
    if (auto r = catalogue::listAlpha(main); !r) {
        state.SkipWithError(r.message().toUtf8().constData());
        return;
    }
    QWidget window;
    auto* box = new QLineEdit(&window);
    auto* list = new search::FindList(&window);
    list->setGeometry(0, 30, 400, 600);
    window.resize(400, 640);
    window.show();
    search::SearchWidgets w;
    w.box = box;
    w.list = list;
    search::FullTextSearch find(main, std::move(w));
    box->setText(Terms);
    auto once = [&] {
        find.find();
        while (find.running())
            QCoreApplication::processEvents();
        QCoreApplication::processEvents();  // the list's layout and paint
    };
    QElapsedTimer first;
    first.start();
    once();
    state.counters["first_search_ms"] = double(first.elapsed());
    for (auto _ : state)
        once();
    state.counters["hits"] = list->items()->count();
    // What the search data adds to the file.
    const qint64 plain = QFileInfo(*gen::cachedBase(state.range(0))).size();
    state.counters["base_MB"] = megabytes(plain);
    state.counters["search_data_MB"] = megabytes(QFileInfo(*path).size() - plain);
    state.counters["memory_MB"] = megabytes(find.engine()->cache().textBytes());
}

// The search data made from every Body of a base that has none (the first
// search on a base from elsewhere), on a copy of the generated base.
void BM_SearchDataBuild(benchmark::State& state)
{
    auto plain = gen::cachedBase(state.range(0));
    if (!plain) {
        state.SkipWithError(plain.message().toUtf8().constData());
        return;
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("basemain.mdb"));
    if (!QFile::copy(*plain, path)) {
        state.SkipWithError("cannot copy the base");
        return;
    }
    auto db = store::Database::open(path);
    if (!db) {
        state.SkipWithError(db.message().toUtf8().constData());
        return;
    }
    const qint64 before = QFileInfo(path).size();
    qint64 after = before;
    for (auto _ : state) {
        {
            search::SearchEngine engine(*db);
            search::SearchRun run(engine, Terms);
            while (run.phase() == search::SearchRun::Phase::Checking || run.phase() == search::SearchRun::Phase::Building)
                run.step(1000);
            if (!run.outcome()) {
                state.SkipWithError(run.outcome().message().toUtf8().constData());
                return;
            }
        }
        state.PauseTiming();
        // The file grows by the pages of the search data (written back from
        // the journal at the checkpoint).
        sqlite3_wal_checkpoint_v2((*db)->handle(), nullptr, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
        after = QFileInfo(path).size();
        sqlite3_exec((*db)->handle(), "DROP TRIGGER kx_search_v1_body; DROP TRIGGER kx_search_v1_gone; DROP TABLE kx_search_v1",
                     nullptr, nullptr, nullptr);
        state.ResumeTiming();
    }
    state.counters["base_MB"] = megabytes(before);
    state.counters["search_data_MB"] = megabytes(after - before);
}

// One keystroke in the index box over the titles of the generated base: the
// run of titles found and marked, the old run unmarked, the list scrolled and
// painted.
void BM_IndexMark(benchmark::State& state)
{
    auto path = gen::cachedBase(state.range(0));
    if (!path) {
        state.SkipWithError(path.message().toUtf8().constData());
        return;
    }
    QTemporaryDir app;
    if (!QFile::link(*path, store::AppFiles(app.path()).basePath())) {
        state.SkipWithError("cannot link the base");
        return;
    }
    QWidget window;
    auto* box = new QLineEdit(&window);
    auto* list = new catalogue::AlphaIndexList(&window);
    list->setGeometry(0, 30, 300, 700);
    window.resize(300, 730);
    window.show();
    catalogue::MainState main;
    main.appDir = app.path();
    main.lstAlphaList = list;
    if (auto r = catalogue::listAlpha(main); !r) {
        state.SkipWithError(r.message().toUtf8().constData());
        return;
    }
    search::AlphaIndexWidgets w;
    w.box = box;
    w.list = list;
    search::AlphaIndex index(main, std::move(w));
    QCoreApplication::processEvents();
    // A word typed letter by letter and rubbed out again.
    const QString word = QStringLiteral("функция");
    std::vector<QString> texts;
    for (qsizetype i = 1; i <= word.size(); ++i)
        texts.push_back(word.left(i));
    for (qsizetype i = word.size() - 1; i >= 0; --i)
        texts.push_back(word.left(i));
    size_t k = 0;
    qint64 marked = 0;
    for (auto _ : state) {
        box->setText(texts[k++ % texts.size()]);
        QCoreApplication::processEvents();
        marked = std::max<qint64>(marked, index.marked().second - index.marked().first);
    }
    state.counters["titles"] = list->items()->count();
    state.counters["most_marked"] = double(marked);
}

// The editor's store of a big article through the recordset once the base has
// search data: Body and its search text in one transaction. Compare with
// BM_BodyUpdate, the SQL update of Body alone.
void BM_BodyUpdateWithSearchData(benchmark::State& state, qsizetype bytes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("basemain.mdb"));
    if (auto made = bench::makeArticleBase(path, bytes); !made) {
        state.SkipWithError(made.message().toUtf8().constData());
        return;
    }
    auto db = store::Database::open(path);
    if (!db) {
        state.SkipWithError(db.message().toUtf8().constData());
        return;
    }
    search::SearchEngine engine(*db);
    search::SearchRun(engine, QStringLiteral("x")).runToEnd();
    auto rs = (*db)->openRecordset();
    QTextDocument doc;
    (*rs)->moveFirst();
    richtext::readRtf((*rs)->bytes(store::ColBody), &doc);
    QByteArray body = richtext::writeRtf(&doc);
    int round = 0;
    for (auto _ : state) {
        body[body.size() / 2] = char('a' + (round++ % 26));
        (*rs)->moveFirst();
        (void)(*rs)->edit();
        (void)(*rs)->setValue(store::ColBody, QString::fromLatin1(body));
        if (auto r = (*rs)->update(); !r)
            state.SkipWithError(r.message().toUtf8().constData());
    }
    state.SetBytesProcessed(state.iterations() * body.size());
}

}  // namespace

BENCHMARK_CAPTURE(BM_BodyUpdateWithSearchData, 1MB, 1024 * 1024)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Search)->Arg(20000)->Arg(200000)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_SearchDataBuild)->Arg(20000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
BENCHMARK(BM_IndexMark)->Arg(200000)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);
