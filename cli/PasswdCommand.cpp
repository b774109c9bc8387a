#include "PasswdCommand.h"

#include "ContainerFiles.h"
#include "PasswordReader.h"
#include "SiblingTempFile.h"
#include "TextFormat.h"
#include "container/ContainerError.h"
#include "container/RandomCryptoContainer.h"
#include "language/Messages.h"

std::string TPasswdCommand::Summary() const
{
    return "change the password of a container";
}

std::string TPasswdCommand::Synopsis() const
{
    return "CONTAINER";
}

std::string TPasswdCommand::Details() const
{
    return "Asks the current password, then the new one twice on a terminal; without a\n"
           "terminal, standard input gives the current password on its first line and the new\n"
           "one on its second. The container is rewritten beside itself and replaces the old\n"
           "file only when complete.\n";
}

std::vector<TOption> TPasswdCommand::Options() const
{
    return {PasswordFileOption(),
            {"new-password-file", 0, "FILE", "read the new password from the first line of FILE"}};
}

int TPasswdCommand::Run(const TArguments& args, TConsole& console) const
{
    const std::string& file = args.Positionals()[0];
    RequireWritableContainer(file);
    const std::string target = RewriteTarget(file);
    TPasswordReader passwords(console);
    const TContainerKey oldKey = passwords.Existing(args.Value("password-file"));
    // The current password is tested before the new one is asked.
    if (!CheckPassword(target, oldKey)) {
        throw EPasswordError(Message(msg::IncorrectPassword));
    }
    const TContainerKey newKey = passwords.New(args.Value("new-password-file"), "New password: ");
    TSiblingTempFile work(target);
    RekeyContainer(target, newKey, oldKey, work.Name());
    return ExitDone;
}
