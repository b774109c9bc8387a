#pragma once

#include "StringTable.h"

#include <array>
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

// The deepest list level; levels count from 0, as RTF's "\ilvl" and word processors have nine.
constexpr int MaxListLevel = 8;

struct TRichParagraph
{
    TAlignment FAlignment = TAlignment::Left;
    TListKind FList = TListKind::None;
    std::vector<TRichRun> FRuns;
    int FListLevel = 0; // 0 to MaxListLevel; 0 outside lists

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

// How the list paragraphs of a document form lists. A list is a stretch of consecutive list
// paragraphs in which each level keeps one kind; a paragraph whose level had the other kind so far
// starts a new list, as word processors number a list definition's level in one way. In a list, a
// numbered item is the N-th numbered item at its level since the last item at a level above it.
struct TListLayout
{
    using TLevelKinds = std::array<TListKind, MaxListLevel + 1>; // None: a level no paragraph uses

    std::vector<TLevelKinds> FLists;
    std::vector<std::optional<std::size_t>> FListOf; // of each paragraph its list in FLists; none outside lists
    std::vector<std::string> FLabels;                // of each paragraph: "•", "N." or "" outside lists
};

TListLayout LayOutLists(const TRichDocument& document);

// The document as plain text: paragraphs separated by '\n' (none after the last). With labels,
// each list item starts with its marker ("• ", "N. " as LayOutLists numbers it), indented by two
// spaces a level.
std::string PlainText(const TRichDocument& document, bool withListLabels);
