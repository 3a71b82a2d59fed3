// The article pane's RTF costs on a generated 1 MB Cyrillic article with mixed formatting,
// next to one plain scan of the same bytes (the floor any reader has to pay).
#include "Generator.h"
#include "richtext/Rtf.h"

#include <benchmark/benchmark.h>

#include <QTextDocument>

#include <algorithm>

namespace {

const QByteArray& article()
{
    static const QByteArray bytes = gen::richArticle(1024 * 1024);
    return bytes;
}

void BM_MemScan(benchmark::State& state)
{
    const QByteArray& in = article();
    for (auto _ : state) {
        // The floor: one pass that looks at every byte (how many control words there are).
        benchmark::DoNotOptimize(std::count(in.begin(), in.end(), '\\'));
    }
    state.SetBytesProcessed(state.iterations() * in.size());
}

void BM_RtfPlainText(benchmark::State& state)
{
    const QByteArray& in = article();
    for (auto _ : state)
        benchmark::DoNotOptimize(richtext::plainText(in));
    state.SetBytesProcessed(state.iterations() * in.size());
}

void BM_RtfLoad(benchmark::State& state)
{
    const QByteArray& in = article();
    for (auto _ : state) {
        QTextDocument doc;
        richtext::readRtf(in, &doc);
        benchmark::DoNotOptimize(doc.characterCount());
    }
    state.SetBytesProcessed(state.iterations() * in.size());
}

void BM_RtfWrite(benchmark::State& state)
{
    QTextDocument doc;
    richtext::readRtf(article(), &doc);
    qint64 written = 0;
    for (auto _ : state) {
        const QByteArray out = richtext::writeRtf(&doc);
        written = out.size();
        benchmark::DoNotOptimize(out.size());
    }
    state.SetBytesProcessed(state.iterations() * written);
}

const bool registered = [] {
    benchmark::RegisterBenchmark("BM_MemScan/1MB", BM_MemScan)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_RtfPlainText/1MB", BM_RtfPlainText)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_RtfLoad/1MB", BM_RtfLoad)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_RtfWrite/1MB", BM_RtfWrite)->Unit(benchmark::kMillisecond);
    return true;
}();

}  // namespace
