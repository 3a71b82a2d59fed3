// The store's floor and its row model: a plain SQL pass over the small columns
// against a Recordset pass reading the same columns.
#include "Generator.h"
#include "store/Database.h"
#include "store/Recordset.h"

#include <benchmark/benchmark.h>

#include <QFile>

#include <sqlite3.h>

using namespace store;

namespace {

QString baseFor(benchmark::State& state)
{
    auto path = gen::cachedBase(state.range(0));
    if (!path) {
        state.SkipWithError(path.message().toUtf8().constData());
        return QString();
    }
    return *path;
}

// The eight columns every whole-base pass reads.
constexpr int SmallColumns[] = {ColPath, ColName, ColKind, ColDeleted, ColFavorite, ColBaseName, ColAdded, ColLinkTarget};

void BM_RawScan(benchmark::State& state)
{
    const QString path = baseFor(state);
    if (path.isEmpty())
        return;
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_exec(db, "PRAGMA key='orchidmaplebrook'; PRAGMA cache_size=-65536", nullptr, nullptr, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "SELECT Path, Name, Kind, Deleted, Favorite, BaseName, Added, LinkTarget FROM main", -1,
                       &st, nullptr);
    qint64 rows = 0;
    for (auto _ : state) {
        rows = 0;
        while (sqlite3_step(st) == SQLITE_ROW) {
            for (int c : {0, 1, 5, 6, 7}) {
                const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(st, c));
                benchmark::DoNotOptimize(QString::fromUtf8(p, sqlite3_column_bytes(st, c)));
            }
            for (int c : {2, 3, 4})
                benchmark::DoNotOptimize(sqlite3_column_int64(st, c));
            ++rows;
        }
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    state.counters["rows"] = double(rows);
}

void BM_RecordsetPass(benchmark::State& state)
{
    const QString path = baseFor(state);
    if (path.isEmpty())
        return;
    auto db = Database::open(path);
    if (!db) {
        state.SkipWithError(db.message().toUtf8().constData());
        return;
    }
    qint64 rows = 0;
    for (auto _ : state) {
        auto rs = (*db)->openRecordset();
        rows = 0;
        Recordset& r = **rs;
        const qint64 n = r.recordCount();
        r.moveFirst();
        for (qint64 i = 0; i < n; ++i) {
            for (int c : SmallColumns)
                benchmark::DoNotOptimize(r.value(c));
            r.moveNext();
            ++rows;
        }
    }
    state.counters["rows"] = double(rows);
}

}  // namespace

BENCHMARK(BM_RawScan)->Arg(20000)->Arg(32766)->Arg(200000)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_RecordsetPass)->Arg(32766)->Arg(200000)->Unit(benchmark::kMillisecond)->MinTime(2.0);
