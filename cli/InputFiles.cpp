#include "InputFiles.h"

#include "CommandError.h"
#include "TextFormat.h"
#include "container/ContainerError.h"
#include "container/PathError.h"
#include "container/PathInfo.h"
#include "language/Messages.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

// An absolute path without "." and ".." parts and without a trailing delimiter.
fs::path CleanAbsolute(const std::string& path)
{
    fs::path clean = fs::absolute(path).lexically_normal();
    if (!clean.has_filename() && clean != clean.root_path()) {
        clean = clean.parent_path();
    }
    return clean;
}

class TExclusion
{
public:
    explicit TExclusion(const std::string& excluded)
    {
        if (!excluded.empty()) {
            FName = fs::path(excluded).filename().string();
            FCanonical = fs::weakly_canonical(fs::absolute(excluded));
        }
    }
    // Names are compared first, so that only a file of the excluded name is looked up.
    bool Excludes(const std::string& candidate) const
    {
        return !FName.empty() && candidate.compare(candidate.rfind('/') + 1, std::string::npos, FName) == 0 &&
               fs::weakly_canonical(candidate) == FCanonical;
    }

private:
    std::string FName;
    fs::path FCanonical;
};

// Path order: folder by folder, as paths compare, which is the order of their texts with the
// delimiter before every other character.
bool InPathOrder(const std::string& a, const std::string& b)
{
    const auto [inA, inB] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    if (inA == a.end() || inB == b.end()) {
        return inA == a.end() && inB != b.end();
    }
    const auto key = [](char c) { return c == '/' ? 0 : static_cast<unsigned char>(c) + 1; };
    return key(*inA) < key(*inB);
}

// file is an absolute path below base.
void AddFile(TInputSelection& selection, std::string file, const std::string& base, bool countSize)
{
    TFileToStore input{std::move(file), {}};
    input.Path.SetFrom(input.FullName, base); // refuses file names a container cannot keep
    // A folder name with "|" or "\\" would come back as a different path.
    const std::string folder = input.FullName.substr(0, input.FullName.rfind('/'));
    if (folder.find_first_of("|\\", base.size()) != std::string::npos) {
        throw EPathError(Message(msg::IllegalFileName, {folder}));
    }
    if (countSize) {
        selection.TotalSize += static_cast<std::int64_t>(fs::file_size(input.FullName));
    }
    selection.Files.push_back(std::move(input));
}

} // namespace

TInputSelection CollectInputFiles(const std::vector<std::string>& paths, const std::string& excluded, bool countSizes)
{
    const TExclusion exclusion(excluded);
    TInputSelection selection;
    for (const std::string& path : paths) {
        const fs::path clean = CleanAbsolute(path);
        const fs::file_status status = fs::status(clean);
        if (fs::is_directory(status)) {
            std::vector<std::string> files;
            for (const auto& item : fs::recursive_directory_iterator(clean)) {
                if (item.is_directory()) {
                    continue;
                }
                if (item.is_regular_file()) {
                    files.push_back(item.path().native());
                } else {
                    selection.Skipped.push_back(item.path().string());
                }
            }
            std::sort(files.begin(), files.end(), InPathOrder);
            const std::string base = clean.parent_path().string();
            for (std::string& file : files) {
                if (!exclusion.Excludes(file)) {
                    AddFile(selection, std::move(file), base, countSizes);
                }
            }
        } else if (fs::is_regular_file(status)) {
            if (!exclusion.Excludes(clean.string())) {
                AddFile(selection, clean.string(), clean.parent_path().string(), countSizes);
            }
        } else if (fs::exists(status)) {
            throw ECommandError("'" + path + "' is neither a file nor a folder");
        } else {
            ThrowContainerError(msg::FileNotFound, {path});
        }
    }
    return selection;
}
