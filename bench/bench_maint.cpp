// Base maintenance against its floors: compacting a base in place against a
// durable copy of the same file, and deleting an installed base of 100,000 rows
// (with the catalogue loaded again) against one plain DELETE of the same rows.
#include "Generator.h"
#include "catalogue/AlphaIndexList.h"
#include "catalogue/CatalogueLoader.h"
#include "catalogue/FolderList.h"
#include "catalogue/MainState.h"
#include "catalogue/PathTree.h"
#include "store/AppFiles.h"
#include "store/Compaction.h"
#include "store/Database.h"
#include "store/InstalledBases.h"
#include "store/Recordset.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <fcntl.h>
#include <unistd.h>

using namespace store;

namespace {

// A copy of `from` at `to` that is on the disk when this returns.
bool durableCopy(const QString& from, const QString& to)
{
    QFile::remove(to);
    if (!QFile::copy(from, to))
        return false;
    const int fd = ::open(QFile::encodeName(to).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

QString cached32766(benchmark::State& state)
{
    auto path = gen::cachedBase(state.range(0));
    if (!path) {
        state.SkipWithError(path.message().toUtf8().constData());
        return QString();
    }
    return *path;
}

// The floor of compaction: the same bytes copied to a new file and flushed.
void BM_CopyFile(benchmark::State& state)
{
    const QString base = cached32766(state);
    if (base.isEmpty())
        return;
    QTemporaryDir work;
    const QString copy = work.filePath(QStringLiteral("copy.mdb"));
    for (auto _ : state) {
        if (!durableCopy(base, copy)) {
            state.SkipWithError("cannot copy the base");
            return;
        }
        state.PauseTiming();
        QFile::remove(copy);
        state.ResumeTiming();
    }
    state.counters["MB"] = double(QFileInfo(base).size()) / 1e6;
}

void BM_Compact(benchmark::State& state)
{
    const QString base = cached32766(state);
    if (base.isEmpty())
        return;
    QTemporaryDir work;
    const AppFiles files(work.path());
    qint64 after = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (!durableCopy(base, files.basePath())) {
            state.SkipWithError("cannot copy the base");
            return;
        }
        state.ResumeTiming();
        auto report = Compaction(files.basePath(), files.backupPath()).run();
        if (!report) {
            state.SkipWithError(report.message().toUtf8().constData());
            return;
        }
        after = report->bytesAfter;
    }
    state.counters["MB"] = double(QFileInfo(base).size()) / 1e6;
    state.counters["MB_after"] = double(after) / 1e6;
}

const QString DeletedBase = QStringLiteral("Удаляемая база");

// `rows` rows of one installed base, as an import writes them, followed by a
// few thousand rows of the user's own.
Result<QString> cachedDeletionBase(qint64 rows)
{
    const QByteArray env = qgetenv("KODRIX_BENCH_DIR");
    const QString dir = env.isEmpty() ? QDir::tempPath() + QStringLiteral("/kodrix-bench") : QString::fromLocal8Bit(env);
    QDir().mkpath(dir);
    const QString path = QStringLiteral("%1/deletebase-%2-v1.mdb").arg(dir).arg(rows);
    if (QFileInfo::exists(path) && Database::open(path).ok())
        return path;
    const QString tmp = path + QStringLiteral(".part");
    for (const QString& f : {path, tmp, tmp + QStringLiteral("-wal"), tmp + QStringLiteral("-shm")})
        QFile::remove(f);
    gen::Options options;
    options.rows = rows;
    options.baseName = DeletedBase;
    if (auto r = gen::generateBase(tmp, options); !r)
        return r.error();
    {
        auto db = Database::open(tmp);
        if (!db)
            return db.error();
        auto rs = (*db)->openRecordset();
        if (!rs)
            return rs.error();
        if (auto r = (*db)->beginBatch(); !r)
            return r.error();
        for (int i = 1; i <= 3000; ++i) {
            (*rs)->addNew();
            (void)(*rs)->setValue(ColPath, QStringLiteral("Мои статьи"));
            (void)(*rs)->setValue(ColName, QStringLiteral("Моя статья %1").arg(i));
            (void)(*rs)->setValue(ColBody, QStringLiteral("{\\rtf1 Моя статья}"));
            (void)(*rs)->setValue(ColKind, 1);
            (void)(*rs)->setValue(ColBaseName, userBaseName());
            if (auto r = (*rs)->update(); !r)
                return r.error();
        }
        if (auto r = (*db)->commitBatch(); !r)
            return r.error();
    }
    if (!QFile::rename(tmp, path))
        return Error{QStringLiteral("Не удалось переименовать «%1».").arg(tmp)};
    return path;
}

// The floor: one DELETE of the same rows, found through the covering index as
// InstalledBases finds them, without the catalogue load. Second argument: 1
// zeroes every freed page (this engine's default), 0 does not.
void BM_DeleteRowsSql(benchmark::State& state)
{
    auto source = cachedDeletionBase(state.range(0));
    if (!source) {
        state.SkipWithError(source.message().toUtf8().constData());
        return;
    }
    QTemporaryDir work;
    const QString base = AppFiles(work.path()).basePath();
    const QByteArray sql = "PRAGMA secure_delete = " + QByteArray(state.range(1) ? "ON" : "FAST")
                           + "; DELETE FROM main WHERE Id IN (SELECT Id FROM main INDEXED BY main_small "
                             "WHERE BaseName = '"
                           + DeletedBase.toUtf8() + "')";
    for (auto _ : state) {
        state.PauseTiming();
        if (!durableCopy(*source, base)) {
            state.SkipWithError("cannot copy the base");
            return;
        }
        auto db = Database::open(base);
        state.ResumeTiming();
        if (sqlite3_exec((*db)->handle(), sql.constData(), nullptr, nullptr, nullptr) != SQLITE_OK) {
            state.SkipWithError((*db)->engineMessage().toUtf8().constData());
            return;
        }
        state.PauseTiming();
        (*db)->close();
        state.ResumeTiming();
    }
}

void BM_DeleteBase(benchmark::State& state)
{
    auto source = cachedDeletionBase(state.range(0));
    if (!source) {
        state.SkipWithError(source.message().toUtf8().constData());
        return;
    }
    QTemporaryDir work;
    catalogue::CatalogueTree tree;
    catalogue::FolderList list;
    catalogue::AlphaIndexList index;
    qint64 removed = 0;
    qint64 left = 0;
    for (auto _ : state) {
        state.PauseTiming();
        catalogue::MainState main;
        main.appDir = work.path();
        main.twv = &tree;
        main.lvPapka = &list;
        main.lstAlphaList = &index;
        main.currentFolder = QStringLiteral("Zelvorant Kodrix");
        if (!durableCopy(*source, AppFiles(work.path()).basePath())) {
            state.SkipWithError("cannot copy the base");
            return;
        }
        // The window has its catalogue loaded when the user deletes a base.
        if (auto r = catalogue::listAlpha(main); !r) {
            state.SkipWithError(r.message().toUtf8().constData());
            return;
        }
        state.ResumeTiming();
        auto r = InstalledBases::remove(*main.base, DeletedBase);
        if (!r) {
            state.SkipWithError(r.message().toUtf8().constData());
            return;
        }
        removed = *r;
        if (auto loaded = catalogue::listAlpha(main); !loaded) {
            state.SkipWithError(loaded.message().toUtf8().constData());
            return;
        }
        left = main.rsBase->recordCount();
        state.PauseTiming();
        main.rsBase.reset();
        main.base->close();
        state.ResumeTiming();
    }
    state.counters["removed"] = double(removed);
    state.counters["left"] = double(left);
}

}  // namespace

// Each iteration copies a base of a few hundred megabytes first (not timed):
// few iterations, compared by scripts/bench-compare.sh's repetitions.
BENCHMARK(BM_CopyFile)->Arg(32766)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_Compact)->Arg(32766)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_DeleteRowsSql)->Args({100000, 0})->Args({100000, 1})->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_DeleteBase)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);
