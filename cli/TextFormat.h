#pragma once

#include "container/LocalTime.h"
#include "language/FormatText.h"
#include "language/Message.h"

#include <cstdint>
#include <string>
#include <string_view>

class TFileInfo;

// A message of the table in the current language with its placeholders filled.
std::string Message(const TMessage& message, std::initializer_list<TFormatArg> args = {});

// Stored attribute bits as letters: R read-only, H hidden, A archive ("-" where a bit is clear),
// followed by any other bits in hexadecimal ("--A", "R-A+0x100").
std::string AttributeText(std::int64_t attributes);

// Where the entry goes below the folder it is extracted to: "docs/report.txt".
std::string EntryPath(const TFileInfo& entry);
// The entry's relative folder without the leading delimiter; "." for none.
std::string EntryFolder(const TFileInfo& entry);

// Number of characters of UTF-8 text (for lining up columns).
std::size_t DisplayWidth(std::string_view utf8);
