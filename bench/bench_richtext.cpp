// The article pane's RTF costs on a generated 1 MB Cyrillic article with mixed formatting,
// next to one plain scan of the same bytes (the floor any reader has to pay).
#include "richtext/Rtf.h"

#include <benchmark/benchmark.h>

#include <QTextDocument>

#include <algorithm>

namespace {

// A rich-edit style article: code page 1251 text as \'hh, bold/italic/underline runs, two
// fonts, colours, \uN characters, list labels, a link and a small table now and then.
const QByteArray& article()
{
    static const QByteArray bytes = [] {
        QByteArray out = "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049{\\fonttbl{\\f0\\fswiss\\fcharset204 Arial CYR;}"
                         "{\\f1\\fmodern\\fcharset204 Courier New CYR;}{\\f2\\fnil\\fcharset2 Symbol;}}\r\n"
                         "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\r\n"
                         "\\viewkind4\\uc1\\pard\\f0\\fs20 ";
        quint32 seed = 12345;
        auto next = [&seed] {
            seed = seed * 1664525u + 1013904223u;
            return seed >> 8;
        };
        static const char* const words[] = {"\\'cf\\'f0\\'ee\\'e3\\'f0\\'e0\\'ec\\'ec\\'e0", "\\'f4\\'ee\\'f0\\'ec\\'e0",
                                            "\\'ec\\'ee\\'e4\\'f3\\'eb\\'fc", "Private Sub", "\\'ea\\'eb\\'e0\\'f1\\'f1",
                                            "\\'ee\\'e1\\'fa\\'e5\\'ea\\'f2", "Dim x As Long", "\\'f1\\'e2\\'ee\\'e9\\'f1\\'f2\\'e2\\'ee",
                                            "\\'ee\\'ea\\'ed\\'ee", "\\u8470?1"};
        int paragraph = 0;
        while (out.size() < 1024 * 1024) {
            const quint32 r = next();
            out += words[r % 10];
            out += ' ';
            switch ((r >> 4) % 16) {
            case 0: out += "\\b "; out += words[(r >> 8) % 10]; out += "\\b0 "; break;
            case 1: out += "{\\i "; out += words[(r >> 8) % 10]; out += "} "; break;
            case 2: out += "\\ul "; out += words[(r >> 8) % 10]; out += "\\ulnone "; break;
            case 3: out += "\\f1 "; out += words[3]; out += "\\f0 "; break;
            case 4: out += "\\cf1 "; out += words[(r >> 8) % 10]; out += "\\cf0 "; break;
            case 5:
                out += "{\\field{\\*\\fldinst{HYPERLINK \"http://example.ru/\"}}{\\fldrslt{\\ul\\cf2 "
                       "\\'f1\\'f1\\'fb\\'eb\\'ea\\'e0}}} ";
                break;
            case 6:
                out += "\\par\r\n";
                if (++paragraph % 40 == 0)
                    out += "\\trowd\\trgaph108\\cellx3000\\cellx6000\\pard\\intbl \\'e0\\cell \\'e1\\cell\\row"
                           "\\pard ";
                else if (paragraph % 7 == 0)
                    out += "\\pard{\\pntext\\f2\\'b7\\tab}\\fi-360\\li720 ";
                else if (paragraph % 5 == 0)
                    out += "\\pard\\qc ";
                break;
            default: break;
            }
        }
        out += "\\par\r\n}\r\n";
        return out;
    }();
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
