#pragma once

#include "RichDocument.h"

#include <string>

// Writes a document as 7-bit RTF that rich-edit controls and word processors read:
// "{\rtf1\ansi\ansicpg1252\deff0", a font table and a colour table when the document needs them
// (fonts are numbered from 1, so "\deff0" leaves text without a font in the reader's default
// font; colour 0 is the automatic colour), "\'xx" for characters Windows-1252 has above 0x7F and
// "\uN?" for all others (UTF-16 units as signed 16-bit numbers), every paragraph ended by "\par",
// line breaks as "\line", tabs as "\tab". List items carry a "\pntext" label for readers that show
// only that, a "\pn" group for rich-edit controls, and then their list ("\lsN", defined in a list
// table) and level ("\ilvlN") and an indent by level for word processors. Links are HYPERLINK fields.
std::string WriteRtf(const TRichDocument& document);
