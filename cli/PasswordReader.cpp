#include "PasswordReader.h"

#include "CommandError.h"
#include "TextFormat.h"
#include "cipher/SecureZero.h"
#include "language/Messages.h"

#include <fstream>

namespace {

const char* const NoPasswordHint =
    "type it on a terminal, or give it as a line on standard input or with --password-file";

TContainerKey KeyOf(std::string& text)
{
    TContainerKey key(text);
    SecureZero(text.data(), text.size());
    return key;
}

std::string ReadSecretOrFail(TConsole& console, const std::string& prompt)
{
    std::optional<std::string> secret = console.ReadSecret(prompt);
    if (!secret) {
        throw ECommandError("no password given", NoPasswordHint);
    }
    return std::move(*secret);
}

} // namespace

std::string ReadPasswordFile(const std::string& fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    std::string line;
    if (!in || (!std::getline(in, line) && !in.eof())) {
        throw ECommandError("cannot read the password file '" + fileName + "'");
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return line;
}

TContainerKey TPasswordReader::Existing(const std::optional<std::string>& passwordFile)
{
    std::string text =
        passwordFile ? ReadPasswordFile(*passwordFile) : ReadSecretOrFail(FConsole, Message(msg::PasswordLabel) + " ");
    return KeyOf(text);
}

TContainerKey TPasswordReader::New(const std::optional<std::string>& passwordFile, const std::string& prompt)
{
    std::string text;
    if (passwordFile) {
        text = ReadPasswordFile(*passwordFile);
    } else {
        text = ReadSecretOrFail(FConsole, prompt);
        if (FConsole.IsInteractive()) {
            std::string again = ReadSecretOrFail(FConsole, Message(msg::Confirm) + " ");
            const bool same = again == text;
            SecureZero(again.data(), again.size());
            if (!same) {
                SecureZero(text.data(), text.size());
                throw ECommandError(Message(msg::IncorrectPasswordConfirmation));
            }
        }
    }
    if (text.empty()) {
        throw ECommandError("the new password is empty", "choose a password; long ones are best");
    }
    return KeyOf(text);
}
