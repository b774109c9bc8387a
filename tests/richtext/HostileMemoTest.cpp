// Hostile rich-text memos: a long link target or font name carried by many runs and groups. Reading
// such a memo and writing it back must allocate memory in proportion to the memo, not to the runs
// times the link. This program counts every allocation, which is why it runs apart.
#include "CountingAllocator.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <gtest/gtest.h>

namespace {

const std::string LongLink = "{\\field{\\*\\fldinst HYPERLINK \"https://example.org/" + std::string(20000, 'a') + "\"}";

std::string Repeated(const std::string& piece, int times)
{
    std::string text;
    for (int n = 0; n < times; ++n) {
        text += piece;
    }
    return text;
}

// A run of the model, its growth and its written form take some 200 bytes, and a memo can start
// a run every 4 bytes ("\b x"): about 60 bytes for each byte of the memo. A copy of a link target
// of 20,000 bytes or of a font name of 1,000 for each run or group takes hundreds of times more.
constexpr std::size_t BytesPerMemoByte = 100;

struct TMemoCase
{
    const char* FName;
    std::string FRtf;
};

const TMemoCase MemoCases[] = {
    {"LinkOverManyRuns", "{\\rtf1" + LongLink + "{\\fldrslt " + Repeated("\\b x\\b0 y{\\i z}", 3000) + "}}}"},
    {"LinkOverManyGroups", "{\\rtf1" + LongLink + "{\\fldrslt x" + Repeated("{}", 20000) + "}}}"},
    {"FontNameOverManyRuns",
     "{\\rtf1\\deff0{\\fonttbl{\\f0 " + std::string(1000, 'F') + ";}}" + Repeated("\\b x\\b0 y", 5000) + "}"},
    // Every paragraph of ten bytes starts a list at the deepest level, of a kind other than the
    // last one's; each such list takes a definition in the list table the writer writes.
    {"ListsOfOneParagraphAtAbsurdLevels", "{\\rtf1{\\*\\listtable{\\list{\\listlevel\\levelnfc23}\\listid1}{\\list{"
                                          "\\listlevel}\\listid2}}{\\*\\listoverridetable"
                                          "{\\listoverride\\listid1\\ls1}{\\listoverride\\listid2\\ls2}}\\ilvl999" +
                                              Repeated("\\ls1 x\\par\\ls2 x\\par", 5000) + "}"},
};

} // namespace

TEST(HostileMemo, ReadingAndWritingBackAllocateInProportionToTheMemo)
{
    for (const TMemoCase& memo : MemoCases) {
        CountingAllocator::Reset();
        const std::string written = WriteRtf(ReadRtf(memo.FRtf));
        EXPECT_LE(CountingAllocator::Total(), BytesPerMemoByte * memo.FRtf.size()) << memo.FName;
        EXPECT_GT(written.size(), memo.FRtf.size() / 10) << memo.FName << ": the memo was read";
    }
}
