// Container speed where the user waits: adding and extracting a large file in either format, and
// opening a container with many entries. Compare the first two of format 4 with BM_Keystream of
// the same run (the cipher sets the limit), and format 5 with format 4.
#include "container/RandomCryptoContainer.h"
#include "sealed/ContainerFormats.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::int64_t LargeFileSize = std::int64_t{256} << 20;
constexpr int ManyEntries = 10000;
const std::string Password = "8bytePWD";

// A scratch folder for one benchmark, removed at its end.
class TScratch
{
public:
    explicit TScratch(const std::string& name)
        : FPath(std::filesystem::temp_directory_path() / ("sealvane-bench-" + name + "-" + std::to_string(::getpid())))
    {
        std::filesystem::create_directories(FPath);
    }
    ~TScratch() { std::filesystem::remove_all(FPath); }
    std::string File(const std::string& name) const { return (FPath / name).string(); }
    std::string Path() const { return FPath.string(); }

private:
    std::filesystem::path FPath;
};

// A closed container of the format of the first argument.
std::unique_ptr<TContainer> ContainerOfFormat(const benchmark::State& state)
{
    return NewContainer(TContainerKey(Password), state.range(0));
}

// With a second argument of 1 the container reports its progress (to a callback that only counts),
// as in the program; with 0 it reports to nobody.
void SetProgressOf(TContainer& container, const benchmark::State& state, std::int64_t& reports)
{
    if (state.range(1) != 0) {
        container.SetProgress([&reports](std::int64_t, std::int64_t) {
            ++reports;
            return true;
        });
    }
}

void WriteFileOfSize(const std::string& name, std::int64_t size)
{
    std::vector<char> chunk(1 << 20, 'S');
    std::ofstream out(name, std::ios::binary);
    for (std::int64_t done = 0; done < size; done += static_cast<std::int64_t>(chunk.size())) {
        out.write(chunk.data(), static_cast<std::streamsize>(chunk.size()));
    }
}

// Closing is timed too: it is where format 4 writes its catalog and waits for the device, which
// format 5 does in AddFile. Opening is not: format 5 derives its keys there (BM_SealedKeySetup).
void BM_AddFile(benchmark::State& state)
{
    TScratch scratch("add");
    const std::string source = scratch.File("large.bin");
    WriteFileOfSize(source, LargeFileSize);
    // Written out before timing starts, so that the disk is not busy with it while we measure.
    ::sync();
    const auto container = ContainerOfFormat(state);
    std::int64_t reports = 0;
    SetProgressOf(*container, state, reports);
    for (auto _ : state) {
        state.PauseTiming();
        std::remove(scratch.File("c.xvt").c_str());
        container->OpenNew(scratch.File("c.xvt"));
        state.ResumeTiming();
        container->AddFile(source, scratch.Path());
        container->Close();
    }
    state.SetBytesProcessed(state.iterations() * LargeFileSize);
    state.counters["reports"] = static_cast<double>(reports);
}

void BM_ExtractFile(benchmark::State& state)
{
    TScratch scratch("extract");
    const std::string source = scratch.File("large.bin");
    WriteFileOfSize(source, LargeFileSize);
    const auto container = ContainerOfFormat(state);
    container->OpenNew(scratch.File("c.xvt"));
    container->AddFile(source, scratch.Path());
    std::filesystem::remove(source);
    ::sync();
    std::int64_t reports = 0;
    SetProgressOf(*container, state, reports);
    for (auto _ : state) {
        container->ExtractFileTo(0, scratch.File("extracted.bin"));
        state.PauseTiming();
        std::filesystem::remove(scratch.File("extracted.bin"));
        ::sync();
        state.ResumeTiming();
    }
    container->Close();
    state.SetBytesProcessed(state.iterations() * LargeFileSize);
    state.counters["reports"] = static_cast<double>(reports);
}

// Format 4 and 5, each without and with a progress.
void FormatsAndProgress(benchmark::internal::Benchmark* benchmark)
{
    benchmark->ArgNames({"format", "progress"});
    for (const std::int64_t format : {ClassicFormat, SealedFormat}) {
        benchmark->Args({format, 0})->Args({format, 1});
    }
    benchmark->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);
}
BENCHMARK(BM_AddFile)->Apply(FormatsAndProgress);
BENCHMARK(BM_ExtractFile)->Apply(FormatsAndProgress);

// Opening reads the header and the stored catalog; the key set-up of the container object is
// part of what the user waits for, so each iteration makes a new one.
void BM_OpenLargeCatalog(benchmark::State& state)
{
    TScratch scratch("catalog");
    const std::string file = scratch.File("many.xvt");
    {
        const std::string empty = scratch.File("entry");
        std::ofstream(empty).flush();
        TRandomCryptoContainer container{TContainerKey(Password)};
        container.OpenNew(file);
        for (int n = 0; n < ManyEntries; ++n) {
            container.AddFile(empty, scratch.Path());
        }
        container.Close();
    }
    for (auto _ : state) {
        TRandomCryptoContainer container{TContainerKey(Password)};
        benchmark::DoNotOptimize(container.OpenReadOnly(file).Count());
        container.Close();
    }
    state.counters["entries"] = ManyEntries;
}
BENCHMARK(BM_OpenLargeCatalog)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
