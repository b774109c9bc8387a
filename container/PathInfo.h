#pragma once

#include <string>
#include <string_view>

// The platform's path delimiter; inside containers every delimiter is kept as InternalDelimiter,
// so that a stored name never carries the delimiter of the system that wrote it.
inline constexpr char PathDelimiter = '/';
inline constexpr char InternalDelimiter = '|';

// Joins two path parts with one delimiter between them. Raises EPathError ("Paths '%s' and '%s'
// cannot be concatenated!") when a ends with a delimiter and b begins with one.
std::string JoinPath(std::string_view a, std::string_view b);

// Where a stored file sits in the folder tree it was added from: the base folder the user added
// it from, the folders between that base and the file, and the file name. The split lets a whole
// tree be added and recreated under any other folder. Text is UTF-8; the fields are held in the
// internal form, with every delimiter replaced by "|".
class TPathInfo
{
public:
    TPathInfo() = default;
    // Applies the setters in the order base folder, relative folder, file name.
    TPathInfo(std::string_view baseFolder, std::string_view fileName, std::string_view relativeFolder);

    // The fields as stored in a container, taken over without checks (see CheckExtractable).
    static TPathInfo FromStored(std::string baseFolder, std::string relativeFolder, std::string fileName,
                                std::string reserved);

    // A name holding the delimiter, "|" or "\" cannot come back as the same name and raises
    // EPathError ("Illegal file name '%s'!").
    void SetFileName(std::string_view name);
    // Trailing delimiters are removed (a lone "/" stays: it is the root folder).
    void SetBaseFolder(std::string_view folder);
    // Trailing delimiters are removed; the folder usually begins with a delimiter.
    void SetRelativeFolder(std::string_view folder);
    void SetReserved(std::string_view reserved) { FReserved = reserved; }

    // Fills all three parts from a full file name and the folder it was added from. The base
    // folder must be a leading part of the full name, else EPathError ("Base folder '%s' not in
    // file path '%s'!"). The relative folder keeps at most 255 bytes, never cutting a character.
    void SetFrom(std::string_view fullFileName, std::string_view baseFolder);

    // The parts in the platform's form.
    std::string FileName() const;
    std::string BaseFolder() const;
    std::string RelativeFolder() const;
    const std::string& Reserved() const { return FReserved; }

    // The parts in the internal form, as a container stores them.
    const std::string& StoredFileName() const { return FFileName; }
    const std::string& StoredBaseFolder() const { return FBaseFolder; }
    const std::string& StoredRelativeFolder() const { return FRelativeFolder; }

    // Base folder, relative folder and file name joined.
    std::string FullName() const;
    // Target folder (without trailing delimiters; "/" stays the root), relative folder and file
    // name joined; the full name when the target folder is empty.
    std::string TargetName(std::string_view targetFolder) const;

    // Refuses, with EPathError ("Illegal file name '%s'!"), a stored name that would lead out of
    // the folder it is extracted to: a file name that is empty, "." or "..", or holds a NUL byte
    // or the delimiter; a relative folder with a "." or ".." component or a NUL byte.
    void CheckExtractable() const;

private:
    std::string FFileName;
    std::string FBaseFolder;
    std::string FRelativeFolder;
    std::string FReserved;
};
