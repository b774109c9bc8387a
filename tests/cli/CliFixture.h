#pragma once

#include "ScriptedConsole.h"
#include "TempDir.h"
#include "cli/CommandLine.h"
#include "container/Delay.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Commands run in-process through the real command line, with a scripted console, in a scratch
// folder; the wrong-password pause is recorded instead of slept.
class CliFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FPrevious = SetSleepFunction([this](std::int64_t ms) { FPauses.push_back(ms); });
    }
    void TearDown() override { SetSleepFunction(FPrevious); }

    int Run(TScriptedConsole& console, const std::vector<std::string>& args)
    {
        return TCommandLine(FRegistry, console).Run(args);
    }
    // Runs without a terminal, each password given as one line of input.
    int RunWith(const std::vector<std::string>& passwordLines, const std::vector<std::string>& args)
    {
        TScriptedConsole console;
        for (const std::string& line : passwordLines) {
            console.ExpectSecret("", line);
        }
        const int code = Run(console, args);
        FLastOut = console.OutText();
        FLastErr = console.ErrText();
        return code;
    }

    // Writes a file below the scratch folder (making its folders); returns its full name.
    std::string MakeFile(const std::string& relativeName, const std::string& bytes);
    // A container "c.xvt" with password "pw" holding tree/a.txt, tree/sub/b.txt and top.txt.
    std::string MakeContainer();

    const TCommandRegistry FRegistry = TCommandRegistry::WithAllCommands();
    TempDir FDir;
    std::vector<std::int64_t> FPauses;
    std::string FLastOut;
    std::string FLastErr;

private:
    TSleepFunction FPrevious;
};
