#pragma once

#include "Console.h"
#include "container/ContainerKey.h"

#include <optional>
#include <string>

// Gets passwords the way every command does: from a password file (its first line), else from the
// console (the terminal with echo off, or a line of standard input). Passwords are returned as
// the key a container is made with. They are never taken from the command line, where
// other users could read them.
class TPasswordReader
{
public:
    explicit TPasswordReader(TConsole& console) : FConsole(console) {}

    // The password of an existing container.
    TContainerKey Existing(const std::optional<std::string>& passwordFile);
    // A new password: typed twice on a terminal (a mismatch is refused), else read once. An
    // empty new password is refused.
    TContainerKey New(const std::optional<std::string>& passwordFile, const std::string& prompt);

private:
    TConsole& FConsole;
};

// The first line of a password file, without its line end.
std::string ReadPasswordFile(const std::string& fileName);
