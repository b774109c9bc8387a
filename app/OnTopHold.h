#pragma once

#include <QTimer>

#include <chrono>
#include <functional>

// Keeps the program's windows off the top while another program's window is to be seen: the mail
// program opens its compose window after the hand-over has returned, and a window of ours that
// stays on top would cover it. The hold ends when the user comes back (the program becomes the
// active application again), or when the program was not left at all within the time given (the
// mail program showed nothing the user turned to). While the user is in another program no time
// runs: writing a long mail, the compose window is not covered half-way.
class TOnTopHold
{
public:
    using TSetNotOnTop = std::function<void(bool notOnTop)>;

    TOnTopHold(std::chrono::milliseconds unleft, TSetNotOnTop setNotOnTop);

    // The windows off the top (again); the time starts anew.
    void Begin();
    // The windows back on top as their settings ask; nothing when not held.
    void End();
    // The program became the active application (true) or another program did (false).
    void ProgramActive(bool active);

private:
    TSetNotOnTop FSetNotOnTop;
    QTimer FUnleft;
    bool FHeld = false;
};
