#include "Progress.h"

#include "TextFormat.h"
#include "text/ShownText.h"

#include <cstdio>

TProgress::TProgress(TConsole& console, std::int64_t total)
    : FConsole(console), FTotal(total), FShown(CanShow(console) && total >= LargeWork)
{
}

TProgress::~TProgress()
{
    Finish();
}

void TProgress::Show(std::int64_t done, std::string_view name)
{
    if (!FShown) {
        return;
    }
    const int percent = static_cast<int>(FTotal > 0 ? done * 100 / FTotal : 100);
    if (percent == FLastPercent && name == FLastName) {
        return;
    }
    FLastPercent = percent;
    FLastName = name;
    char number[16];
    std::snprintf(number, sizeof number, "%4d%% ", percent);
    const std::string line = number + ShownSafely(name, false);
    const std::size_t width = DisplayWidth(line);
    FConsole.Err() << '\r' << line << std::string(FLastWidth > width ? FLastWidth - width : 0, ' ') << std::flush;
    FLastWidth = width;
}

void TProgress::Finish()
{
    if (FShown && FLastWidth > 0) {
        FConsole.Err() << '\r' << std::string(FLastWidth, ' ') << '\r' << std::flush;
    }
    FLastWidth = 0;
    FLastPercent = -1;
    FLastName.clear();
}
