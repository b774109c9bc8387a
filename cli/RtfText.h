#pragma once

#include <string>
#include <string_view>

// Whether a memo is a rich-text document (it begins with "{\rtf").
bool IsRtf(std::string_view text);

// The plain text of a rich-text document, UTF-8, for printing. Paragraph and line breaks become
// "\n", tabs "\t"; "\'xx" is a Windows-1252 byte; "\uN" is a Unicode character whose fallback
// (as many characters as "\ucN" says, 1 by default) is skipped. Groups that hold no document text
// are left out: every "{\*...}" group, the font, colour and style tables, the document
// information, pictures, list definitions, headers and footers, field instructions. A list item's
// label ("{\listtext ...}") is kept before the item's text ("• Apples", "1. Open").
std::string RtfToText(std::string_view rtf);
