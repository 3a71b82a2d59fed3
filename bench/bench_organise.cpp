// Organising on a large base: a favourite toggled, an entry moved into the
// bin, a folder of about ten thousand rows renamed, an entry deleted for good
// (against the reload it replaces, BM_ListAlpha), and the see-also picker
// filled and shown. Each runs on a copy of the generated base with the
// catalogue loaded into shown views, the list showing the entry's folder. Run
// with BM_RawScan in the same process for the store's floor.
#include "BenchSupport.h"
#include "Generator.h"

#include "catalogue/AlphaIndexList.h"
#include "catalogue/CatalogueLoader.h"
#include "catalogue/FolderList.h"
#include "catalogue/FolderListing.h"
#include "catalogue/PathTree.h"
#include "organise/CatalogueViews.h"
#include "organise/Favourites.h"
#include "organise/RecycleBin.h"
#include "organise/Renamer.h"
#include "organise/SeeAlsoPicker.h"
#include "store/AppFiles.h"
#include "store/Database.h"
#include "store/Record.h"
#include "store/Recordset.h"

#include <benchmark/benchmark.h>

#include <sqlite3.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryDir>

#include <map>
#include <memory>

using namespace store;

namespace {

const QString Records = QStringLiteral("Zelvorant Kodrix\\Записи");

// The main window's state and views over a private copy of the generated
// base, made once per size and kept for every benchmark here.
struct World {
    QTemporaryDir dir;
    catalogue::CatalogueTree tree;
    catalogue::FolderList list;
    catalogue::AlphaIndexList index;
    catalogue::MainState state;
    bench::SilentPrompter prompter;
    std::unique_ptr<organise::CatalogueViews> views;
    std::unique_ptr<organise::RecycleBin> bin;
    std::unique_ptr<organise::Favourites> favourites;
    std::unique_ptr<organise::Renamer> renamer;
    QString error;

    explicit World(qint64 rows)
    {
        auto cached = gen::cachedBase(rows);
        if (!cached) {
            error = cached.message();
            return;
        }
        state.appDir = dir.path();
        // The commands write into the base: never into the cached one.
        if (!QFile::copy(*cached, AppFiles(dir.path()).basePath())) {
            error = QStringLiteral("cannot copy the generated base");
            return;
        }
        state.twv = &tree;
        state.lvPapka = &list;
        state.lstAlphaList = &index;
        state.currentFolder = Records;
        if (auto r = catalogue::listAlpha(state); !r) {
            error = r.message();
            return;
        }
        list.resize(900, 600);
        list.setViewMode(catalogue::ViewMode::Report);
        tree.resize(300, 600);
        index.resize(300, 600);
        for (QWidget* w : {static_cast<QWidget*>(&tree), static_cast<QWidget*>(&list), static_cast<QWidget*>(&index)})
            w->show();
        QCoreApplication::processEvents();
        views = std::make_unique<organise::CatalogueViews>(state);
        const organise::OrganiseContext context{state, prompter, *views, QStringLiteral("Kodrix")};
        bin = std::make_unique<organise::RecycleBin>(context);
        favourites = std::make_unique<organise::Favourites>(context);
        renamer = std::make_unique<organise::Renamer>(context, list);
    }

    // The folder at the top of "Записи" whose rows come nearest ten thousand.
    QString folderNearTenThousand()
    {
        QHash<QString, qint64> counts;
        Recordset& rs = *state.rsBase;
        for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
            const QString top = rs.text(ColPath).section(QLatin1Char('\\'), 0, 0);
            if (!top.isEmpty() && !isFavouritesPath(top))
                ++counts[top];
        }
        QString folder;
        for (auto it = counts.begin(); it != counts.end(); ++it) {
            if (folder.isEmpty() || std::abs(it.value() - 10000) < std::abs(counts[folder] - 10000))
                folder = it.key();
        }
        folderRows = counts[folder];
        return folder;
    }
    qint64 folderRows = 0;

    // A live article in the middle of the base, not a favourite, its folder shown.
    qint64 pickEntry()
    {
        Recordset& rs = *state.rsBase;
        for (qint64 n = rs.recordCount() / 2; n <= rs.recordCount(); ++n) {
            rs.moveTo(n);
            if (rs.flag(ColDeleted) || rs.flag(ColFavorite) || rs.integer(ColKind) != KindArticle ||
                rs.text(ColName).isEmpty())
                continue;
            state.currentFolder = Records + QLatin1Char('\\') + rs.text(ColPath);
            catalogue::listPapka(state);
            QCoreApplication::processEvents();
            return n;
        }
        return 0;
    }
};

std::map<qint64, std::unique_ptr<World>>& worlds()
{
    static std::map<qint64, std::unique_ptr<World>> all;
    return all;
}

World* world(benchmark::State& s)
{
    auto& w = worlds()[s.range(0)];
    if (!w) {
        // Widgets go before the application does, and the copies with them.
        if (worlds().size() == 1)
            qAddPostRoutine([] { worlds().clear(); });
        w = std::make_unique<World>(s.range(0));
    }
    if (!w->error.isEmpty()) {
        s.SkipWithError(w->error.toUtf8().constData());
        return nullptr;
    }
    return w.get();
}

void BM_ToggleFavourite(benchmark::State& s)
{
    World* w = world(s);
    if (!w)
        return;
    const qint64 n = w->pickEntry();
    bool on = false;
    for (auto _ : s) {
        w->state.selItem = QString::number(n);
        on = !on;
        const bool done = on ? w->favourites->add() : w->favourites->remove();
        QCoreApplication::sendPostedEvents();
        if (!done) {
            s.SkipWithError("the favourite was not stored");
            return;
        }
    }
    if (on) {
        w->state.selItem = QString::number(n);
        (void)w->favourites->remove();
    }
}

void BM_MoveToBin(benchmark::State& s)
{
    World* w = world(s);
    if (!w)
        return;
    const qint64 n = w->pickEntry();
    for (auto _ : s) {
        w->state.selItem = QString::number(n);
        const bool done = w->bin->deleteItem(true);
        QCoreApplication::sendPostedEvents();
        s.PauseTiming();
        w->state.selItem = QString::number(n);
        const bool back = w->bin->restore();
        QCoreApplication::sendPostedEvents();
        s.ResumeTiming();
        if (!done || !back) {
            s.SkipWithError("the entry did not move");
            return;
        }
    }
}

// The folder at the top of "Записи" holding the number of rows closest to
// ten thousand, renamed back and forth while "Записи" is shown.
void BM_RenameFolder(benchmark::State& s)
{
    World* w = world(s);
    if (!w)
        return;
    const QString folder = w->folderNearTenThousand();
    w->state.currentFolder = Records;
    catalogue::listPapka(w->state);
    QString from = folder;
    QString to = folder + QStringLiteral(" 2");
    for (auto _ : s) {
        const int row = w->list.items()->findText(from);
        const bool done = row >= 0 && w->renamer->afterLabelEdit(row, to);
        QCoreApplication::sendPostedEvents();
        if (!done) {
            s.SkipWithError("the folder was not renamed");
            return;
        }
        std::swap(from, to);
    }
    if (from != folder) {
        const int row = w->list.items()->findText(from);
        (void)w->renamer->afterLabelEdit(row, folder);
    }
    s.counters["rows"] = double(w->folderRows);
}

// The store's floor for BM_RenameFolder: the same rows' Path rewritten by one
// prepared UPDATE per row in one transaction, nothing else.
void BM_RenameFolderFloor(benchmark::State& s)
{
    World* w = world(s);
    if (!w)
        return;
    const QString folder = w->folderNearTenThousand();
    std::vector<std::pair<qint64, QString>> rows;  // Id, Path below the folder
    Recordset& rs = *w->state.rsBase;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        const QString path = rs.text(ColPath);
        if (path == folder || path.startsWith(folder + QLatin1Char('\\')))
            rows.emplace_back(rs.currentRowId(), path.mid(folder.size()));
    }
    sqlite3* db = w->state.base->handle();
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "UPDATE main SET Path = ?1 WHERE Id = ?2", -1, &st, nullptr);
    QString prefix = folder + QStringLiteral(" 2");
    for (auto _ : s) {
        sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        for (const auto& [id, rest] : rows) {
            const QByteArray path = (prefix + rest).toUtf8();
            sqlite3_bind_text(st, 1, path.constData(), int(path.size()), SQLITE_TRANSIENT);
            sqlite3_bind_int64(st, 2, id);
            sqlite3_step(st);
            sqlite3_reset(st);
        }
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        prefix = prefix == folder ? folder + QStringLiteral(" 2") : folder;
    }
    if (prefix == folder) {  // an odd number of renames: put the rows back
        sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        for (const auto& [id, rest] : rows) {
            const QByteArray path = (folder + rest).toUtf8();
            sqlite3_bind_text(st, 1, path.constData(), int(path.size()), SQLITE_TRANSIENT);
            sqlite3_bind_int64(st, 2, id);
            sqlite3_step(st);
            sqlite3_reset(st);
        }
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    }
    sqlite3_finalize(st);
    s.counters["rows"] = double(rows.size());
}

// Deleting for good, views patched in place; BM_ListAlpha is the reload it
// replaces. Each iteration removes one more row of the bin.
void BM_DeleteForGood(benchmark::State& s)
{
    World* w = world(s);
    if (!w)
        return;
    w->state.currentFolder = QStringLiteral("Zelvorant Kodrix\\Корзина");
    catalogue::listPapka(w->state);
    Recordset& rs = *w->state.rsBase;
    qint64 next = rs.recordCount() / 2;
    for (auto _ : s) {
        s.PauseTiming();
        while (next <= rs.recordCount()) {
            rs.moveTo(next);
            if (rs.flag(ColDeleted) && !rs.text(ColName).isEmpty())
                break;
            ++next;
        }
        w->state.selItem = QString::number(next);
        s.ResumeTiming();
        const bool done = w->bin->deleteFromBase();
        QCoreApplication::sendPostedEvents();
        if (!done) {
            s.SkipWithError("no row was deleted");
            return;
        }
    }
}

void BM_SeeAlsoPicker(benchmark::State& s)
{
    World* w = world(s);
    if (!w)
        return;
    qint64 nodes = 0;
    double filled = 0;
    for (auto _ : s) {
        QElapsedTimer t;
        t.start();
        auto picker = organise::SeeAlsoPicker::create(*w->state.base);
        if (!picker) {
            s.SkipWithError(picker.message().toUtf8().constData());
            return;
        }
        filled += double(t.nsecsElapsed()) / 1e6;
        (*picker)->show();
        QCoreApplication::processEvents();
        nodes = (*picker)->tree()->nodes()->nodeCount();
    }
    s.counters["nodes"] = double(nodes);
    // The share of filling the tree (the rest is showing it).
    s.counters["fill_ms"] = benchmark::Counter(filled, benchmark::Counter::kAvgIterations);
}

}  // namespace

BENCHMARK(BM_ToggleFavourite)->Arg(200000)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);
BENCHMARK(BM_MoveToBin)->Arg(200000)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);
BENCHMARK(BM_RenameFolder)->Arg(200000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(6);
BENCHMARK(BM_RenameFolderFloor)->Arg(200000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(6);
BENCHMARK(BM_DeleteForGood)->Arg(200000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
BENCHMARK(BM_SeeAlsoPicker)->Arg(200000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
