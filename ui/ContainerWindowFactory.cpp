#include "ContainerWindowFactory.h"

#include "ContainerForm.h"

TContainerWindowFactory::TContainerWindowFactory(TSettings& settings, TSession& session, IContainerCommands& commands,
                                                 IAppCommands& appCommands)
    : FSettings(settings), FSession(session), FCommands(commands), FAppCommands(appCommands)
{
}

IContainerWindow& TContainerWindowFactory::CreateContainerWindow()
{
    auto* window = new TContainerForm(FSettings, FSession, FCommands, FAppCommands);
    window->setAttribute(Qt::WA_DeleteOnClose);
    return *window;
}
