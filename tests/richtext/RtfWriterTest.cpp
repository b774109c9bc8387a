#include "richtext/RtfWriter.h"
#include "richtext/RtfReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <unistd.h>

namespace {

TRichRun TextRun(std::string text)
{
    TRichRun run;
    run.FText = std::move(text);
    return run;
}

TRichRun Styled(std::string text, void (*style)(TRichRun&))
{
    TRichRun run = TextRun(std::move(text));
    style(run);
    return run;
}

TRichParagraph Paragraph(std::vector<TRichRun> runs, TListKind list = TListKind::None,
                         TAlignment alignment = TAlignment::Left)
{
    return {alignment, list, std::move(runs)};
}

struct TModelCase
{
    const char* FName;
    TRichDocument FDocument;
};

const TModelCase ModelCases[] = {
    {"Empty", {}},
    {"EmptyParagraphsAndSpecials",
     {{Paragraph({}), Paragraph({TextRun(R"(a\b{c}d  )")}), Paragraph({}), Paragraph({TextRun("line\nbreak\ttab")})}}},
    {"NonLatinAndEmoji",
     {{Paragraph({TextRun("Grüße € “quotes” — Ελληνικά Русский 日本語 עברית 😀 \xEF\xBF\xBF")}),
       Paragraph({Styled("Жирный", [](TRichRun& r) { r.FBold = true; })})}}},
    {"LooksAndAlignment",
     {{Paragraph({Styled("b", [](TRichRun& r) { r.FBold = true; }),
                  Styled("i", [](TRichRun& r) { r.FItalic = r.FUnderline = r.FStrikeout = true; }),
                  Styled("red",
                         [](TRichRun& r) {
                             r.FColour = TRgb{255, 0, 0};
                         }),
                  Styled("black",
                         [](TRichRun& r) {
                             r.FColour = TRgb{0, 0, 0};
                         }),
                  Styled("mono", [](TRichRun& r) { r.FFont = "DejaVu Sans Mono", r.FSizePoints = 10.5; }),
                  Styled("Ωmega font", [](TRichRun& r) { r.FFont = "Schrift Ä{1}", r.FSizePoints = 12; }),
                  TextRun("plain")},
                 TListKind::None, TAlignment::Center),
       Paragraph({TextRun("right")}, TListKind::None, TAlignment::Right),
       Paragraph({TextRun("justified")}, TListKind::None, TAlignment::Justify)}}},
    {"Lists",
     {{Paragraph({TextRun("one")}, TListKind::Bullet), Paragraph({TextRun("two")}, TListKind::Bullet),
       Paragraph({TextRun("first")}, TListKind::Decimal, TAlignment::Right),
       Paragraph({TextRun("second")}, TListKind::Decimal), Paragraph({}, TListKind::Decimal),
       Paragraph({TextRun("after")})}}},
    {"Links",
     {{Paragraph(
         {TextRun("see "), Styled("the docs", [](TRichRun& r) { r.FLink = "https://example.org/a?b=1&c=\"2\"#top"; }),
          Styled(" bold", [](TRichRun& r) { r.FLink = "https://example.org/a?b=1&c=\"2\"#top", r.FBold = true; }),
          Styled("next", [](TRichRun& r) { r.FLink = R"(C:\dir\ä.txt)"; }), TextRun(" end")})}}},
};

class RtfRoundTrip : public ::testing::TestWithParam<TModelCase>
{
};

} // namespace

TEST_P(RtfRoundTrip, ReadsBackTheSameDocumentFromSevenBitRtf)
{
    const std::string rtf = WriteRtf(GetParam().FDocument);
    EXPECT_TRUE(std::ranges::all_of(rtf, [](char c) { return c > 0 && c < 0x7F; })) << rtf;
    EXPECT_TRUE(IsRichMemo(rtf));
    EXPECT_EQ(ReadRtf(rtf), GetParam().FDocument) << rtf;
}

INSTANTIATE_TEST_SUITE_P(Models, RtfRoundTrip, ::testing::ValuesIn(ModelCases),
                         [](const auto& info) { return info.param.FName; });

TEST(RtfWriter, WritesCharactersAndListsAsOtherReadersExpect)
{
    const std::string rtf = WriteRtf({{Paragraph({TextRun("é€😀")}), Paragraph({TextRun("x")}, TListKind::Bullet),
                                       Paragraph({TextRun("y")}, TListKind::Decimal)}});
    EXPECT_TRUE(rtf.starts_with(R"({\rtf1\ansi\ansicpg1252\deff0)")) << rtf;
    EXPECT_NE(rtf.find(R"(\'e9\'80\u-10179?\u-8704?)"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find(R"({\pntext \'95\tab}{\*\pn\pnlvlblt)"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find(R"({\pntext 1.\tab}{\*\pn\pnlvlbody\pndec)"), std::string::npos) << rtf;
}

// A written document opens in a word processor with the same text, where one is installed.
TEST(RtfWriter, WordProcessorReadsTheSameText)
{
    if (std::system("command -v soffice >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "no word processor (soffice) installed";
    }
    const TRichDocument& document = ModelCases[2].FDocument;
    const auto folder = std::filesystem::temp_directory_path() / ("rtf-writer-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "memo.rtf", std::ios::binary) << WriteRtf(document);
    const std::string command =
        "cd '" + folder.string() + "' && soffice -env:UserInstallation=file://" + folder.string() +
        "/profile --headless --norestore --convert-to 'txt:Text (encoded):UTF8'" + " memo.rtf >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::ifstream in(folder / "memo.txt", std::ios::binary);
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::filesystem::remove_all(folder);
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.erase(0, 3);
    }
    EXPECT_EQ(text, PlainText(document, false) + "\n");
}
