// The container window where the user waits: showing a container with ten thousand attachments
// and a memo of one MiB, and scrolling its attachment list. Compare BM_OpenContainerWindow with
// the key set-up time it reports: opening a container costs one key set-up, and the window may
// add at most 300 ms to it. BM_FillHostileMemo and BM_TakeHostileMemo: the editor's text document
// made from a hostile memo of 1 MB (a link of 60 KB over 180,000 runs) and the model taken back
// from it, as when the window shows and saves it. BM_ExtractSmallFiles: a thousand files of 4 KiB
// extracted by the window's command, beside the command-line tool's loop over the core.
#include "HostileMemos.h"
#include "app/AppCommands.h"
#include "app/AttachmentCommands.h"
#include "app/ContainerCommands.h"
#include "app/ContainerFlows.h"
#include "app/OpenContainer.h"
#include "app/Session.h"
#include "app/TemporaryFiles.h"
#include "cipher/BrassCrypto.h"
#include "container/FileWriteBehind.h"
#include "container/RandomCryptoContainer.h"
#include "dragdrop/RichTextMapping.h"
#include "richtext/RtfReader.h"
#include "settings/Settings.h"
#include "ui/widgets/Artwork.h"
#include "ui/container/AttachmentView.h"
#include "ui/container/ContainerForm.h"
#include "ui/services/QtDialogs.h"

#include <QApplication>
#include <QListView>
#include <QScrollBar>
#include <QTextDocument>
#include <QTreeView>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <unistd.h>

namespace {

constexpr int ManyEntries = 10000;
constexpr std::size_t MemoSize = std::size_t{1} << 20;
const std::string Password = "8bytePWD";

// No operation runs in these measurements; a call would be a fault of the benchmark.
class TNoCommands : public IContainerCommands, public IAppCommands
{
public:
    void Run(const char*, TWindowFlow, IContainerWindow&) override { Unexpected(); }
    void OpenAttachment(IContainerWindow&, int) override { Unexpected(); }
    bool CloseContainerWindow(IContainerWindow&) override { return true; }
    void NewContainer() override { Unexpected(); }
    void OpenContainerFile(IContainerWindow*, const std::string&) override { Unexpected(); }
    void OpenOutlookContainer(bool) override { Unexpected(); }
    bool IsOutlookRunning() override { return false; }
    void WipeFiles() override { Unexpected(); }
    void ShowOptions() override { Unexpected(); }
    void DropFiles(IContainerWindow*, const std::vector<std::string>&) override { Unexpected(); }
    void DropText(IContainerWindow*, const std::string&, bool) override { Unexpected(); }
    int OpenContainerWindowCount() override { return 0; }
    bool CloseContainerWindows() override { return true; }
    bool IsMailDialogOpen() override { return false; }
    bool FlowRunning() override { return false; }
    void AfterFlow(std::function<void()> action) override { action(); }

private:
    static void Unexpected() { std::abort(); }
};

// A container with many small attachments and a large rich-text memo, made once.
class TLargeContainer
{
public:
    TLargeContainer()
        : FFolder(std::filesystem::temp_directory_path() / ("sealvane-bench-window-" + std::to_string(::getpid())))
    {
        std::filesystem::create_directories(FFolder);
        TRandomCryptoContainer container{TContainerKey(Password)};
        container.OpenNew(File());
        const std::string names[] = {"report.pdf", "photo.jpg", "notes.txt", "table.ods", "archive.zip"};
        for (int n = 0; n < ManyEntries; ++n) {
            const std::string entry = (FFolder / (std::to_string(n) + "-" + names[n % 5])).string();
            std::ofstream(entry) << n;
            container.AddFile(entry, FFolder.string());
            std::filesystem::remove(entry);
        }
        container.SetMemo(Memo());
        container.Close();
    }
    ~TLargeContainer() { std::filesystem::remove_all(FFolder); }
    std::string File() const { return (FFolder / "large.xvt").string(); }

private:
    // Rich text of one MiB: paragraphs with bold and italic runs.
    static std::string Memo()
    {
        std::string memo = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 ";
        const std::string paragraph =
            "The quick brown fox {\\b jumps} over the {\\i lazy} dog, and the quick brown fox runs on.\\par\n";
        while (memo.size() + paragraph.size() < MemoSize) {
            memo += paragraph;
        }
        return memo + "}";
    }

    std::filesystem::path FFolder;
};

TLargeContainer& LargeContainer()
{
    static TLargeContainer container;
    return container;
}

struct TWindowWorld
{
    TSettings FSettings{[](const std::string&, const std::string&) {}};
    TTemporaryFiles FTemporaryFiles;
    TSession FSession{FTemporaryFiles};
    TNoCommands FCommands;
};

// Opens the container and shows it, as opening a file does: the key set-up, the catalog, the
// memo into the editor, the list, the first painting.
std::unique_ptr<TContainerForm> ShowLargeContainer(TWindowWorld& world, int view)
{
    world.FSettings.fContainer_DefaultAttachmentView = view;
    auto container = std::make_unique<TRandomCryptoContainer>(TContainerKey(Password));
    container->OpenExisting(LargeContainer().File());
    auto window = std::make_unique<TContainerForm>(world.FSettings, world.FSession, world.FCommands, world.FCommands);
    window->Shown().Assign(std::move(container));
    window->LoadContent();
    window->BringToFront();
    window->repaint();
    QCoreApplication::processEvents();
    return window;
}

void BM_OpenContainerWindow(benchmark::State& state)
{
    LargeContainer();
    TWindowWorld world;
    for (auto _ : state) {
        auto window = ShowLargeContainer(world, static_cast<int>(state.range(0)));
        state.PauseTiming();
        window.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["key_setup_ms"] = static_cast<double>(TBrassCrypto(Password).SetupMilliseconds());
    state.counters["entries"] = ManyEntries;
}
BENCHMARK(BM_OpenContainerWindow)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// One page down through the attachment list, painted: what each step of scrolling costs.
void BM_ScrollAttachmentList(benchmark::State& state)
{
    TWindowWorld world;
    auto window = ShowLargeContainer(world, static_cast<int>(state.range(0)));
    auto* list = window->findChild<TAttachmentView*>("AttachmentList");
    QAbstractItemView* view = state.range(0) == 1 ? static_cast<QAbstractItemView*>(list->DetailView())
                                                  : static_cast<QAbstractItemView*>(list->SymbolView());
    QCoreApplication::processEvents();
    QScrollBar* bar = view->verticalScrollBar();
    for (auto _ : state) {
        const int next = bar->value() + bar->pageStep();
        bar->setValue(next > bar->maximum() ? 0 : next);
        view->viewport()->repaint();
    }
}
BENCHMARK(BM_ScrollAttachmentList)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FillHostileMemo(benchmark::State& state)
{
    const TRichDocument model = ReadRtf(HostileMemos::LinkMemo(MemoSize));
    for (auto _ : state) {
        QTextDocument document;
        RichTextMapping::Fill(document, model);
    }
}
BENCHMARK(BM_FillHostileMemo)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_TakeHostileMemo(benchmark::State& state)
{
    QTextDocument document;
    RichTextMapping::Fill(document, ReadRtf(HostileMemos::LinkMemo(MemoSize)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(RichTextMapping::FromTextDocument(document));
    }
}
BENCHMARK(BM_TakeHostileMemo)->Unit(benchmark::kMillisecond)->UseRealTime();

// A container of a thousand attachments of 4 KiB, made once, and a folder to extract them into.
class TSmallFilesContainer
{
public:
    static constexpr int Files = 1000;

    TSmallFilesContainer()
        : FFolder(std::filesystem::temp_directory_path() / ("sealvane-bench-extract-" + std::to_string(::getpid())))
    {
        std::filesystem::create_directories(FFolder / "in");
        TRandomCryptoContainer container{TContainerKey(Password)};
        container.OpenNew(File());
        const std::string contents(4096, 'x');
        for (int n = 0; n < Files; ++n) {
            const std::string entry = (FFolder / "in" / (std::to_string(n) + ".bin")).string();
            std::ofstream(entry) << contents;
            container.AddFile(entry, (FFolder / "in").string());
            std::filesystem::remove(entry);
        }
        container.Close();
    }
    ~TSmallFilesContainer() { std::filesystem::remove_all(FFolder); }
    std::string File() const { return (FFolder / "small.xvt").string(); }
    // A new folder for each extraction: deleting a thousand files just before would make the
    // next thousand slow on ext4, which reuses freed inodes only after a while.
    std::string NewTarget()
    {
        FTarget = (FFolder / ("out" + std::to_string(++FTargets))).string();
        return FTarget;
    }
    const std::string& Target() const { return FTarget; }

private:
    std::filesystem::path FFolder;
    int FTargets = 0;
    std::string FTarget;
};

// The window's dialogs with the folder chosen at once.
class TFolderChosen : public TQtDialogs
{
public:
    TFolderChosen(QWidget* owner, TSettings& settings, const std::string& folder)
        : TQtDialogs(owner, settings), FFolder(folder)
    {
    }
    std::string AskFolder(const std::string&, const std::string&) override { return FFolder; }

private:
    const std::string& FFolder;
};

class TNoWindows : public IContainerWindowFactory
{
public:
    IContainerWindow& CreateContainerWindow() override { std::abort(); }
};

// "Extract all attachments" of the container window (0) with its progress display, into an empty
// folder; beside it (1) the extraction loop of the command-line tool over the core alone.
void BM_ExtractSmallFiles(benchmark::State& state)
{
    static TSmallFilesContainer source;
    TWindowWorld world;
    world.FSettings.ExploreAfterExtract = false;
    auto container = std::make_unique<TRandomCryptoContainer>(TContainerKey(Password));
    container->OpenExisting(source.File());
    TContainerForm window(world.FSettings, world.FSession, world.FCommands, world.FCommands);
    window.Shown().Assign(std::move(container));
    window.LoadContent();
    TFolderChosen dialogs(&window, world.FSettings, source.Target());
    window.SetDialogs(&dialogs);
    TNoWindows windows;
    TContainerFlows flows(world.FSettings, world.FSession, windows, dialogs);
    TAttachmentCommands commands(world.FSettings, world.FSession, flows);
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::create_directories(source.NewTarget());
        state.ResumeTiming();
        if (state.range(0) == 0) {
            commands.ExtractAllAttachments(window);
        } else {
            TFileWriteBehind writeBehind([](const std::exception&) { std::abort(); });
            for (int index = 0; index < window.Shown().Container().GetCatalog().Count(); ++index) {
                window.Shown().Container().ExtractFile(index, source.Target(), &writeBehind);
            }
            writeBehind.Finish();
        }
    }
    if (std::distance(std::filesystem::directory_iterator(source.Target()), {}) != TSmallFilesContainer::Files) {
        state.SkipWithError("not every file was written");
    }
    state.counters["files"] = TSmallFilesContainer::Files;
}
BENCHMARK(BM_ExtractSmallFiles)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    Artwork::Load();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
