#include "settings/StartupLink.h"
#include "app/Sandbox.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

bool HasLine(const std::string& text, const std::string& line)
{
    return ("\n" + text).find("\n" + line + "\n") != std::string::npos;
}

} // namespace

TEST(StartupLinkTest, OnlyAnInstalledProgramHasAnEntryMadeAndRemoved)
{
    Sandbox sandbox;
    std::filesystem::create_directories(sandbox.ConfigHome() + "/autostart");
    WriteWholeFile(StartupLinkFile(), "[Desktop Entry]\n");
    EXPECT_FALSE(CreateStartupLink());
    EXPECT_FALSE(StartupLinkExists()) << "an entry counts only for an installed copy";
    EXPECT_FALSE(RemoveStartupLink());
    EXPECT_EQ(ReadWholeFile(StartupLinkFile()), "[Desktop Entry]\n") << "left alone";
    std::filesystem::remove(StartupLinkFile());

    const std::string program = sandbox.Install();
    EXPECT_TRUE(RemoveStartupLink()) << "nothing to remove is no failure";
    ASSERT_TRUE(CreateStartupLink());
    EXPECT_TRUE(StartupLinkExists());
    const std::string text = ReadWholeFile(StartupLinkFile());
    EXPECT_TRUE(text.starts_with("[Desktop Entry]\n"));
    EXPECT_TRUE(HasLine(text, "Exec=\"" + program + "\""));
}

TEST(StartupLinkTest, ExecQuotesAndEscapesAwkwardProgramPaths)
{
    // Inside the quotes '"', '`', '$' and '\' take a backslash and '%' is doubled; then the
    // backslashes of the value are doubled once more.
    const std::string text = StartupEntryText("/opt/My Apps/50% \"off\"/$x`y`\\z/run");
    EXPECT_TRUE(HasLine(text, R"(Exec="/opt/My Apps/50%% \\"off\\"/\\$x\\`y\\`\\\\z/run")")) << text;
    EXPECT_TRUE(HasLine(text, R"(Path=/opt/My Apps/50% "off"/$x`y`\\z/)")) << text;

    const std::string newline = StartupEntryText("/opt/a\nb/run");
    EXPECT_TRUE(HasLine(newline, R"(Exec="/opt/a\nb/run")")) << "a line break cannot end the line";
}
