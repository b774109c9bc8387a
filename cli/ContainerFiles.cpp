#include "ContainerFiles.h"

#include "Progress.h"
#include "TextFormat.h"
#include "container/ContainerError.h"
#include "container/LocalFiles.h"
#include "container/Container.h"
#include "language/Messages.h"
#include "richtext/RtfReader.h"
#include "text/ShownText.h"
#include "text/StoredText.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

std::string RewriteTarget(const std::string& fileName)
{
    return std::filesystem::canonical(fileName).string();
}

std::optional<std::int64_t> ParseEntryNumber(const std::string& text)
{
    if (text.empty() || text.size() > 18 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    return std::stoll(text);
}

int IndexOfEntry(const TCatalog& catalog, std::int64_t number)
{
    for (int index = 0; index < catalog.Count(); ++index) {
        if (catalog.Item(index)->FID == number) {
            return index;
        }
    }
    return -1;
}

std::vector<int> IndicesByNumber(const TCatalog& catalog)
{
    std::vector<int> indices(static_cast<std::size_t>(catalog.Count()));
    for (int index = 0; index < catalog.Count(); ++index) {
        indices[static_cast<std::size_t>(index)] = index;
    }
    std::sort(indices.begin(), indices.end(),
              [&](int a, int b) { return catalog.Item(a)->FID < catalog.Item(b)->FID; });
    return indices;
}

std::string StoredMemo(const std::string& text)
{
    return IsRichMemo(text) ? text : ToStoredText(text);
}

std::string StoredMemoFromFile(const std::string& fileName)
{
    if (!FileExists(fileName)) {
        ThrowContainerError(msg::FileNotFound, {fileName});
    }
    std::ifstream in(fileName, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return StoredMemo(text);
}

void StoreFiles(TContainer& container, TFileReadAhead& files, std::int64_t totalSize, TConsole& console)
{
    TProgress progress(console, totalSize);
    container.AddFiles(files, [&](std::int64_t done, const std::string& name) { progress.Show(done, name); });
}

void WarnSkipped(const TInputSelection& selection, TConsole& console)
{
    for (const std::string& name : selection.Skipped) {
        console.Warning("skipped '" + ShownSafely(name, false) + "': neither a file nor a folder");
    }
}
