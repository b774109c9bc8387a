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

TRichParagraph Paragraph(const std::vector<TRun>& runs, TListKind list = TListKind::None,
                         TAlignment alignment = TAlignment::Left)
{
    TRichParagraph paragraph{alignment, list, {}};
    for (const TRun& r : runs) {
        paragraph.FRuns.push_back(
            {r.FText, r.FBold, r.FItalic, r.FUnderline, r.FStrikeout, r.FLink, r.FColour, r.FFont, r.FSizePoints});
    }
    return paragraph;
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
     {{Paragraph({}), Paragraph({{R"(a\b{c}d  )"}}), Paragraph({}), Paragraph({{"line\nbreak\ttab"}})}}},
    {"NonLatinAndEmoji",
     {{Paragraph({{"Grüße € “quotes” — Ελληνικά Русский 日本語 עברית 😀 \xEF\xBF\xBF"}}),
       Paragraph({{.FText = "Жирный", .FBold = true}})}}},
    {"LooksAndAlignment",
     {{Paragraph({{.FText = "b", .FBold = true},
                  {.FText = "i", .FItalic = true, .FUnderline = true, .FStrikeout = true},
                  {.FText = "red", .FColour = TRgb{255, 0, 0}},
                  {.FText = "black", .FColour = TRgb{0, 0, 0}},
                  {.FText = "mono", .FFont = "DejaVu Sans Mono", .FSizePoints = 10.5},
                  {.FText = "Ωmega font", .FFont = "Schrift Ä{1}", .FSizePoints = 12},
                  {"plain"}},
                 TListKind::None, TAlignment::Center),
       Paragraph({{"right"}}, TListKind::None, TAlignment::Right),
       Paragraph({{"justified"}}, TListKind::None, TAlignment::Justify)}}},
    {"Lists",
     {{Paragraph({{"one"}}, TListKind::Bullet), Paragraph({{"two"}}, TListKind::Bullet),
       Paragraph({{"first"}}, TListKind::Decimal, TAlignment::Right), Paragraph({{"second"}}, TListKind::Decimal),
       Paragraph({}, TListKind::Decimal), Paragraph({{"after"}})}}},
    {"Links",
     {{Paragraph({{"see "},
                  {.FText = "the docs", .FLink = Link},
                  {.FText = " bold", .FBold = true, .FLink = Link},
                  {.FText = "next", .FLink = R"(C:\dir\ä.txt)"},
                  {" end"}})}}},
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
