#pragma once

#include "app/ContainerWindow.h"

class IAppCommands;
class IContainerCommands;
class TSession;
class TSettings;

// Makes the program's container windows: each is built invisible, appends itself to the
// session's list and frees itself once its close has gone ahead. The commands the windows call
// are built over this factory, so they are handed in afterwards, before the first window.
class TContainerWindowFactory : public IContainerWindowFactory
{
public:
    TContainerWindowFactory(TSettings& settings, TSession& session);

    void SetCommands(IContainerCommands& commands, IAppCommands& appCommands);
    IContainerWindow& CreateContainerWindow() override;

private:
    TSettings& FSettings;
    TSession& FSession;
    IContainerCommands* FCommands = nullptr;
    IAppCommands* FAppCommands = nullptr;
};
