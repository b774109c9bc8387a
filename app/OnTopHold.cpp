#include "OnTopHold.h"

#include <utility>

TOnTopHold::TOnTopHold(std::chrono::milliseconds unleft, TSetNotOnTop setNotOnTop)
    : FSetNotOnTop(std::move(setNotOnTop))
{
    FUnleft.setSingleShot(true);
    FUnleft.setInterval(unleft);
    QObject::connect(&FUnleft, &QTimer::timeout, [this] { End(); });
}

void TOnTopHold::Begin()
{
    FHeld = true;
    FSetNotOnTop(true);
    FUnleft.start();
}

void TOnTopHold::End()
{
    FUnleft.stop();
    if (std::exchange(FHeld, false)) {
        FSetNotOnTop(false);
    }
}

void TOnTopHold::ProgramActive(bool active)
{
    if (active) {
        End();
    } else {
        FUnleft.stop();
    }
}
