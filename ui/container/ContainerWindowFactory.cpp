#include "ContainerWindowFactory.h"

#include "ContainerForm.h"

#include <stdexcept>

TContainerWindowFactory::TContainerWindowFactory(TSettings& settings, TSession& session)
    : FSettings(settings), FSession(session)
{
}

void TContainerWindowFactory::SetCommands(IContainerCommands& commands, IAppCommands& appCommands)
{
    FCommands = &commands;
    FAppCommands = &appCommands;
}

IContainerWindow& TContainerWindowFactory::CreateContainerWindow()
{
    if (FCommands == nullptr || FAppCommands == nullptr) {
        throw std::logic_error("container windows need their commands first");
    }
    auto* window = new TContainerForm(FSettings, FSession, *FCommands, *FAppCommands);
    window->setAttribute(Qt::WA_DeleteOnClose);
    return *window;
}
