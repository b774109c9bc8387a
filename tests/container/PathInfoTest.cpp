#include "container/PathInfo.h"
#include "container/PathError.h"
#include "language/LangWatchable.h"

#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;

namespace {

// The message an EPathError carries, or "" when the call raised none.
template <typename F> std::string PathErrorOf(F call)
{
    try {
        call();
    } catch (const EPathError& e) {
        return e.what();
    }
    return "";
}

TPathInfo Stored(std::string relativeFolder, std::string fileName)
{
    return TPathInfo::FromStored("|data", std::move(relativeFolder), std::move(fileName), "");
}

class PathInfoTest : public ::testing::Test
{
protected:
    void SetUp() override { LanguageHolder().SetLanguage(LangEnglish); }
};

} // namespace

TEST_F(PathInfoTest, SplitsAFullNameAndJoinsItBack)
{
    TPathInfo path;
    path.SetFrom("/data/a/b/f.txt", "/data");
    EXPECT_EQ(path.BaseFolder(), "/data");
    EXPECT_EQ(path.RelativeFolder(), "/a/b");
    EXPECT_EQ(path.FileName(), "f.txt");
    EXPECT_EQ(path.StoredBaseFolder(), "|data");
    EXPECT_EQ(path.StoredRelativeFolder(), "|a|b");
    EXPECT_EQ(path.StoredFileName(), "f.txt");
    EXPECT_EQ(path.FullName(), "/data/a/b/f.txt");
    EXPECT_EQ(path.TargetName("/out/"), "/out/a/b/f.txt");
    EXPECT_EQ(path.TargetName("/out"), "/out/a/b/f.txt");
    EXPECT_EQ(path.TargetName(""), "/data/a/b/f.txt");

    // A base folder given with its trailing delimiter leads to the same tree.
    TPathInfo trailing;
    trailing.SetFrom("/data/a/b/f.txt", "/data/");
    EXPECT_EQ(trailing.StoredBaseFolder(), "|data");
    EXPECT_EQ(trailing.FullName(), "/data/a/b/f.txt");
    EXPECT_EQ(trailing.TargetName("/out"), "/out/a/b/f.txt");
}

TEST_F(PathInfoTest, FileInTheBaseFolderOrTheRoot)
{
    TPathInfo direct;
    direct.SetFrom("/data/f.txt", "/data");
    EXPECT_EQ(direct.RelativeFolder(), "");
    EXPECT_EQ(direct.FullName(), "/data/f.txt");
    EXPECT_EQ(direct.TargetName("/out"), "/out/f.txt");

    const TPathInfo root("/", "x", "");
    EXPECT_EQ(root.StoredBaseFolder(), "|");
    EXPECT_EQ(root.FullName(), "/x");

    TPathInfo fromRoot;
    fromRoot.SetFrom("/x", "/");
    EXPECT_EQ(fromRoot.BaseFolder(), "/");
    EXPECT_EQ(fromRoot.FullName(), "/x");
    fromRoot.SetFrom("/a/b/x", "/");
    EXPECT_EQ(fromRoot.FullName(), "/a/b/x");
    EXPECT_EQ(fromRoot.TargetName("/out"), "/out/a/b/x");

    // The root as target, with relative folders written either way.
    EXPECT_EQ(TPathInfo("/data", "x", "/a").TargetName("/"), "/a/x");
    EXPECT_EQ(TPathInfo("/", "x", "/a").FullName(), "/a/x");
    EXPECT_EQ(direct.TargetName("//"), "/f.txt");
}

TEST_F(PathInfoTest, SettersTrimTrailingDelimiters)
{
    const TPathInfo path("/data//", "f", "/a/b//");
    EXPECT_EQ(path.StoredBaseFolder(), "|data");
    EXPECT_EQ(path.StoredRelativeFolder(), "|a|b");
    EXPECT_EQ(path.FullName(), "/data/a/b/f");

    TPathInfo relative;
    relative.SetRelativeFolder("/");
    EXPECT_EQ(relative.StoredRelativeFolder(), "");
    relative.SetBaseFolder("");
    EXPECT_EQ(relative.StoredBaseFolder(), "");
}

TEST_F(PathInfoTest, RefusesNamesThatCannotComeBack)
{
    TPathInfo path("/data", "keep", "/a");
    for (const std::string name : {"a/b", "a|b", "a\\b"}) {
        EXPECT_EQ(PathErrorOf([&] { path.SetFileName(name); }), "Illegal file name '" + name + "'!");
    }
    EXPECT_EQ(path.FileName(), "keep");
    EXPECT_EQ(PathErrorOf([] { TPathInfo("/data", "x\\y", ""); }), "Illegal file name 'x\\y'!");
}

TEST_F(PathInfoTest, BaseFolderMustLeadTheFullName)
{
    TPathInfo path("/keep", "k", "");
    EXPECT_EQ(PathErrorOf([&] { path.SetFrom("/database/x", "/data"); }),
              "Base folder '/data' not in file path '/database/x'!");
    EXPECT_NE(PathErrorOf([&] { path.SetFrom("/other/data/x", "/data"); }), "");
    EXPECT_NE(PathErrorOf([&] { path.SetFrom("/data", "/data"); }), "");
    EXPECT_NE(PathErrorOf([&] { path.SetFrom("/data/a|b", "/data"); }), "");
    // A failed call leaves the record as it was.
    EXPECT_EQ(path.FullName(), "/keep/k");
}

TEST_F(PathInfoTest, RelativeFolderIsCutAt255Bytes)
{
    const std::string deep = "/" + std::string(300, 'd');
    TPathInfo path;
    path.SetFrom("/data" + deep + "/f", "/data");
    EXPECT_EQ(path.RelativeFolder(), deep.substr(0, 255));

    // Two-byte characters: the cut never splits one.
    std::string umlauts = "/x";
    for (int n = 0; n < 150; ++n) {
        umlauts += "\xC3\xA4";
    }
    path.SetFrom("/data" + umlauts + "/f", "/data");
    EXPECT_EQ(path.RelativeFolder(), umlauts.substr(0, 254));
}

TEST_F(PathInfoTest, JoinPathPutsOneDelimiterBetween)
{
    EXPECT_EQ(JoinPath("a", "b"), "a/b");
    EXPECT_EQ(JoinPath("a/", "b"), "a/b");
    EXPECT_EQ(JoinPath("a", "/b"), "a/b");
    EXPECT_EQ(JoinPath("a", ""), "a");
    EXPECT_EQ(JoinPath("", "b"), "b");
    EXPECT_EQ(JoinPath("", ""), "");
    EXPECT_EQ(PathErrorOf([] { JoinPath("a/", "/b"); }), "Paths 'a/' and '/b' cannot be concatenated!");
}

TEST_F(PathInfoTest, ExtractionRefusesNamesLeadingOutOfTheTarget)
{
    for (const std::string& name : {""s, "."s, ".."s, "a|b"s, "a/b"s, "a\0b"s}) {
        SCOPED_TRACE(name);
        EXPECT_NE(PathErrorOf([&] { Stored("|a", name).CheckExtractable(); }), "");
    }
    for (const std::string& folder : {"|..|x"s, "|a|.|b"s, "|.."s, ".."s, "|a|.."s, "/../x"s, "|a/..|b"s, "|a\0"s}) {
        SCOPED_TRACE(folder);
        EXPECT_NE(PathErrorOf([&] { Stored(folder, "f").CheckExtractable(); }), "");
    }
    EXPECT_EQ(PathErrorOf([] { Stored("|..", "f").CheckExtractable(); }), "Illegal file name '/../f'!");

    for (const std::string name : {"...", ".hidden", "..x", "a\\b", "f.txt"}) {
        EXPECT_EQ(PathErrorOf([&] { Stored("|a|...|.b||c", name).CheckExtractable(); }), "") << name;
    }
    EXPECT_EQ(PathErrorOf([] { Stored("", "f").CheckExtractable(); }), "");
}
