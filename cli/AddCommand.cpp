#include "AddCommand.h"

#include "ContainerCloser.h"
#include "ContainerFiles.h"
#include "PasswordReader.h"
#include "Progress.h"
#include "container/RandomCryptoContainer.h"

std::string TAddCommand::Summary() const
{
    return "add files and folders to a container";
}

std::string TAddCommand::Synopsis() const
{
    return "CONTAINER FILE|FOLDER...";
}

std::string TAddCommand::Details() const
{
    return "Files and folders are stored as create stores them. When one cannot be stored,\n"
           "none of this run's files stay in the catalog.\n";
}

std::vector<TOption> TAddCommand::Options() const
{
    return {PasswordFileOption()};
}

int TAddCommand::Run(const TArguments& args, TConsole& console) const
{
    const std::string& file = args.Positionals()[0];
    const std::vector<std::string> inputs(args.Positionals().begin() + 1, args.Positionals().end());
    RequireWritableContainer(file);
    TInputSelection selection = CollectInputFiles(inputs, file, TProgress::CanShow(console));
    WarnSkipped(selection, console);
    const TContainerKey key = TPasswordReader(console).Existing(args.Value("password-file"));

    // The files are read while the container's key is set up.
    TFileReadAhead files(std::move(selection.Files));
    TRandomCryptoContainer container(key);
    container.Open(file);
    TContainerCloser closer(container);
    StoreFiles(container, files, selection.TotalSize, console);
    container.Close();
    return ExitDone;
}
