#include "TextFormat.h"

#include "container/FileInfo.h"
#include "language/MsgText.h"

#include <cstdio>

std::string Message(const TMessage& message, std::initializer_list<TFormatArg> args)
{
    return FormatText(MsgText(message), args);
}

std::string AttributeText(std::int64_t attributes)
{
    constexpr std::int64_t ReadOnly = 0x01;
    constexpr std::int64_t Hidden = 0x02;
    constexpr std::int64_t Archive = 0x20;
    std::string text;
    text += (attributes & ReadOnly) != 0 ? 'R' : '-';
    text += (attributes & Hidden) != 0 ? 'H' : '-';
    text += (attributes & Archive) != 0 ? 'A' : '-';
    const std::int64_t others = attributes & ~(ReadOnly | Hidden | Archive);
    if (others != 0) {
        char hex[32];
        std::snprintf(hex, sizeof hex, "+0x%llx", static_cast<unsigned long long>(others));
        text += hex;
    }
    return text;
}

std::string EntryFolder(const TFileInfo& entry)
{
    std::string folder = entry.FPath.RelativeFolder();
    while (!folder.empty() && folder.front() == '/') {
        folder.erase(0, 1);
    }
    return folder.empty() ? "." : folder;
}

std::string EntryPath(const TFileInfo& entry)
{
    const std::string folder = EntryFolder(entry);
    return folder == "." ? entry.FPath.FileName() : folder + "/" + entry.FPath.FileName();
}

std::size_t DisplayWidth(std::string_view utf8)
{
    std::size_t width = 0;
    for (const char c : utf8) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++width;
        }
    }
    return width;
}
