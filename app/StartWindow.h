#pragma once

#include "Dialogs.h"

#include <memory>

class IUserInterface;

// The program's start window as the closing sequence and a second start see it. The window
// implements it; tests give a double.
class IStartWindow
{
public:
    virtual ~IStartWindow() = default;
    // The start window's message box and questions.
    virtual IUserInterface& UserInterface() = 0;
    // The wait cursor until the guard is gone.
    virtual std::unique_ptr<IBusyIndicator::TGuard> BusyCursor() = 0;
    // Shows the window, also when it was hidden in the tray, and raises it.
    virtual void RestoreFromTray() = 0;
    // Closes the window so that the program ends (the closing sequence runs), never into the tray.
    virtual void CloseForReal() = 0;
};
