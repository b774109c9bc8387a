#pragma once

#include "StringTable.h"

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The formatted text of a memo, independent of any file format or toolkit: paragraphs of runs,
// and the tables of link targets and font names the runs refer to by number. The RTF reader and
// writer and the editor window all speak it.

enum class TAlignment
{
    Left,
    Center,
    Right,
    Justify
};

enum class TListKind
{
    None,
    Bullet,
    Decimal
};

struct TRgb
{
    std::uint8_t FRed = 0;
    std::uint8_t FGreen = 0;
    std::uint8_t FBlue = 0;

    auto operator<=>(const TRgb&) const = default;
};

// A stretch of text with one look. The text is UTF-8; a line break inside the paragraph is '\n'
// and a tab is '\t'.
struct TRichRun
{
    std::string FText;
    bool FBold = false;
    bool FItalic = false;
    bool FUnderline = false;
    bool FStrikeout = false;
    std::optional<TStringTable::TIndex> FLink; // number of the hyperlink target in FLinks; none: no link
    std::optional<TRgb> FColour;               // none: the automatic text colour
    std::optional<TStringTable::TIndex> FFont; // number of the face name in FFonts; none: the default font
    std::optional<double> FSizePoints;         // whole or half points; none: the default size (RTF's is 12)

    // Everything but the text is equal.
    bool SameLook(const TRichRun& other) const;
    bool operator==(const TRichRun&) const = default;
};

struct TRichParagraph
{
    TAlignment FAlignment = TAlignment::Left;
    TListKind FList = TListKind::None;
    std::vector<TRichRun> FRuns;

    // Adds a run, joined to the last one when both look the same; empty runs are left out.
    void Append(TRichRun run);
    std::string Text() const;
    bool operator==(const TRichParagraph&) const = default;
};

// Two documents are equal when their tables are too: a document read from RTF holds the link
// targets and font names its runs use, in the order of first use, so that writing it and reading
// it again gives an equal one.
struct TRichDocument
{
    std::vector<TRichParagraph> FParagraphs;
    TStringTable FLinks; // hyperlink targets
    TStringTable FFonts; // face names

    bool operator==(const TRichDocument&) const = default;
};

// The document as plain text: paragraphs separated by '\n' (none after the last). With labels,
// each list item starts with its marker: "• " for a bullet, "N. " for the N-th item of a run of
// numbered paragraphs.
std::string PlainText(const TRichDocument& document, bool withListLabels);

// The label of every paragraph ("" outside lists), numbered items counted from 1 in each run of
// consecutive numbered paragraphs.
std::vector<std::string> ListLabels(const TRichDocument& document);
