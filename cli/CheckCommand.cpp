#include "Commands.h"

#include "OpenContainer.h"

namespace {

int Run(const TArguments& args, TConsole& console)
{
    RequirePassword(args.Positionals()[0], ContainerKey(args, console, TAccess::ReadOnly));
    return ExitDone;
}

} // namespace

TCommand CheckCommand()
{
    return {.Name = "check",
            .Summary = "test whether a password opens a container",
            .Synopsis = "CONTAINER",
            .Details = "Exit status 0 when the password is right, 3 when it is wrong (after a pause of about\n"
                       "two seconds, as every wrong password costs), 1 when the file is no container.\n",
            .Options = {PasswordFileOption()},
            .MinPositionals = 1,
            .MaxPositionals = 1,
            .Run = Run};
}
