// Reading and writing hostile rich-text memos of about 1 MB: one long link over tens of thousands
// of tiny formatting changes and groups, and tens of thousands of fonts each used by a run.
// Reading must stay linear in the memo, in time and in memory: measure the peak with
// /usr/bin/time -v on this benchmark alone (see README.md).
#include "HostileMemos.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <benchmark/benchmark.h>

namespace {

using HostileMemos::FontMemo;
using HostileMemos::LinkMemo;

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
