#include "Commands.h"

#include "OpenContainer.h"
#include "container/Container.h"
#include "richtext/RtfReader.h"
#include "text/ShownText.h"
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

int Run(const TArguments& args, TConsole& console)
{
    std::string memo;
    WithContainer(args, console, TAccess::ReadOnly,
                  [&](TContainer& container, const TCatalog&) { memo = container.GetMemo(); });
    std::string text;
    if (args.Has("plain")) {
        text = WithUnixLineEnds(IsRichMemo(memo) ? RtfToPlainText(memo) : FromStoredText(memo));
    } else {
        text = FromStoredText(memo);
    }
    if (console.OutIsTerminal()) {
        // A sender's memo could hold escape sequences that a terminal would carry out.
        text = ShownSafely(text, true);
    }
    console.Out() << text;
    if (!text.empty() && text.back() != '\n') {
        console.Out() << '\n';
    }
    return ExitDone;
}

} // namespace

TCommand MemoCommand()
{
    return {.Name = "memo",
            .Summary = "print the memo of a container",
            .Synopsis = "CONTAINER",
            .Details = "The memo is printed as stored: plain text, or the rich-text (RTF) source of a memo\n"
                       "written with formatting. --plain prints the text of a rich-text memo without its\n"
                       "formatting. On a terminal, control characters and direction overrides show\n"
                       "as '?'.\n",
            .Options = {{"plain", 'p', "", "print a rich-text memo as plain text"}, PasswordFileOption()},
            .MinPositionals = 1,
            .MaxPositionals = 1,
            .Run = Run};
}
