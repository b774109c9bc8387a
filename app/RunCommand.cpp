#include "RunCommand.h"

#include "Dialogs.h"
#include "container/ContainerError.h"
#include "language/Messages.h"
#include "language/MsgText.h"

#include <exception>

bool RunCommand(IDialogs& dialogs, const std::function<void()>& body)
{
    std::string failure;
    {
        const auto busy = dialogs.BusyCursor();
        try {
            body();
            return true;
        } catch (const ECancelled&) {
            // The user stopped it and the core has undone it: nothing to tell.
            return false;
        } catch (const std::exception& error) {
            failure = error.what();
        }
    }
    // The arrow cursor is back while the user reads the message.
    dialogs.ShowInfoBox(MsgText(msg::Error), failure);
    return false;
}
