#include "CheckCommand.h"

#include "ContainerFiles.h"
#include "PasswordReader.h"
#include "TextFormat.h"
#include "container/ContainerError.h"
#include "container/RandomCryptoContainer.h"
#include "language/Messages.h"

std::string TCheckCommand::Summary() const
{
    return "test whether a password opens a container";
}

std::string TCheckCommand::Synopsis() const
{
    return "CONTAINER";
}

std::string TCheckCommand::Details() const
{
    return "Exit status 0 when the password is right, 3 when it is wrong (after a pause of about\n"
           "two seconds, as every wrong password costs), 1 when the file is no container.\n";
}

std::vector<TOption> TCheckCommand::Options() const
{
    return {PasswordFileOption()};
}

int TCheckCommand::Run(const TArguments& args, TConsole& console) const
{
    const std::string& file = args.Positionals()[0];
    RequireContainerFile(file);
    if (!CheckPassword(file, TPasswordReader(console).Existing(args.Value("password-file")))) {
        throw EPasswordError(Message(msg::IncorrectPassword));
    }
    return ExitDone;
}
