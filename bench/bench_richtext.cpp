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

// One table of three columns as a rich-edit control writes it, row after row until the
// article holds `bytes` bytes (about 10,000 rows a megabyte).
QByteArray tableArticle(qsizetype bytes)
{
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049{\\fonttbl{\\f0\\fswiss\\fcharset204 Arial CYR;}}\r\n"
                     "\\viewkind4\\uc1\\pard\\f0\\fs20 \\'d2\\'e0\\'e1\\'eb\\'e8\\'f6\\'e0\\par\r\n";
    int row = 0;
    while (out.size() < bytes) {
        out += "\\trowd\\cellx2000\\cellx5000\\cellx9000\\intbl ";
        out += QByteArray::number(++row);
        out += "\\cell\\b Name\\b0\\cell \\'e8\\'ec\\'ff\\cell\\row\r\n";
    }
    out += "\\pard\\par\r\n}\r\n";
    return out;
}

const QByteArray& table()
{
    static const QByteArray bytes = tableArticle(1024 * 1024);
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

// A long table: each cell must be reached in constant time, not looked up from the table's start.
void BM_RtfLoadTable(benchmark::State& state)
{
    const QByteArray& in = table();
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
    benchmark::RegisterBenchmark("BM_RtfLoadTable/1MB", BM_RtfLoadTable)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_RtfWrite/1MB", BM_RtfWrite)->Unit(benchmark::kMillisecond);
    return true;
}();

}  // namespace
