#include "Commands.h"

#include "ContainerFiles.h"
#include "OpenContainer.h"
#include "SiblingTempFile.h"
#include "sealed/ContainerFormats.h"

namespace {

int Run(const TArguments& args, TConsole& console)
{
    const TContainerKey key = ContainerKey(args, console, TAccess::Writable);
    const std::string target = RewriteTarget(args.Positionals()[0]);
    TSiblingTempFile work(target);
    CopyContainer(target, key, target, work.Name(), key);
    return ExitDone;
}

} // namespace

TCommand CompactCommand()
{
    return {.Name = "compact",
            .Summary = "rewrite a container without the bytes of deleted entries",
            .Synopsis = "CONTAINER",
            .Details = "The container is written anew, with the same password, beside itself, and replaces\n"
                       "the old file only when complete. Entries are numbered afresh from 0.\n",
            .Options = {PasswordFileOption()},
            .MinPositionals = 1,
            .MaxPositionals = 1,
            .Run = Run};
}
