#pragma once

#include "RichDocument.h"

#include <string>
#include <string_view>

// Whether a memo is shown as rich text: it is longer than 6 characters and starts with "{\rtf1".
bool IsRichMemo(std::string_view memo);

// Reads RTF as word processors and rich-edit controls write it. Paragraphs end at "\par" (a last
// paragraph without one is kept when it holds text); alignment, list membership ("\ls" with the
// list table, or the older "\pn" groups), character looks, colours, fonts and hyperlink fields
// are read; list labels ("\listtext", "\pntext") are not text. "\'xx" is a Windows-1252 byte
// whatever "\ansicpg" says. Damaged or hostile input is read leniently and never fails: groups
// nested deeper than the reader keeps track of only count braces, numbers are clamped, a cut
// escape stands for nothing.
TRichDocument ReadRtf(std::string_view rtf);

// The text of an RTF document with list labels ("• ", "1. "), paragraphs separated by '\n'.
std::string RtfToPlainText(std::string_view rtf);
