#include "Commands.h"

#include "ContainerFiles.h"
#include "OpenContainer.h"
#include "Progress.h"

namespace {

int Run(const TArguments& args, TConsole& console)
{
    const std::string& file = args.Positionals()[0];
    const std::vector<std::string> inputs(args.Positionals().begin() + 1, args.Positionals().end());
    // A missing or read-only container is refused before the inputs are looked at.
    RequireContainer(file, TAccess::Writable);
    TInputSelection selection = CollectInputFiles(inputs, file, TProgress::CanShow(console));
    WarnSkipped(selection, console);
    // The files are read while the password is asked and the container's key is set up.
    TFileReadAhead files(std::move(selection.Files));
    WithContainer(args, console, TAccess::Writable, [&](TContainer& container, const TCatalog&) {
        StoreFiles(container, files, selection.TotalSize, console);
    });
    return ExitDone;
}

} // namespace

TCommand AddCommand()
{
    return {.Name = "add",
            .Summary = "add files and folders to a container",
            .Synopsis = "CONTAINER FILE|FOLDER...",
            .Details = "Files and folders are stored as create stores them. When one cannot be stored,\n"
                       "none of this run's files stay in the catalog.\n",
            .Options = {PasswordFileOption()},
            .MinPositionals = 2,
            .Run = Run};
}
