#include "SignalCleanup.h"

#include <csignal>
#include <cstring>
#include <unistd.h>

namespace {

constexpr int SlotCount = 8;
constexpr std::size_t MaxName = 4096;

// Only what a signal handler may touch: fixed buffers and flags.
char Files[SlotCount][MaxName];
volatile std::sig_atomic_t FileUsed[SlotCount];
volatile std::sig_atomic_t TerminalFd = -1;
termios TerminalSettings;

extern "C" void OnSignal(int signal)
{
    if (TerminalFd >= 0) {
        ::tcsetattr(TerminalFd, TCSANOW, &TerminalSettings);
    }
    for (int slot = 0; slot < SlotCount; ++slot) {
        if (FileUsed[slot] != 0) {
            ::unlink(Files[slot]);
        }
    }
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

} // namespace

void TSignalCleanup::Install()
{
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        std::signal(signal, OnSignal);
    }
}

int TSignalCleanup::AddFile(const std::string& fileName)
{
    if (fileName.size() >= MaxName) {
        return -1;
    }
    for (int slot = 0; slot < SlotCount; ++slot) {
        if (FileUsed[slot] == 0) {
            std::memcpy(Files[slot], fileName.c_str(), fileName.size() + 1);
            FileUsed[slot] = 1;
            return slot;
        }
    }
    return -1;
}

void TSignalCleanup::RemoveFile(int slot)
{
    if (slot >= 0 && slot < SlotCount) {
        FileUsed[slot] = 0;
    }
}

void TSignalCleanup::SaveTerminal(int fd, const termios& settings)
{
    TerminalFd = -1;
    TerminalSettings = settings;
    TerminalFd = fd;
}

void TSignalCleanup::ForgetTerminal()
{
    TerminalFd = -1;
}
