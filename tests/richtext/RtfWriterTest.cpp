#include "richtext/RtfWriter.h"
#include "richtext/RtfReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

namespace {

// A run written with designated initializers: every look defaults to none.
struct TRun
{
    std::string FText;
    bool FBold = false, FItalic = false, FUnderline = false, FStrikeout = false;
    std::string FLink = "";
    std::optional<TRgb> FColour = std::nullopt;
    std::optional<std::string> FFont = std::nullopt;
    std::optional<double> FSizePoints = std::nullopt;
};

struct TParagraph
{
    std::vector<TRun> FRuns;
    TListKind FList = TListKind::None;
    TAlignment FAlignment = TAlignment::Left;
    int FListLevel = 0;
};

TParagraph Paragraph(const std::vector<TRun>& runs, TListKind list = TListKind::None,
                     TAlignment alignment = TAlignment::Left)
{
    return {runs, list, alignment};
}

TParagraph Item(const std::string& text, TListKind list, int level)
{
    return {{{text}}, list, TAlignment::Left, level};
}

// The document of the paragraphs, its links and fonts in its tables in the order of first use.
TRichDocument Document(const std::vector<TParagraph>& paragraphs)
{
    TRichDocument document;
    for (const TParagraph& p : paragraphs) {
        TRichParagraph& paragraph =
            document.FParagraphs.emplace_back(TRichParagraph{p.FAlignment, p.FList, {}, p.FListLevel});
        for (const TRun& r : p.FRuns) {
            const auto link = r.FLink.empty() ? std::nullopt : std::optional(document.FLinks.Add(r.FLink));
            const auto font = r.FFont ? std::optional(document.FFonts.Add(*r.FFont)) : std::nullopt;
            paragraph.FRuns.push_back(
                {r.FText, r.FBold, r.FItalic, r.FUnderline, r.FStrikeout, link, r.FColour, font, r.FSizePoints});
        }
    }
    return document;
}

struct TModelCase
{
    const char* FName;
    TRichDocument FDocument;
};

using enum TListKind;
// Three levels of bullets and numbers; numbers count on at a level after deeper items, and
// start again after an item above them.
const TRichDocument NestedLists =
    Document({Paragraph({{"Intro"}}), Item("Fruit", Decimal, 0), Item("Apples", Bullet, 1), Item("Green", Decimal, 2),
              Item("Red", Decimal, 2), Item("Pears", Bullet, 1), Item("Greens", Decimal, 0), Item("Leeks", Bullet, 1),
              Item("Roots", Decimal, 2), Paragraph({{"End"}})});
const std::string NestedListsText =
    "Intro\n1. Fruit\n  • Apples\n    1. Green\n    2. Red\n  • Pears\n2. Greens\n  • Leeks\n    1. Roots\nEnd";

const std::string Link = "https://example.org/a?b=1&c=\"2\"#top";
const TModelCase ModelCases[] = {
    {"Empty", {}},
    {"EmptyParagraphsAndSpecials",
     Document({Paragraph({}), Paragraph({{R"(a\b{c}d  )"}}), Paragraph({}), Paragraph({{"line\nbreak\ttab"}})})},
    {"NonLatinAndEmoji", Document({Paragraph({{"Grüße € “quotes” — Ελληνικά Русский 日本語 עברית 😀 \xEF\xBF\xBF"}}),
                                   Paragraph({{.FText = "Жирный", .FBold = true}})})},
    {"LooksAndAlignment", Document({Paragraph({{.FText = "b", .FBold = true},
                                               {.FText = "i", .FItalic = true, .FUnderline = true, .FStrikeout = true},
                                               {.FText = "red", .FColour = TRgb{255, 0, 0}},
                                               {.FText = "black", .FColour = TRgb{0, 0, 0}},
                                               {.FText = "mono", .FFont = "DejaVu Sans Mono", .FSizePoints = 10.5},
                                               {.FText = "Ωmega font", .FFont = "Schrift Ä{1}", .FSizePoints = 12},
                                               {"plain"}},
                                              TListKind::None, TAlignment::Center),
                                    Paragraph({{"right"}}, TListKind::None, TAlignment::Right),
                                    Paragraph({{"justified"}}, TListKind::None, TAlignment::Justify)})},
    {"Lists", Document({Paragraph({{"one"}}, TListKind::Bullet), Paragraph({{"two"}}, TListKind::Bullet),
                        Paragraph({{"first"}}, TListKind::Decimal, TAlignment::Right),
                        Paragraph({{"second"}}, TListKind::Decimal), Paragraph({}, TListKind::Decimal),
                        Paragraph({{"after"}})})},
    {"NestedLists", NestedLists},
    {"Links", Document({Paragraph({{"see "},
                                   {.FText = "the docs", .FLink = Link},
                                   {.FText = " bold", .FBold = true, .FLink = Link},
                                   {.FText = "next", .FLink = R"(C:\dir\ä.txt)"},
                                   {" end"}})})},
};

} // namespace

TEST(RtfRoundTrip, ReadsBackTheSameDocumentFromSevenBitRtf)
{
    for (const TModelCase& model : ModelCases) {
        SCOPED_TRACE(model.FName);
        const std::string rtf = WriteRtf(model.FDocument);
        EXPECT_TRUE(std::ranges::all_of(rtf, [](char c) { return c > 0 && c < 0x7F; })) << rtf;
        EXPECT_TRUE(IsRichMemo(rtf));
        EXPECT_EQ(ReadRtf(rtf), model.FDocument) << rtf;
    }
}

// Word processors take a list paragraph's kind and number from the list table its "\ls" and
// "\ilvl" name; rich-edit controls from its "\pn" group. Either alone gives the levels and numbers.
TEST(RtfRoundTrip, NestedListsKeepTheirLevelsAndNumbersThroughEitherListForm)
{
    const std::string rtf = WriteRtf(NestedLists);
    const std::string withoutPn = std::regex_replace(rtf, std::regex(R"(\{\\\*\\pn[^{}]*\{[^{}]*\}\})"), "");
    const std::string withoutTable = std::regex_replace(rtf, std::regex(R"(\\ls\d+)"), "");
    ASSERT_NE(withoutPn, rtf);
    ASSERT_NE(withoutTable, rtf);
    for (const std::string& variant : {rtf, withoutPn, withoutTable}) {
        const TRichDocument document = ReadRtf(variant);
        EXPECT_EQ(PlainText(document, true), NestedListsText) << variant;
        EXPECT_EQ(document, NestedLists) << variant;
    }
}
