#pragma once

#include "RichDocument.h"

#include <cstddef>
#include <string>
#include <string_view>

// Whether a memo is shown as rich text: it is longer than 6 characters and starts with "{\rtf1".
bool IsRichMemo(std::string_view memo);

// What one document read from RTF may hold at most. No real document comes near these bounds (a
// novel of a thousand pages has some 3 MB of text in 30,000 paragraphs); they cap what a memo of
// any size makes the reader hold (500,000 paragraphs of 63 characters, each its own run, take
// some 125 MB besides the memo), and what writing the document takes (about as much again).
// When the text, run or paragraph bound is reached, the reader keeps the document read so far and
// leaves out the rest: the user sees all the memo a real sender can have written. A font, colour
// or link beyond its bound, a font name or link target that is too long, is left out (its text
// keeps the default look, or is no link).
struct TRtfLimits
{
    // UTF-8 bytes of run text, font names and link targets together; a link target counts once in
    // the table and once more for each stretch of runs in a paragraph that carries it, as writers
    // write it out again for each.
    std::size_t FTextBytes = 32 << 20;
    std::size_t FRuns = 500'000; // runs of the whole document
    std::size_t FParagraphs = 500'000;
    std::size_t FFonts = 32'768;       // font table entries; RTF numbers fonts and colours in 16 bits
    std::size_t FColours = 32'768;     // colour table entries
    std::size_t FLinks = 65'536;       // distinct link targets
    std::size_t FLinkBytes = 1 << 20;  // one link target
    std::size_t FFontNameBytes = 1024; // one font name
};

// Reads RTF as word processors and rich-edit controls write it. Paragraphs end at "\par" (a last
// paragraph without one is kept when it holds text); alignment, list membership and level ("\ls"
// with the list table, or the older "\pn" groups, and "\ilvl"), character looks (bold and italic
// of East Asian text also from "\ab" and "\ai" after "\dbch"), colours, fonts and hyperlink fields
// are read; list labels ("\listtext", "\pntext") are not text. "\'xx" is a Windows-1252 byte
// whatever "\ansicpg" says. Damaged or hostile input is read leniently and never fails: groups
// nested deeper than the reader keeps track of only count braces, numbers are clamped, a cut
// escape stands for nothing; what goes beyond the limits is left out as said above.
TRichDocument ReadRtf(std::string_view rtf, const TRtfLimits& limits = {});

// The text of an RTF document with list labels ("• ", "1. "), paragraphs separated by '\n'.
std::string RtfToPlainText(std::string_view rtf);
