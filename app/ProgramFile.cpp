#include "ProgramFile.h"

#include <QMimeDatabase>
#include <QString>

#include <algorithm>
#include <iterator>

namespace {

// Types the desktop's opener starts, runs under an interpreter or an emulator, or installs; a
// type that is one of these or inherits from one (the database's sub-class-of) is refused.
// "application/x-executable" is the parent of ELF programs, AppImages and the script languages
// (shell, Perl, Python, Ruby, Lua, awk, JavaScript). Some names are given by Wine's or another
// program's additions to the database only.
const char* const ProgramTypes[] = {
    "application/x-executable",
    "application/x-sharedlib", // shared libraries, and programs built position-independent
    "application/x-shellscript",
    "application/x-desktop", // launchers (and the desktop themes built on them)
    "application/x-ms-dos-executable",
    "application/x-msdownload",
    "application/x-msi",
    "application/x-ms-shortcut",
    "application/x-mswinurl",
    "application/x-bat",
    "text/x-ms-regedit",
    "text/vbscript",
    "application/x-java-archive", // and Android packages
    "application/x-java",
    "application/x-java-jnlp-file",
    "application/vnd.appimage",
    "application/x-iso9660-appimage",
    "application/vnd.debian.binary-package",
    "application/x-rpm",
    "application/vnd.flatpak",
    "application/vnd.flatpak.ref",
    "application/vnd.flatpak.repo",
    "application/vnd.snap",
};

// Data the database files under a script language: JSON is a sub-class of JavaScript, but no
// opener runs it.
const char* const DataTypes[] = {"application/json"};

// Name endings that Windows starts (so Wine does where it is installed) for which the database may
// know no type: batch files and command scripts have none in Debian's.
const char* const WindowsProgramSuffixes[] = {".bat", ".cmd", ".com", ".scr", ".pif", ".vbs", ".vbe",
                                              ".wsf", ".wsh", ".hta", ".ps1", ".cpl", ".msc", ".reg"};

bool HasWindowsProgramName(const QString& file)
{
    return std::any_of(std::begin(WindowsProgramSuffixes), std::end(WindowsProgramSuffixes),
                       [&](const char* suffix) { return file.endsWith(QLatin1String(suffix), Qt::CaseInsensitive); });
}

bool InheritsAny(const QMimeType& type, const auto& names)
{
    return std::any_of(std::begin(names), std::end(names), [&](const char* name) { return type.inherits(name); });
}

bool IsProgramType(const QMimeType& type)
{
    const QString name = type.name();
    // Script types of any language, also those the list does not know (PostScript, compressed
    // or not, is a document), and the file associations Wine exports from Windows programs.
    const bool scriptName = (name.startsWith("application/x-") || name.startsWith("text/x-")) &&
                            name.endsWith("script") && !name.endsWith("postscript");
    const bool wineAssociation = name.startsWith("application/x-wine-extension-");
    return !InheritsAny(type, DataTypes) && (scriptName || wineAssociation || InheritsAny(type, ProgramTypes));
}

} // namespace

bool IsProgramFile(const std::string& fileName)
{
    const QMimeDatabase database;
    const QString file = QString::fromStdString(fileName);
    const QList<QMimeType> byName = database.mimeTypesForFileName(file);
    return HasWindowsProgramName(file) || IsProgramType(database.mimeTypeForFile(file, QMimeDatabase::MatchContent)) ||
           std::any_of(byName.begin(), byName.end(), IsProgramType);
}
