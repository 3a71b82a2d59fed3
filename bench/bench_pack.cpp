// The attachment archive: packing five files of 1 MB of random bytes from disk and
// unpacking them into a folder, against the floor of one plain copy of the same 5 MB.
#include "attachments/PackFiles.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstring>

namespace {

constexpr qsizetype FileSize = 1 << 20;
constexpr int FileCount = 5;
constexpr qint64 TotalBytes = qint64(FileSize) * FileCount;

struct PackFixture {
    QTemporaryDir dir;
    QStringList paths;
    QList<attachments::PackEntry> entries;
    QByteArray archive;
    QString target;

    PackFixture()
    {
        QRandomGenerator g(20261210);
        for (int i = 0; i < FileCount; ++i) {
            QByteArray bytes(FileSize, Qt::Uninitialized);
            g.fillRange(reinterpret_cast<quint32*>(bytes.data()), FileSize / 4);
            const QString name = QStringLiteral("файл %1.bin").arg(i + 1);
            paths.push_back(dir.path() + u'/' + name);
            QFile f(paths.back());
            if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
                qFatal("cannot write the benchmark's files");
            entries.push_back({name, std::move(bytes)});
        }
        archive = *attachments::packEntries(entries);
        target = dir.path() + QStringLiteral("/unpacked");
        QDir().mkpath(target);
    }
};

PackFixture& fixture()
{
    static PackFixture f;
    return f;
}

void BM_MemScan_Pack(benchmark::State& state)
{
    auto& f = fixture();
    QByteArray out(TotalBytes, Qt::Uninitialized);
    for (auto _ : state) {
        char* p = out.data();
        for (const auto& e : f.entries) {
            std::memcpy(p, e.bytes.constData(), size_t(e.bytes.size()));
            p += e.bytes.size();
        }
        benchmark::DoNotOptimize(std::memchr(out.constData(), 0xFF, size_t(out.size())));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * TotalBytes);
}

void BM_Pack(benchmark::State& state)
{
    auto& f = fixture();
    for (auto _ : state) {
        auto archive = attachments::packPaths(f.paths);
        if (!archive)
            state.SkipWithError("pack failed");
        benchmark::DoNotOptimize(archive->constData());
    }
    state.SetBytesProcessed(state.iterations() * TotalBytes);
}

void BM_Unpack(benchmark::State& state)
{
    auto& f = fixture();
    for (auto _ : state) {
        auto report = attachments::unpackAll(f.archive, f.target);
        if (!report || report->written.size() != FileCount)
            state.SkipWithError("unpack failed");
    }
    state.SetBytesProcessed(state.iterations() * TotalBytes);
}

// The same two without the disk, as the import tool uses them.
void BM_PackEntries(benchmark::State& state)
{
    auto& f = fixture();
    for (auto _ : state) {
        auto archive = attachments::packEntries(f.entries);
        benchmark::DoNotOptimize(archive->constData());
    }
    state.SetBytesProcessed(state.iterations() * TotalBytes);
}

void BM_ReadArchive(benchmark::State& state)
{
    auto& f = fixture();
    for (auto _ : state) {
        auto contents = attachments::readArchive(f.archive);
        if (!contents || contents->records.size() != FileCount)
            state.SkipWithError("read failed");
    }
    state.SetBytesProcessed(state.iterations() * TotalBytes);
}

// The same archive with the first record's second separator broken, but its
// first separator found again at the end: the scan's damaged path runs over
// all five files (it used to index every position, at thirty times the size).
void BM_ReadArchive_Damaged(benchmark::State& state)
{
    auto& f = fixture();
    QByteArray damaged = f.archive;
    damaged[attachments::HeaderSize + 18] = char(~damaged[attachments::HeaderSize + 18]);
    damaged += damaged.mid(attachments::HeaderSize, attachments::SeparatorSize);
    for (auto _ : state) {
        auto contents = attachments::readArchive(damaged);
        if (!contents || contents->records.size() != FileCount)
            state.SkipWithError("read failed");
    }
    state.SetBytesProcessed(state.iterations() * TotalBytes);
}

}  // namespace

BENCHMARK(BM_MemScan_Pack)->Name("BM_MemScan_Pack/5MB")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Pack)->Name("BM_Pack/5MB")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Unpack)->Name("BM_Unpack/5MB")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PackEntries)->Name("BM_PackEntries/5MB")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadArchive)->Name("BM_ReadArchive/5MB")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadArchive_Damaged)->Name("BM_ReadArchive_Damaged/5MB")->Unit(benchmark::kMillisecond)->UseRealTime();
