#include "richtext/RtfReader.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

std::string Repeated(const std::string& piece, int times)
{
    std::string text;
    for (int n = 0; n < times; ++n) {
        text += piece;
    }
    return text;
}

// A document, what must be read of it, and the bounds it is read within.
struct TCase
{
    const char* FName;
    std::string FRtf;
    std::string FExpected;
    TRtfLimits FLimits = {};
};

// The text of documents in every corner of the syntax, damaged ones included.
const TCase TextCases[] = {
    {"FallbackLengthFromUc", R"({\rtf1 \uc2 a\u8364 xyb})", "a€b"},
    {"HexByteIsOneFallbackCharacter", R"({\rtf1 a\u252\'fcb})", "aüb"},
    {"GroupEndEndsTheFallback", R"({\rtf1 {\uc1 \u8364}x})", "€x"},
    {"UcBelongsToItsGroup", R"({\rtf1 {\uc3 x}\u8364 ?y})", "x€y"},
    {"SurrogatePair", R"({\rtf1 \u-10179?\u-8704?})", "😀"},
    {"LoneHighSurrogate", R"({\rtf1 \u-10179?x})", "\uFFFDx"},
    {"UnknownCodePageReadsAs1252", R"({\rtf1\ansi\ansicpg1251 \'e9})", "é"},
    {"Specials", R"({\rtf1 \{\}\\\~x\-y\_z})", "{}\\\u00A0xy\u2011z"},
    {"Breaks", "{\\rtf1 a\\tab b\\line c\\par d\\\nf}", "a\tb\nc\nd\nf"},
    {"FileLineEndsAreNoText", "{\\rtf1 a\r\nb\\par\r\n}", "ab"},
    {"TablesInfoAndPicturesAreNoText",
     R"({\rtf1{\fonttbl{\f0 Arial;}}{\colortbl;\red0;}{\stylesheet{Normal;}}{\info{\title T}}{\*\generator G{n}}{\pict\pngblip 89}x})",
     "x"},
    {"UnknownIgnorableGroupIsSkipped", R"({\rtf1 a{\*\unknown b{c}}d})", "ad"},
    {"UnknownGroupKeepsItsText", R"({\rtf1 a{\unknownword b}\unknown2 c})", "abc"},
    {"BinaryDataMayHoldBraces", R"({\rtf1 a{\pict\bin4 }{}x}b})", "ab"},
    {"HeadersAndFootnotesAreNoText", R"({\rtf1 {\header h}{\footnote f}body})", "body"},
    {"TableCellsAndRows", R"({\rtf1 a\cell b\cell\row c})", "a\tb\t\nc"},
    {"StrayBracesAndTextOutside", "}}x{\\rtf1 y", "xy"},
    {"CutControlWord", "{\\rtf1 a\\", "a"},
    {"CutHexByte", "{\\rtf1 a\\'4", "a"},
    {"BinaryLongerThanTheFile", "{\\rtf1 a\\bin999999999", "a"},
    {"HugeNumbers", R"({\rtf1 \fs99999999999999999999 a\u99999999999?b\uc99999999999 \u65?cd})", "a\uFFFDbA"},
    {"DeepNesting", std::string(100000, '{') + "\\b x" + std::string(100000, '}') + "y", "xy"},
    {"EmptyLastParagraphIsDropped", R"({\rtf1 a\par\par})", "a\n"},
};

// The runs of a document: bold text between '*', italic text between '_'.
std::string Marked(const TRichDocument& document)
{
    std::string marked;
    for (const TRichRun& run : document.FParagraphs.at(0).FRuns) {
        const std::string marks = std::string(run.FBold ? "*" : "") + (run.FItalic ? "_" : "");
        marked += marks + run.FText + std::string(marks.rbegin(), marks.rend());
    }
    return marked;
}

// LibreOffice writes bold and italic of Latin text as "\b" and "\i", of East Asian text as
// "\ab" after "\dbch" (italic as "\i"), of right-to-left text as "\ab" and "\ai" after "\rtlch".
const TCase LookCases[] = {
    {"EastAsianBold", R"({\rtf1{\loch\b\loch bold }{\dbch\ab\dbch \u26085?\u26412?}{\loch x}})", "*bold 日本*x"},
    {"EastAsianItalic", R"({\rtf1{\dbch\ai\dbch \u26085?}{\dbch\i\dbch \u26412?}})", "_日本_"},
    {"LatinBoldOnlyIsNotEastAsian", R"({\rtf1\b\dbch\ab0 \u26085?\loch x})", "日*x*"},
    {"AssociatedBoldOfLatinTextIsNotBold", R"({\rtf1{\loch\ab Latin}{\hich\ai x}})", "Latinx"},
    {"RightToLeftBoldIsNotEastAsian", R"({\rtf1\dbch{\rtlch\ab\ltrch \u26085?}\ab \u26412?})", "日*本*"},
    {"PlainEndsTheAssociatedLook", R"({\rtf1\dbch\ab \u26085?\plain\dbch \u26412?})", "*日*本"},
};

// The document in short: paragraphs separated by '|', each run's text followed by its link target
// in brackets, its font in angle brackets and its colour.
std::string Outline(const TRichDocument& document)
{
    std::string outline;
    for (const TRichParagraph& paragraph : document.FParagraphs) {
        outline += outline.empty() ? "" : "|";
        for (const TRichRun& run : paragraph.FRuns) {
            outline += run.FText;
            outline += run.FLink ? "[" + document.FLinks.At(*run.FLink) + "]" : "";
            outline += run.FFont ? "<" + document.FFonts.At(*run.FFont) + ">" : "";
            if (run.FColour) {
                char colour[16];
                std::snprintf(colour, sizeof colour, "#%02x%02x%02x", run.FColour->FRed, run.FColour->FGreen,
                              run.FColour->FBlue);
                outline += colour;
            }
        }
    }
    return outline;
}

TRtfLimits With(std::size_t TRtfLimits::*limit, std::size_t value)
{
    TRtfLimits limits;
    limits.*limit = value;
    return limits;
}

// A document beyond a bound keeps what was read before it; a table entry beyond one is left out.
const TCase LimitCases[] = {
    {"TextEndsBeforeACharacterThatDoesNotFit", R"({\rtf1 abc\par de\u8364?f})", "abc|de",
     With(&TRtfLimits::FTextBytes, 6)},
    {"RunsEndAtTheBound", R"({\rtf1 a\b b\b0 c\b d\b0 e})", "abc", With(&TRtfLimits::FRuns, 3)},
    {"ParagraphsEndAtTheBound", R"({\rtf1 a\par b\par c\par d})", "a|b", With(&TRtfLimits::FParagraphs, 2)},
    {"FontsBeyondTheBoundAreLeftOut", R"({\rtf1{\fonttbl{\f0 A;}{\f1 B;}}{\f0 x}{\f1 y}})", "x<A>y",
     With(&TRtfLimits::FFonts, 1)},
    {"LongFontNamesAreLeftOut", R"({\rtf1{\fonttbl{\f0 Arial;}{\f1 Sym;}}{\f0 x}{\f1 y}})", "xy<Sym>",
     With(&TRtfLimits::FFontNameBytes, 3)},
    {"ColoursBeyondTheBoundAreLeftOut", R"({\rtf1{\colortbl;\red255;\green255;}{\cf1 x}{\cf2 y}})", "x#ff0000y",
     With(&TRtfLimits::FColours, 2)},
    {"LinksBeyondTheBoundAreNoLinks",
     R"({\rtf1{\field{\*\fldinst HYPERLINK a}{\fldrslt x}}{\field{\*\fldinst HYPERLINK b}{\fldrslt y}}})", "x[a]y",
     With(&TRtfLimits::FLinks, 1)},
    {"LongLinksAreNoLinks",
     R"({\rtf1{\field{\*\fldinst HYPERLINK abcd}{\fldrslt x}}{\field{\*\fldinst HYPERLINK abc}{\fldrslt y}}})",
     "xy[abc]", With(&TRtfLimits::FLinkBytes, 3)},
    // 4 bytes for the table, then 4 for each stretch of runs of the link: a writer writes it again
    // for each, so a short memo cannot become a long one.
    {"EveryStretchOfALinkCountsItsTarget",
     R"({\rtf1{\field{\*\fldinst HYPERLINK abcd}{\fldrslt x{\b y}z}}w{\field{\*\fldinst HYPERLINK abcd}{\fldrslt v}}})",
     "x[abcd]y[abcd]z[abcd]w", With(&TRtfLimits::FTextBytes, 12)},
};

} // namespace

TEST(RtfReaderText, ReadsTheTextOfEveryCase)
{
    for (const TCase& c : TextCases) {
        EXPECT_EQ(RtfToPlainText(c.FRtf), c.FExpected) << c.FName;
    }
}

// A list table of 10,000 levels, override and level numbers out of range: levels are those RTF has.
TEST(RtfReaderLists, AbsurdLevelsAreClampedToTheDeepest)
{
    const TRichDocument document = ReadRtf(
        R"({\rtf1{\*\listtable{\list)" + Repeated(R"({\listlevel\levelnfc23})", 10000) +
        R"(\listid7}}{\*\listoverridetable{\listoverride\listid7\ls-5}}\pard\ls-5\ilvl999 a\par\pard\ls9\ilvl-3 b})");
    EXPECT_EQ(PlainText(document, true), "                • a\nb");
    EXPECT_EQ(document.FParagraphs.at(0).FListLevel, MaxListLevel);
    EXPECT_EQ(document.FParagraphs.at(1).FListLevel, 0);
}

// A rich-edit control writes list labels as \pntext groups and the list's look in \pn; a list
// lasts until \pard.
TEST(RtfReaderRichEdit, ListsFromPnGroupsLastUntilPard)
{
    const TRichDocument document = ReadRtf(
        R"({\rtf1\ansi\ansicpg1252\deff0\nouicompat{\fonttbl{\f0\fnil\fcharset0 Calibri;}{\f1\fnil\fcharset2 Symbol;}})"
        "\r\n{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1\r\n"
        R"(\pard\sa200\sl276\slmult1\f0\fs22\lang9 Shopping:\par)"
        R"(\pard{\pntext\f1\'B7\tab}{\*\pn\pnlvlblt\pnf1\pnindent0{\pntxtb\'B7}}\fi-360\li720 Apples\par)"
        R"({\pntext\f1\'B7\tab}Bread\par)"
        R"(\pard{\pntext\f0 1.\tab}{\*\pn\pnlvlbody\pnf0\pnindent0\pnstart1\pndec{\pntxta.}}\fi-360\li720\f0 One\par)"
        R"({\pntext\f0 2.\tab}Two\par\pard\qr Done\par})");
    EXPECT_EQ(PlainText(document, true), "Shopping:\n• Apples\n• Bread\n1. One\n2. Two\nDone");
    EXPECT_EQ(document.FParagraphs.back().FAlignment, TAlignment::Right);
}

TEST(RtfReaderLooks, AssociatedBoldAndItalicApplyToEastAsianText)
{
    for (const TCase& c : LookCases) {
        EXPECT_EQ(Marked(ReadRtf(c.FRtf)), c.FExpected) << c.FName;
    }
}

TEST(RtfReaderRichEdit, HyperlinkInstructionForms)
{
    const auto target = [](const std::string& instruction) {
        const TRichDocument document = ReadRtf("{\\rtf1{\\field{\\*\\fldinst " + instruction + "}{\\fldrslt x}}}");
        return document.FLinks.At(document.FParagraphs.at(0).FRuns.at(0).FLink.value());
    };
    EXPECT_EQ(target(R"(HYPERLINK "a b.html" \\o "tip")"), "a b.html");
    EXPECT_EQ(target(R"(hyperlink \\l "part")"), "#part");
    EXPECT_EQ(target(R"(HYPERLINK http://x/ \\l top)"), "http://x/#top");
    EXPECT_EQ(target(R"(HYPERLINK "C:\\\\dir\\\\a \\"q\\".txt")"), R"(C:\dir\a "q".txt)");
    EXPECT_EQ(target(R"(HYPERLINK "http://\u1082?.example/")"), "http://к.example/");
}

TEST(RtfReaderLimits, KeepsWhatWasReadBeforeABound)
{
    for (const TCase& c : LimitCases) {
        EXPECT_EQ(Outline(ReadRtf(c.FRtf, c.FLimits)), c.FExpected) << c.FName;
        EXPECT_NE(Outline(ReadRtf(c.FRtf)), c.FExpected) << c.FName << ": the bound makes the difference";
    }
}
