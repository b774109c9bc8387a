#include "Commands.h"

#include "ContainerFiles.h"
#include "OpenContainer.h"
#include "PasswordReader.h"
#include "SiblingTempFile.h"
#include "sealed/ContainerFormats.h"

namespace {

int Run(const TArguments& args, TConsole& console)
{
    const TContainerKey oldKey = ContainerKey(args, console, TAccess::Writable);
    const std::string target = RewriteTarget(args.Positionals()[0]);
    // The current password is tested before the new one is asked.
    RequirePassword(target, oldKey);
    const TContainerKey newKey = TPasswordReader(console).New(args.Value("new-password-file"), "New password: ");
    TSiblingTempFile work(target);
    RekeyContainer(target, newKey, oldKey, work.Name(), {}, FormatAskedFor(args, 0));
    return ExitDone;
}

} // namespace

TCommand PasswdCommand()
{
    return {.Name = "passwd",
            .Summary = "change the password of a container",
            .Synopsis = "CONTAINER",
            .Details = "Asks the current password, then the new one twice on a terminal; without a\n"
                       "terminal, standard input gives the current password on its first line and the new\n"
                       "one on its second. The container is rewritten beside itself and replaces the old\n"
                       "file only when complete. It keeps its format unless --format asks for another.\n",
            .Options = {PasswordFileOption(),
                        {"new-password-file", 0, "FILE", "read the new password from the first line of FILE"},
                        FormatOption("rewrite the container in format 4 or 5")},
            .MinPositionals = 1,
            .MaxPositionals = 1,
            .Run = Run};
}
