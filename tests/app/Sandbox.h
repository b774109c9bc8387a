#pragma once

#include "TempDir.h"

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// Points every per-user and machine-wide location of the program into a fresh scratch folder for
// one test and puts the environment back afterwards: XDG_CONFIG_HOME, XDG_RUNTIME_DIR (a private
// folder), HOME, TMPDIR and SEALVANE_INSTALL_RECORD (no record at first). The installation
// record's kept answer is forgotten at both ends.
class Sandbox
{
public:
    Sandbox();
    ~Sandbox();
    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;

    // Writes a program file and a record naming it; returns the program's path.
    std::string Install();
    void WriteRecord(const std::string& text) { WriteWholeFile(RecordFile(), text); }
    void RemoveRecord() { std::filesystem::remove(RecordFile()); }

    // Sets or (with nullopt) removes one variable until the sandbox ends.
    void SetVariable(const std::string& name, const std::optional<std::string>& value);

    std::string File(const std::string& name) const { return FDir.File(name); }
    std::string Home() const { return FDir.File("home"); }
    std::string ConfigHome() const { return FDir.File("config"); }
    std::string RuntimeFolder() const { return FDir.File("runtime"); }
    std::string TemporaryFolder() const { return FDir.File("tmp"); }
    std::string RecordFile() const { return FDir.File("install.conf"); }

private:
    TempDir FDir;
    std::vector<std::pair<std::string, std::optional<std::string>>> FSaved;
};
