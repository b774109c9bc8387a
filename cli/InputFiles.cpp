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
            FName = fs::path(excluded).filename();
            FCanonical = fs::weakly_canonical(fs::absolute(excluded));
        }
    }
    bool Excludes(const fs::path& candidate) const
    {
        return !FName.empty() && candidate.filename() == FName && fs::weakly_canonical(candidate) == FCanonical;
    }

private:
    fs::path FName;
    fs::path FCanonical;
};

void AddFile(TInputSelection& selection, const fs::path& file, const fs::path& base, bool countSize)
{
    TFileToStore input{file.string(), {}};
    input.Path.SetFrom(input.FullName, base.string()); // refuses file names a container cannot keep
    // A folder name with "|" or "\\" would come back as a different path.
    const std::string folder = file.parent_path().string();
    if (folder.find_first_of("|\\", base.string().size()) != std::string::npos) {
        throw EPathError(Message(msg::IllegalFileName, {folder}));
    }
    selection.Files.push_back(std::move(input));
    if (countSize) {
        selection.TotalSize += static_cast<std::int64_t>(fs::file_size(file));
    }
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
            std::vector<fs::path> files;
            for (const auto& item : fs::recursive_directory_iterator(clean)) {
                if (item.is_directory()) {
                    continue;
                }
                if (item.is_regular_file()) {
                    files.push_back(item.path());
                } else {
                    selection.Skipped.push_back(item.path().string());
                }
            }
            std::sort(files.begin(), files.end());
            for (const fs::path& file : files) {
                if (!exclusion.Excludes(file)) {
                    AddFile(selection, file, clean.parent_path(), countSizes);
                }
            }
        } else if (fs::is_regular_file(status)) {
            if (!exclusion.Excludes(clean)) {
                AddFile(selection, clean, clean.parent_path(), countSizes);
            }
        } else if (fs::exists(status)) {
            throw ECommandError("'" + path + "' is neither a file nor a folder");
        } else {
            ThrowContainerError(msg::FileNotFound, {path});
        }
    }
    return selection;
}
