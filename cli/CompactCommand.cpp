#include "CompactCommand.h"

#include "ContainerFiles.h"
#include "PasswordReader.h"
#include "SiblingTempFile.h"
#include "container/RandomCryptoContainer.h"

std::string TCompactCommand::Summary() const
{
    return "rewrite a container without the bytes of deleted entries";
}

std::string TCompactCommand::Synopsis() const
{
    return "CONTAINER";
}

std::string TCompactCommand::Details() const
{
    return "The container is written anew, with the same password, beside itself, and replaces\n"
           "the old file only when complete. Entries are numbered afresh from 0.\n";
}

std::vector<TOption> TCompactCommand::Options() const
{
    return {PasswordFileOption()};
}

int TCompactCommand::Run(const TArguments& args, TConsole& console) const
{
    const std::string& file = args.Positionals()[0];
    RequireWritableContainer(file);
    const std::string target = RewriteTarget(file);
    const TContainerKey key = TPasswordReader(console).Existing(args.Value("password-file"));
    TSiblingTempFile work(target);
    CopyContainer(target, key, target, work.Name(), key);
    return ExitDone;
}
