#pragma once

#include "app/ApplicationCommands.h"
#include "app/Session.h"
#include "mail/DesktopMailClient.h"
#include "ui/container/ContainerWindowFactory.h"
#include "ui/services/QtDialogs.h"
#include "ui/start/StartForm.h"

class TSettings;
class TTemporaryFiles;

// The running program's objects that live as long as the start window: the session, the start
// window's dialogs, the mail program, the container windows' factory, the commands over the flows
// and the start window itself, built in this order and wired to each other.
class TProgramWindows
{
public:
    TProgramWindows(TSettings& settings, TTemporaryFiles& temporaryFiles);

    TStartForm& StartForm() { return FStartForm; }

private:
    TSettings& FSettings;
    TSession FSession;
    TQtDialogs FStartDialogs;
    TDesktopMailClient FMailClient;
    TContainerWindowFactory FWindowFactory;
    TApplicationCommands FCommands;
    TStartForm FStartForm;
};
