// Reading and writing hostile rich-text memos of about 1 MB, as a stranger can put them into a
// container: one long link over tens of thousands of tiny formatting changes and groups, and tens
// of thousands of fonts each used by a run. Reading must stay linear in the memo, in time and in
// memory: measure the peak with /usr/bin/time -v on this benchmark alone (see README.md).
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr std::size_t LinkBytes = 60 * 1024;
constexpr int ManyFonts = 30000;

// A link target of 60 KB whose field result holds bold, plain and italic runs, the italic ones in
// groups, until the memo has the given size.
std::string LinkMemo(std::size_t bytes)
{
    std::string rtf = "{\\rtf1\\ansi{\\field{\\*\\fldinst HYPERLINK \"https://example.org/" +
                      std::string(LinkBytes, 'a') + "\"}{\\fldrslt ";
    while (rtf.size() < bytes) {
        rtf += "\\b x\\b0 y{\\i z}";
    }
    return rtf + "}}}";
}

// A font table of 30,000 fonts, then one run in each of them (about 1 MB).
std::string FontMemo()
{
    std::string rtf = "{\\rtf1\\ansi{\\fonttbl";
    for (int n = 0; n < ManyFonts; ++n) {
        rtf += "{\\f" + std::to_string(n) + " Font " + std::to_string(n) + ";}";
    }
    rtf += '}';
    for (int n = 0; n < ManyFonts; ++n) {
        rtf += "{\\f" + std::to_string(n) + " x}";
    }
    return rtf + '}';
}

void Read(benchmark::State& state, const std::string& rtf)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadRtf(rtf));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * rtf.size()));
}

void Write(benchmark::State& state, const std::string& rtf)
{
    const TRichDocument document = ReadRtf(rtf);
    for (auto _ : state) {
        benchmark::DoNotOptimize(WriteRtf(document));
    }
}

void BM_ReadHostileLinkMemo(benchmark::State& state)
{
    Read(state, LinkMemo(static_cast<std::size_t>(state.range(0))));
}
BENCHMARK(BM_ReadHostileLinkMemo)->Arg(128 << 10)->Arg(1 << 20)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WriteHostileLinkMemo(benchmark::State& state)
{
    Write(state, LinkMemo(static_cast<std::size_t>(state.range(0))));
}
BENCHMARK(BM_WriteHostileLinkMemo)->Arg(128 << 10)->Arg(1 << 20)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReadHostileFontMemo(benchmark::State& state)
{
    Read(state, FontMemo());
}
BENCHMARK(BM_ReadHostileFontMemo)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WriteHostileFontMemo(benchmark::State& state)
{
    Write(state, FontMemo());
}
BENCHMARK(BM_WriteHostileFontMemo)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
