#pragma once

// What the container fuzz targets share: a scratch folder for the input and its extraction, and
// the reading of a container through the interface both formats have. A damaged container may
// only end in the container's own errors; any other exception, a sanitizer report or a file
// written outside the target folder is a finding.

#include "cipher/Stream.h"
#include "container/Container.h"
#include "container/ContainerError.h"
#include "container/PathError.h"

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

namespace fuzzing {

namespace fs = std::filesystem;

// A private folder under the temporary folder for this process (sealvane-fuzz-<pid>-XXXXXX): the
// input is written to <root>/input.xvt and extracted below <root>/1/2/3/4/5/6/7/8/out, deep
// enough that a stored name climbing out of the target with a few ".." still lands inside the
// root, where CheckRoot finds it.
class TScratch
{
public:
    TScratch()
    {
        RemoveLeftovers();
        std::string pattern =
            (fs::temp_directory_path() / (std::string(Prefix) + std::to_string(::getpid()) + "-XXXXXX")).string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::perror("cannot create the scratch folder");
            std::abort();
        }
        FRoot = pattern;
        FContainer = FRoot / "input.xvt";
        FTarget = FRoot / "1/2/3/4/5/6/7/8/out";
        fs::create_directories(FTarget);
    }
    ~TScratch()
    {
        std::error_code ignored;
        fs::remove_all(FRoot, ignored);
    }

    std::string Container() const { return FContainer.string(); }
    std::string Target() const { return FTarget.string(); }

    void WriteInput(const std::uint8_t* data, std::size_t size) const
    {
        std::ofstream out(FContainer, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        if (!out) {
            std::fprintf(stderr, "cannot write %s\n", FContainer.c_str());
            std::abort();
        }
    }

    // Everything in the root outside the target folder must be what the constructor made.
    void CheckRoot() const
    {
        for (auto it = fs::recursive_directory_iterator(FRoot); it != fs::recursive_directory_iterator(); ++it) {
            const fs::path& path = it->path();
            if (path == FTarget) {
                it.disable_recursion_pending();
                continue;
            }
            if (path == FContainer || (it->is_directory() && !it->is_symlink() && IsOnTargetPath(path))) {
                continue;
            }
            std::fprintf(stderr, "extraction wrote outside its target folder: %s\n", path.c_str());
            std::abort();
        }
    }

    // Empties the target folder for the next input.
    void Clear() const
    {
        for (const auto& item : fs::directory_iterator(FTarget)) {
            fs::remove_all(item.path());
        }
    }

private:
    static constexpr std::string_view Prefix = "sealvane-fuzz-";

    // A process that crashed could not remove its scratch folder; the next one does.
    static void RemoveLeftovers()
    {
        std::error_code error;
        for (const auto& item : fs::directory_iterator(fs::temp_directory_path(), error)) {
            const std::string name = item.path().filename().string();
            if (!name.starts_with(Prefix)) {
                continue;
            }
            const long pid = std::strtol(name.c_str() + Prefix.size(), nullptr, 10);
            if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
                fs::remove_all(item.path(), error);
            }
        }
    }

    bool IsOnTargetPath(const fs::path& folder) const
    {
        const fs::path relative = FTarget.lexically_relative(folder);
        return !relative.empty() && *relative.begin() != "..";
    }

    fs::path FRoot;
    fs::path FContainer;
    fs::path FTarget;
};

// Reads the catalog the container holds now and extracts each of its entries.
inline void ExtractEverything(TContainer& container, const std::string& target)
{
    const int count = container.GetCatalog().Count();
    for (int index = 0; index < count; ++index) {
        const auto& entry = container.GetCatalog().Item(index);
        // The names the program shows and writes for an entry.
        (void)entry->FPath.FullName();
        (void)entry->FPath.TargetName(target);
        try {
            container.ExtractFile(index, target);
        } catch (const EContainerError&) {
        } catch (const EPathError&) {
        } catch (const EStreamError&) {
        }
    }
}

// Opens the scratch folder's input read-only and reads everything it offers: the catalog, every
// entry extracted to the target folder, memo and extra, a rescan of the entries and a second
// extraction from it; then closes it. Returns whether the input opened.
inline bool ReadContainer(TContainer& container, const TScratch& scratch)
{
    try {
        container.OpenReadOnly(scratch.Container());
    } catch (const EContainerError&) {
        return false;
    } catch (const EPathError&) {
        return false;
    } catch (const EStreamError&) {
        return false;
    }
    try {
        (void)container.GetZombieBytes();
        ExtractEverything(container, scratch.Target());
        (void)container.GetMemo();
        (void)container.GetExtra();
        container.RegenCatalog(false);
        ExtractEverything(container, scratch.Target());
    } catch (const EContainerError&) {
    } catch (const EPathError&) {
    } catch (const EStreamError&) {
    }
    try {
        container.Close();
    } catch (const EContainerError&) {
    } catch (const EPathError&) {
    } catch (const EStreamError&) {
    }
    if (!container.IsClosed()) {
        std::fprintf(stderr, "the container is still open after Close\n");
        std::abort();
    }
    return true;
}

} // namespace fuzzing
