#include "Sandbox.h"

#include "settings/InstallRecord.h"

#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>

Sandbox::Sandbox()
{
    for (const char* folder : {"config", "runtime", "home", "tmp"}) {
        std::filesystem::create_directory(FDir.File(folder));
    }
    ::chmod(RuntimeFolder().c_str(), 0700);
    SetVariable("XDG_CONFIG_HOME", ConfigHome());
    SetVariable("XDG_RUNTIME_DIR", RuntimeFolder());
    SetVariable("HOME", FDir.File("home"));
    SetVariable("TMPDIR", TemporaryFolder());
    SetVariable("SEALVANE_INSTALL_RECORD", RecordFile());
    ResetInstalledCache();
}

Sandbox::~Sandbox()
{
    for (auto saved = FSaved.rbegin(); saved != FSaved.rend(); ++saved) {
        if (saved->second) {
            ::setenv(saved->first.c_str(), saved->second->c_str(), 1);
        } else {
            ::unsetenv(saved->first.c_str());
        }
    }
    ResetInstalledCache();
}

void Sandbox::SetVariable(const std::string& name, const std::optional<std::string>& value)
{
    const char* previous = std::getenv(name.c_str());
    FSaved.emplace_back(name, previous != nullptr ? std::optional<std::string>(previous) : std::nullopt);
    if (value) {
        ::setenv(name.c_str(), value->c_str(), 1);
    } else {
        ::unsetenv(name.c_str());
    }
}

std::string Sandbox::Install()
{
    const std::string program = FDir.File("opt/sealvane/sealvane");
    std::filesystem::create_directories(FDir.File("opt/sealvane"));
    WriteWholeFile(program, "program");
    WriteRecord("ProgPath=" + program + "\n");
    return program;
}

void Sandbox::WriteRecord(const std::string& text)
{
    WriteWholeFile(RecordFile(), text);
}

void Sandbox::RemoveRecord()
{
    std::filesystem::remove(RecordFile());
}
