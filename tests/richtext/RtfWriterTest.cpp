#include "richtext/RtfWriter.h"
#include "richtext/RtfReader.h"

#include <gtest/gtest.h>

#include <algorithm>

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
};

TParagraph Paragraph(const std::vector<TRun>& runs, TListKind list = TListKind::None,
                     TAlignment alignment = TAlignment::Left)
{
    return {runs, list, alignment};
}

// The document of the paragraphs, its links and fonts in its tables in the order of first use.
TRichDocument Document(const std::vector<TParagraph>& paragraphs)
{
    TRichDocument document;
    for (const TParagraph& p : paragraphs) {
        TRichParagraph& paragraph = document.FParagraphs.emplace_back(TRichParagraph{p.FAlignment, p.FList, {}});
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
