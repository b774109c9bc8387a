#pragma once

#include <string>
#include <termios.h>

// What an interrupted run must not leave behind: the hidden file a new container is written to,
// and a terminal with its echo switched off. On SIGINT, SIGTERM or SIGHUP the handler removes the
// registered files, gives the terminal its settings back, and ends the program as the signal
// would have.
class TSignalCleanup
{
public:
    static void Install();

    // Returns a slot for RemoveFile; -1 when all slots are taken (the file is then not covered).
    static int AddFile(const std::string& fileName);
    static void RemoveFile(int slot);

    static void SaveTerminal(int fd, const termios& settings);
    static void ForgetTerminal();
};
