#include "container/PathInfo.h"
#include "container/PathError.h"

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

TPathInfo From(const std::string& fullName, const std::string& baseFolder)
{
    TPathInfo path;
    path.SetFrom(fullName, baseFolder);
    return path;
}

// Base, relative folder and name; the same as stored; the full name; the name below "/out". The
// relative folder is what follows the base folder, so it has no leading delimiter when the base
// folder ends with one.
std::string Summary(const TPathInfo& p)
{
    return p.BaseFolder() + " " + p.RelativeFolder() + " " + p.FileName() + " | " + p.StoredBaseFolder() + " " +
           p.StoredRelativeFolder() + " " + p.StoredFileName() + " | " + p.FullName() + " | " + p.TargetName("/out");
}

TPathInfo Stored(std::string relativeFolder, std::string fileName)
{
    return TPathInfo::FromStored("|data", std::move(relativeFolder), std::move(fileName), "");
}

} // namespace

// The relative folder is cut at 255 bytes, between characters.
TEST(PathInfoTest, SplitsTrimsJoinsAndCutsNames)
{
    for (const auto& [path, summary] : std::vector<std::pair<TPathInfo, std::string>>{
             {From("/data/a/b/f.txt", "/data"),
              "/data /a/b f.txt | |data |a|b f.txt | /data/a/b/f.txt | /out/a/b/f.txt"},
             {From("/data/a/b/f.txt", "/data/"),
              "/data a/b f.txt | |data a|b f.txt | /data/a/b/f.txt | /out/a/b/f.txt"},
             {From("/data/f.txt", "/data"), "/data  f.txt | |data  f.txt | /data/f.txt | /out/f.txt"},
             {From("/a/b/x", "/"), "/ a/b x | | a|b x | /a/b/x | /out/a/b/x"},
             {TPathInfo("/", "x", "/a"), "/ /a x | | |a x | /a/x | /out/a/x"},
             {TPathInfo("/data//", "f", "/a/b//"), "/data /a/b f | |data |a|b f | /data/a/b/f | /out/a/b/f"},
             {TPathInfo("", "f", "/"), "  f |   f | f | /out/f"},
         }) {
        EXPECT_EQ(Summary(path), summary);
    }
    // Other targets: with a delimiter at its end, the root, none (the file's own place).
    for (const auto& [target, name] : std::vector<std::pair<std::string, std::string>>{
             {"/out/", "/out/a/b/f.txt"}, {"/", "/a/b/f.txt"}, {"//", "/a/b/f.txt"}, {"", "/data/a/b/f.txt"}}) {
        EXPECT_EQ(From("/data/a/b/f.txt", "/data").TargetName(target), name) << target;
    }

    for (const auto& [a, b, joined] : std::vector<std::tuple<std::string, std::string, std::string>>{
             {"a", "b", "a/b"}, {"a/", "b", "a/b"}, {"a", "/b", "a/b"}, {"a", "", "a"}, {"", "b", "b"}, {"", "", ""}}) {
        EXPECT_EQ(JoinPath(a, b), joined) << a << " + " << b;
    }
    EXPECT_EQ(PathErrorOf([] { JoinPath("a/", "/b"); }), "Paths 'a/' and '/b' cannot be concatenated!");

    const std::string deep = "/" + std::string(300, 'd');
    EXPECT_EQ(From("/data" + deep + "/f", "/data").RelativeFolder(), deep.substr(0, 255));
    std::string umlauts = "/x";
    for (int n = 0; n < 150; ++n) {
        umlauts += "\xC3\xA4";
    }
    EXPECT_EQ(From("/data" + umlauts + "/f", "/data").RelativeFolder(), umlauts.substr(0, 254));
}

TEST(PathInfoTest, RefusesNamesThatCannotComeBackOrLeadOutOfTheTarget)
{
    TPathInfo path("/data", "keep", "/a");
    for (const std::string name : {"a/b", "a|b", "a\\b"}) {
        EXPECT_EQ(PathErrorOf([&] { path.SetFileName(name); }), "Illegal file name '" + name + "'!");
    }
    EXPECT_EQ(PathErrorOf([&] { path.SetFrom("/database/x", "/data"); }),
              "Base folder '/data' not in file path '/database/x'!");
    for (const std::string full : {"/other/data/x", "/data", "/data/a|b"}) {
        EXPECT_NE(PathErrorOf([&] { path.SetFrom(full, "/data"); }), "") << full;
    }
    EXPECT_EQ(path.FullName(), "/data/a/keep");

    for (const std::string& name : {""s, "."s, ".."s, "a|b"s, "a/b"s, "a\0b"s}) {
        EXPECT_NE(PathErrorOf([&] { Stored("|a", name).CheckExtractable(); }), "") << name;
    }
    for (const std::string& folder : {"|..|x"s, "|a|.|b"s, "|.."s, ".."s, "|a|.."s, "/../x"s, "|a/..|b"s, "|a\0"s}) {
        EXPECT_NE(PathErrorOf([&] { Stored(folder, "f").CheckExtractable(); }), "") << folder;
    }
    EXPECT_EQ(PathErrorOf([] { Stored("|..", "f").CheckExtractable(); }), "Illegal file name '/../f'!");

    for (const std::string name : {"...", ".hidden", "..x", "a\\b", "f.txt"}) {
        EXPECT_EQ(PathErrorOf([&] { Stored("|a|...|.b||c", name).CheckExtractable(); }), "") << name;
    }
    EXPECT_EQ(PathErrorOf([] { Stored("", "f").CheckExtractable(); }), "");
}
