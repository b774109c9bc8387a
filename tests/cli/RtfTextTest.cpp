#include "cli/RtfText.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace {

// The fixtures: documents LibreOffice Writer wrote (NAME.rtf) with its own text read-back
// (NAME.lo.txt); see data/rtf/README.md.
std::vector<std::string> FixtureNames()
{
    std::vector<std::string> names;
    for (const auto& item : std::filesystem::directory_iterator(SEALVANE_RTF_FIXTURES)) {
        if (item.path().extension() == ".rtf") {
            names.push_back(item.path().stem().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The line without a list label at its start: white space, a bullet or a number with a dot,
// white space.
std::string WithoutListLabel(const std::string& line)
{
    const std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos) {
        return line;
    }
    std::size_t end = start;
    if (line.compare(start, 3, "\xE2\x80\xA2") == 0) {
        end += 3;
    } else {
        while (end < line.size() && line[end] >= '0' && line[end] <= '9') {
            ++end;
        }
        if (end == start || end >= line.size() || line[end] != '.') {
            return line;
        }
        ++end;
    }
    const std::size_t text = line.find_first_not_of(" \t", end);
    return text == end ? line : line.substr(text == std::string::npos ? line.size() : text);
}

// Lines without trailing white space and without list labels ("    • ", "    1. ", which the
// read-back writes and we write as "• ", "1. "), trailing empty lines dropped.
std::vector<std::string> ComparableLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        line = WithoutListLabel(line);
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r')) {
            line.pop_back();
        }
        lines.push_back(line);
    }
    while (!lines.empty() && lines.back().empty()) {
        lines.pop_back();
    }
    return lines;
}

class CliRtfFixture : public ::testing::TestWithParam<std::string>
{
};

} // namespace

TEST_P(CliRtfFixture, TextMatchesTheWordProcessorsReadBack)
{
    const std::string base = std::string(SEALVANE_RTF_FIXTURES) + "/" + GetParam();
    const std::string rtf = ReadWholeFile(base + ".rtf");
    ASSERT_TRUE(IsRtf(rtf));
    EXPECT_EQ(ComparableLines(RtfToText(rtf)), ComparableLines(ReadWholeFile(base + ".lo.txt")));
}

INSTANTIATE_TEST_SUITE_P(LibreOffice, CliRtfFixture, ::testing::ValuesIn(FixtureNames()),
                         [](const auto& info) { return info.param; });

TEST(CliRtf, ListLabelsAreKeptBeforeTheItem)
{
    const std::string rtf = ReadWholeFile(std::string(SEALVANE_RTF_FIXTURES) + "/numbered_list.rtf");
    EXPECT_EQ(RtfToText(rtf), "Steps:\n1. Open the container\n2. Enter the password\n3. Read the message\n"
                              "4. Close it\nDone.\n");
}

TEST(CliRtf, UnicodeFallbacksAreSkippedAsUcSays)
{
    EXPECT_EQ(RtfToText("{\\rtf1 a\\u8364?b}"), "a\xE2\x82\xAC"
                                                "b");
    EXPECT_EQ(RtfToText("{\\rtf1 \\uc2 a\\u8364 xyb}"), "a\xE2\x82\xAC"
                                                        "b");
    EXPECT_EQ(RtfToText("{\\rtf1 \\uc0 a\\u8364 b}"), "a\xE2\x82\xAC"
                                                      "b");
    EXPECT_EQ(RtfToText("{\\rtf1 a\\u252\\'fcb}"), "a\xC3\xBC"
                                                   "b")
        << "a \\'xx fallback is one character";
    EXPECT_EQ(RtfToText("{\\rtf1 {\\uc1 \\u8364}x}"), "\xE2\x82\xAC"
                                                      "x")
        << "a group end ends the fallback";
    EXPECT_EQ(RtfToText("{\\rtf1 {\\uc3 x}\\u8364 ?y}"), "x\xE2\x82\xAC"
                                                         "y")
        << "\\uc is a group property";
    EXPECT_EQ(RtfToText("{\\rtf1 \\u-10179?\\u-8704?}"), "\xF0\x9F\x98\x80") << "a surrogate pair";
    EXPECT_EQ(RtfToText("{\\rtf1 \\u-10179?x}"), "\xEF\xBF\xBDx") << "a lone high surrogate";
}

TEST(CliRtf, BytesSymbolsAndBreaks)
{
    EXPECT_EQ(RtfToText("{\\rtf1\\ansi \\'80\\'e9\\'9c}"), "\xE2\x82\xAC\xC3\xA9\xC5\x93") << "Windows-1252";
    EXPECT_EQ(RtfToText("{\\rtf1 \\{\\}\\\\\\~x\\-y\\_z}"), "{}\\\xC2\xA0xy\xE2\x80\x91z");
    EXPECT_EQ(RtfToText("{\\rtf1 a\\tab b\\line c\\par d\\\nf}"), "a\tb\nc\nd\nf");
    EXPECT_EQ(RtfToText("{\\rtf1 a\r\nb\\par\r\n}"), "ab\n") << "line ends in the file are not text";
    EXPECT_EQ(RtfToText("{\\rtf1 \\ldblquote x\\rdblquote \\emdash\\bullet}"),
              "\xE2\x80\x9Cx\xE2\x80\x9D\xE2\x80\x94\xE2\x80\xA2");
    EXPECT_EQ(RtfToText("{\\rtf1 \\fs-24 x\\li720y}"), "xy") << "parameters, negative ones too, are not text";
}

TEST(CliRtf, NonTextGroupsAreLeftOut)
{
    EXPECT_EQ(RtfToText("{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red0;}{\\stylesheet{Normal;}}"
                        "{\\info{\\title T}}{\\*\\generator G{nested}}{\\pict\\pngblip 89504e47}x}"),
              "x");
    EXPECT_EQ(RtfToText("{\\rtf1 {\\field{\\*\\fldinst HYPERLINK \"u\"}{\\fldrslt link}} end}"), "link end");
    EXPECT_EQ(RtfToText("{\\rtf1 a{\\pict\\bin4 }{}x}b}"), "ab") << "binary data may hold braces";
    EXPECT_EQ(RtfToText("{\\rtf1 {\\header h}{\\footnote f}body}"), "body");
}

TEST(CliRtf, DamagedInputEndsQuietly)
{
    EXPECT_EQ(RtfToText("}}x{\\rtf1 y"), "xy");
    EXPECT_EQ(RtfToText("{\\rtf1 a\\"), "a");
    EXPECT_EQ(RtfToText("{\\rtf1 a\\'4"), "a");
    EXPECT_EQ(RtfToText("{\\rtf1 a\\bin999999999"), "a");
    EXPECT_EQ(RtfToText(std::string(100000, '{') + "x"), "x");
    EXPECT_FALSE(IsRtf("plain {\\rtf1"));
}
