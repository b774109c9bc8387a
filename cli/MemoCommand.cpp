#include "MemoCommand.h"

#include "ContainerCloser.h"
#include "ContainerFiles.h"
#include "PasswordReader.h"
#include "container/RandomCryptoContainer.h"
#include "richtext/RtfReader.h"
#include "text/StoredText.h"

namespace {

std::string WithUnixLineEnds(const std::string& text)
{
    std::string result;
    result.reserve(text.size());
    for (std::size_t n = 0; n < text.size(); ++n) {
        if (text[n] == '\r') {
            if (n + 1 < text.size() && text[n + 1] == '\n') {
                continue;
            }
            result += '\n';
        } else {
            result += text[n];
        }
    }
    return result;
}

} // namespace

std::string TMemoCommand::Summary() const
{
    return "print the memo of a container";
}

std::string TMemoCommand::Synopsis() const
{
    return "CONTAINER";
}

std::string TMemoCommand::Details() const
{
    return "The memo is printed as stored: plain text, or the rich-text (RTF) source of a memo\n"
           "written with formatting. --plain prints the text of a rich-text memo without its\n"
           "formatting.\n";
}

std::vector<TOption> TMemoCommand::Options() const
{
    return {{"plain", 'p', "", "print a rich-text memo as plain text"}, PasswordFileOption()};
}

int TMemoCommand::Run(const TArguments& args, TConsole& console) const
{
    const std::string& file = args.Positionals()[0];
    RequireContainerFile(file);
    TRandomCryptoContainer container(TPasswordReader(console).Existing(args.Value("password-file")));
    container.OpenReadOnly(file);
    TContainerCloser closer(container);
    const std::string memo = container.GetMemo();
    container.Close();
    std::string text;
    if (args.Has("plain")) {
        text = WithUnixLineEnds(IsRichMemo(memo) ? RtfToPlainText(memo) : FromStoredText(memo));
    } else {
        text = FromStoredText(memo);
    }
    console.Out() << text;
    if (!text.empty() && text.back() != '\n') {
        console.Out() << '\n';
    }
    return ExitDone;
}
