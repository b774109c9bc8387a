#include "CliFixture.h"

#include <filesystem>

std::string CliFixture::MakeFile(const std::string& relativeName, const std::string& bytes)
{
    const std::string name = FDir.File(relativeName);
    std::filesystem::create_directories(std::filesystem::path(name).parent_path());
    WriteWholeFile(name, bytes);
    return name;
}

std::string CliFixture::MakeContainer()
{
    MakeFile("tree/a.txt", "alpha");
    MakeFile("tree/sub/b.txt", "bravo bravo");
    MakeFile("top.txt", "top");
    const std::string container = FDir.File("c.xvt");
    EXPECT_EQ(RunWith({"pw"}, {"create", container, FDir.File("tree"), FDir.File("top.txt"), "--memo", "Hi"}), 0)
        << FLastErr;
    return container;
}
