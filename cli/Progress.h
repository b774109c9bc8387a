#pragma once

#include "Console.h"

#include <cstdint>
#include <string>
#include <string_view>

// A line on standard error that shows how far a long piece of work has come ("\r  42% name").
// It appears only when standard error is a terminal and the work is large (16 MiB or more), so
// that scripts and logs never see it. Finishing (or destroying) it clears the line.
class TProgress
{
public:
    static constexpr std::int64_t LargeWork = std::int64_t{16} << 20;

    TProgress(TConsole& console, std::int64_t total);
    // Whether a line can appear on this console at all: only then is the total worth counting.
    static bool CanShow(const TConsole& console) { return console.ErrIsTerminal(); }
    ~TProgress();
    TProgress(const TProgress&) = delete;
    TProgress& operator=(const TProgress&) = delete;

    bool Shown() const { return FShown; }
    // Counts the percentage against another total; whether the line is shown stays as it was.
    void SetTotal(std::int64_t total) { FTotal = total; }
    // Redraws the line when the percentage or the name changed.
    void Show(std::int64_t done, std::string_view name);
    void Finish();

private:
    TConsole& FConsole;
    std::int64_t FTotal;
    bool FShown;
    int FLastPercent = -1;
    std::string FLastName;
    std::size_t FLastWidth = 0;
};
