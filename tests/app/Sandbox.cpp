#include "Sandbox.h"

#include "settings/InstallRecord.h"

#include <cstdlib>
#include <sys/stat.h>

namespace {

void Put(const std::string& name, const std::optional<std::string>& value)
{
    if (value) {
        ::setenv(name.c_str(), value->c_str(), 1);
    } else {
        ::unsetenv(name.c_str());
    }
}

} // namespace

Sandbox::Sandbox()
{
    for (const char* folder : {"config", "runtime", "home", "tmp"}) {
        std::filesystem::create_directory(FDir.File(folder));
    }
    ::chmod(RuntimeFolder().c_str(), 0700);
    SetVariable("XDG_CONFIG_HOME", ConfigHome());
    SetVariable("XDG_RUNTIME_DIR", RuntimeFolder());
    SetVariable("HOME", Home());
    SetVariable("TMPDIR", TemporaryFolder());
    SetVariable("SEALVANE_INSTALL_RECORD", RecordFile());
    ResetInstalledCache();
}

Sandbox::~Sandbox()
{
    for (auto saved = FSaved.rbegin(); saved != FSaved.rend(); ++saved) {
        Put(saved->first, saved->second);
    }
    ResetInstalledCache();
}

void Sandbox::SetVariable(const std::string& name, const std::optional<std::string>& value)
{
    const char* previous = std::getenv(name.c_str());
    FSaved.emplace_back(name, previous != nullptr ? std::optional<std::string>(previous) : std::nullopt);
    Put(name, value);
}

std::string Sandbox::Install()
{
    const std::string program = FDir.File("opt/sealvane/sealvane");
    std::filesystem::create_directories(FDir.File("opt/sealvane"));
    WriteWholeFile(program, "program");
    WriteRecord("ProgPath=" + program + "\n");
    return program;
}
