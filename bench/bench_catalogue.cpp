// The catalogue's whole-base passes: the load (index, tree and the folder list
// at the root) and the listing of one folder. Run with BM_RawScan in the same
// process for the store's floor.
#include "Generator.h"
#include "catalogue/AlphaIndexList.h"
#include "catalogue/CatalogueLoader.h"
#include "catalogue/FolderList.h"
#include "catalogue/FolderListing.h"
#include "catalogue/PathTree.h"
#include "store/AppFiles.h"
#include "store/Database.h"
#include "store/Recordset.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <optional>

using namespace catalogue;

namespace {

// An application folder whose basemain.mdb is the cached generated base.
struct BenchApp {
    QTemporaryDir dir;
    bool ok = false;
    QString message;
    explicit BenchApp(qint64 rows)
    {
        auto path = gen::cachedBase(rows);
        if (!path) {
            message = path.message();
            return;
        }
        ok = QFile::link(*path, store::AppFiles(dir.path()).basePath());
        if (!ok)
            message = QStringLiteral("cannot link the generated base");
    }
};

void BM_ListAlpha(benchmark::State& state)
{
    BenchApp app(state.range(0));
    if (!app.ok) {
        state.SkipWithError(app.message.toUtf8().constData());
        return;
    }
    CatalogueTree tree;
    FolderList list;
    AlphaIndexList index;
    MainState main;
    main.appDir = app.dir.path();
    main.twv = &tree;
    main.lvPapka = &list;
    main.lstAlphaList = &index;
    main.currentFolder = QStringLiteral("Zelvorant Kodrix");
    // The first load opens the base, deriving its key from the password; later
    // rebuilds keep the connection. Time the open on its own, once.
    QElapsedTimer first;
    first.start();
    if (auto r = listAlpha(main); !r) {
        state.SkipWithError(r.message().toUtf8().constData());
        return;
    }
    state.counters["first_load_ms"] = double(first.elapsed());
    for (auto _ : state) {
        auto r = listAlpha(main);
        if (!r) {
            state.SkipWithError(r.message().toUtf8().constData());
            return;
        }
    }
    state.counters["nodes"] = tree.nodes()->nodeCount();
    state.counters["titles"] = index.items()->count();
}

// A folder of the generated base that lies `depth` levels below "Записи"
// (0: "Записи" itself).
QString folderAtDepth(store::Recordset& rs, int depth)
{
    const QString records = QStringLiteral("Zelvorant Kodrix\\Записи");
    if (depth == 0)
        return records;
    const qint64 n = rs.recordCount();
    rs.moveFirst();
    for (qint64 i = 0; i < n; ++i, rs.moveNext()) {
        if (rs.flag(store::ColDeleted))
            continue;
        const QString path = rs.text(store::ColPath);
        if (path.count(QLatin1Char('\\')) == depth - 1)
            return records + QLatin1Char('\\') + path;
    }
    return QString();
}

// The cached generated base of state.range(0) rows with a recordset on it, or
// nothing after the benchmark was told why.
struct OpenBase {
    std::shared_ptr<store::Database> db;
    std::unique_ptr<store::Recordset> rs;
};
std::optional<OpenBase> openCachedBase(benchmark::State& state)
{
    auto path = gen::cachedBase(state.range(0));
    if (!path) {
        state.SkipWithError(path.message().toUtf8().constData());
        return std::nullopt;
    }
    auto db = store::Database::open(*path);
    if (!db) {
        state.SkipWithError(db.message().toUtf8().constData());
        return std::nullopt;
    }
    auto rs = (*db)->openRecordset();
    if (!rs) {
        state.SkipWithError(rs.message().toUtf8().constData());
        return std::nullopt;
    }
    return OpenBase{std::move(*db), std::move(*rs)};
}

void BM_ListPapka(benchmark::State& state)
{
    const std::optional<OpenBase> base = openCachedBase(state);
    if (!base)
        return;
    store::Recordset& rs = *base->rs;
    const QString folder = folderAtDepth(rs, int(state.range(1)));
    if (folder.isEmpty()) {
        state.SkipWithError("no folder that deep");
        return;
    }
    FolderList list;
    list.setViewMode(ViewMode::Report);
    for (auto _ : state)
        listFolder(*list.items(), rs, folder);
    state.counters["items"] = list.items()->count();
}

// The recycle bin (about one row in twenty) listed into a shown list in large
// icons: the listing, then the view's layout and paint of the new items.
void BM_ShowBin(benchmark::State& state)
{
    const std::optional<OpenBase> base = openCachedBase(state);
    if (!base)
        return;
    store::Recordset& rs = *base->rs;
    FolderList list;
    list.resize(1000, 700);
    list.setViewMode(ViewMode::LargeIcons);
    list.show();
    QCoreApplication::processEvents();
    const QString bin = QStringLiteral("Zelvorant Kodrix\\Корзина");
    for (auto _ : state) {
        listFolder(*list.items(), rs, bin);
        QCoreApplication::sendPostedEvents();
        list.repaint();
    }
    state.counters["items"] = list.items()->count();
}

}  // namespace

BENCHMARK(BM_ListAlpha)->Arg(32766)->Arg(200000)->Unit(benchmark::kMillisecond)->MinTime(2.0);
// Second argument: depth of the listed folder below "Записи".
BENCHMARK(BM_ShowBin)->Arg(32766)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_ListPapka)->Args({32766, 0})->Args({32766, 4})->Unit(benchmark::kMillisecond)->MinTime(1.0);
