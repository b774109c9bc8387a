#include "PathInfo.h"

#include "PathError.h"
#include "language/FormatText.h"
#include "language/Messages.h"
#include "language/MsgText.h"

#include <algorithm>

namespace {

// Longest relative folder taken from a full file name, in bytes.
constexpr std::size_t MaxRelativeFolder = 255;

std::string ToInternal(std::string_view path)
{
    std::string internal(path);
    std::replace(internal.begin(), internal.end(), PathDelimiter, InternalDelimiter);
    return internal;
}

std::string ToExternal(std::string_view path)
{
    std::string external(path);
    std::replace(external.begin(), external.end(), InternalDelimiter, PathDelimiter);
    return external;
}

std::string_view WithoutTrailing(std::string_view path, char delimiter)
{
    while (!path.empty() && path.back() == delimiter) {
        path.remove_suffix(1);
    }
    return path;
}

// A folder without its trailing delimiters; the root folder stays "/", else a file in it would
// come out as a name relative to the current folder.
std::string_view FolderWithoutTrailing(std::string_view folder)
{
    const std::string_view trimmed = WithoutTrailing(folder, PathDelimiter);
    if (trimmed.empty() && !folder.empty()) {
        return folder.substr(0, 1);
    }
    return trimmed;
}

// Puts a relative folder under a folder. Relative folders usually begin with a delimiter, and the
// root folder ends with one, so under the root the relative folder is already the whole path.
std::string PutUnder(std::string_view folder, std::string_view relative)
{
    if (folder.size() == 1 && folder[0] == PathDelimiter && !relative.empty() && relative[0] == PathDelimiter) {
        return std::string(relative);
    }
    return JoinPath(folder, relative);
}

// At most max bytes of text, cut before a UTF-8 sequence rather than inside one.
std::string_view LeadingBytes(std::string_view text, std::size_t max)
{
    if (text.size() <= max) {
        return text;
    }
    std::size_t end = max;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
        --end;
    }
    return text.substr(0, end);
}

bool IsDotName(std::string_view name)
{
    return name == "." || name == "..";
}

[[noreturn]] void RaiseIllegalName(const std::string& name)
{
    throw EPathError(FormatText(MsgText(msg::IllegalFileName), {name}));
}

} // namespace

std::string JoinPath(std::string_view a, std::string_view b)
{
    const bool aEnds = !a.empty() && a.back() == PathDelimiter;
    const bool bBegins = !b.empty() && b.front() == PathDelimiter;
    if (aEnds && bBegins) {
        throw EPathError(FormatText(MsgText(msg::PathsCannotBeConcatenated), {std::string(a), std::string(b)}));
    }
    std::string joined(a);
    if (!a.empty() && !b.empty() && !aEnds && !bBegins) {
        joined += PathDelimiter;
    }
    joined += b;
    return joined;
}

TPathInfo::TPathInfo(std::string_view baseFolder, std::string_view fileName, std::string_view relativeFolder)
{
    SetBaseFolder(baseFolder);
    SetRelativeFolder(relativeFolder);
    SetFileName(fileName);
}

TPathInfo TPathInfo::FromStored(std::string baseFolder, std::string relativeFolder, std::string fileName,
                                std::string reserved)
{
    TPathInfo info;
    info.FBaseFolder = std::move(baseFolder);
    info.FRelativeFolder = std::move(relativeFolder);
    info.FFileName = std::move(fileName);
    info.FReserved = std::move(reserved);
    return info;
}

void TPathInfo::SetFileName(std::string_view name)
{
    // On this platform "\" is an ordinary character, but peers that read the container treat it
    // as their delimiter; "|" would come back as "/".
    if (name.find_first_of("/|\\") != std::string_view::npos) {
        RaiseIllegalName(std::string(name));
    }
    FFileName = name;
}

void TPathInfo::SetBaseFolder(std::string_view folder)
{
    const std::string internal = ToInternal(FolderWithoutTrailing(folder));
    const std::string_view trimmed = WithoutTrailing(internal, InternalDelimiter);
    // Only the root folder comes down to nothing from a leading delimiter; it stays.
    const bool root = trimmed.empty() && !folder.empty() && folder.front() == PathDelimiter;
    FBaseFolder = root ? std::string(1, InternalDelimiter) : std::string(trimmed);
}

void TPathInfo::SetRelativeFolder(std::string_view folder)
{
    FRelativeFolder = ToInternal(WithoutTrailing(folder, PathDelimiter));
}

void TPathInfo::SetFrom(std::string_view fullFileName, std::string_view baseFolder)
{
    // "/data" lies in "/data/x" but not in "/database/x".
    const bool leading =
        fullFileName.starts_with(baseFolder) &&
        ((!baseFolder.empty() && baseFolder.back() == PathDelimiter) ||
         (fullFileName.size() > baseFolder.size() && fullFileName[baseFolder.size()] == PathDelimiter));
    if (!leading) {
        throw EPathError(
            FormatText(MsgText(msg::BaseFolderNotInPath), {std::string(baseFolder), std::string(fullFileName)}));
    }
    // The delimiter found is at or after the end of the base folder (or its own last character).
    const std::size_t nameStart = fullFileName.rfind(PathDelimiter) + 1;
    const std::string_view folderPart = fullFileName.substr(0, nameStart);
    const std::string_view relative = folderPart.substr(std::min(baseFolder.size(), folderPart.size()));

    TPathInfo info;
    info.SetFileName(fullFileName.substr(nameStart));
    info.SetBaseFolder(baseFolder);
    info.SetRelativeFolder(LeadingBytes(relative, MaxRelativeFolder));
    info.FReserved = FReserved;
    *this = std::move(info);
}

std::string TPathInfo::FileName() const
{
    return ToExternal(FFileName);
}

std::string TPathInfo::BaseFolder() const
{
    return ToExternal(FBaseFolder);
}

std::string TPathInfo::RelativeFolder() const
{
    return ToExternal(FRelativeFolder);
}

std::string TPathInfo::FullName() const
{
    return JoinPath(PutUnder(BaseFolder(), RelativeFolder()), FileName());
}

std::string TPathInfo::TargetName(std::string_view targetFolder) const
{
    if (targetFolder.empty()) {
        return FullName();
    }
    return JoinPath(PutUnder(FolderWithoutTrailing(targetFolder), RelativeFolder()), FileName());
}

void TPathInfo::CheckExtractable() const
{
    const std::string name = FileName();
    if (name.empty() || IsDotName(name) || name.find_first_of(std::string_view("/\0", 2)) != std::string::npos) {
        RaiseIllegalName(name);
    }
    // Both "|" and "/" separate folders here: a stored "/" is a delimiter once written to disk.
    const std::string relative = RelativeFolder();
    bool refused = relative.find('\0') != std::string::npos;
    for (std::size_t start = 0; start <= relative.size() && !refused;) {
        const std::size_t end = std::min(relative.find(PathDelimiter, start), relative.size());
        refused = IsDotName(std::string_view(relative).substr(start, end - start));
        start = end + 1;
    }
    if (refused) {
        RaiseIllegalName(relative + PathDelimiter + name);
    }
}
