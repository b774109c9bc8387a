#include "Commands.h"

#include "OpenContainer.h"
#include "TextFormat.h"
#include "container/ExtraString.h"
#include "container/Container.h"
#include "language/Messages.h"
#include "richtext/RtfReader.h"
#include "text/ShownText.h"

#include <charconv>

namespace {

std::string MemoKind(const std::string& memo)
{
    if (memo.empty()) {
        return "none";
    }
    return std::string(IsRichMemo(memo) ? "rich text" : "plain text") + ", " + std::to_string(memo.size()) + " bytes";
}

void Line(std::ostream& out, const std::string& label, const std::string& value)
{
    out << label << std::string(label.size() < 18 ? 18 - label.size() : 1, ' ') << value << '\n';
}

int Run(const TArguments& args, TConsole& console)
{
    const std::string& file = args.Positionals()[0];
    std::int64_t stored = 0;
    int entries = 0;
    bool rebuilt = false;
    std::int64_t zombies = 0;
    std::int64_t format = 0;
    std::string memo;
    std::string extra;
    WithContainer(args, console, TAccess::ReadOnly, [&](TContainer& container, const TCatalog& catalog) {
        for (const auto& entry : catalog) {
            stored += entry->FSize;
        }
        entries = catalog.Count();
        rebuilt = catalog.Regenerated();
        zombies = container.GetZombieBytes();
        format = container.Format();
        memo = container.GetMemo();
        extra = container.GetExtra();
    });

    std::ostream& out = console.Out();
    Line(out, "File:", ShownSafely(file, false));
    Line(out, "Format:", std::to_string(format));
    Line(out, "Entries:", std::to_string(entries));
    Line(out, "Stored bytes:", std::to_string(stored));
    Line(out, "Zombie bytes:", std::to_string(zombies));
    Line(out, "Catalog rebuilt:", rebuilt ? "yes" : "no");
    Line(out, "Memo:", MemoKind(memo));
    if (extra.empty()) {
        Line(out, "Extra record:", "none");
    } else {
        TExtraString record;
        record.Parse(extra);
        const std::string& format = record.Field(TExtraString::RecordFormat);
        out << "Extra record:\n";
        Line(out, "  Format:", ShownSafely(format, false));
        Line(out, "  Sender address:", ShownSafely(record.Field(TExtraString::SenderAddress), false));
        Line(out, "  Version:",
             std::to_string(record.Number(TExtraString::Version1)) + "." +
                 std::to_string(record.Number(TExtraString::Version2)) + "." +
                 std::to_string(record.Number(TExtraString::Version3)) + "." +
                 std::to_string(record.Number(TExtraString::Version4)));
        Line(out, "  Version text:", ShownSafely(record.Field(TExtraString::VersionText), false));
        if (format != TExtraString::CurrentFormat) {
            std::int64_t number = 0;
            std::from_chars(format.data(), format.data() + format.size(), number);
            console.Warning(Message(msg::InvalidExtraFormat, {number}));
        }
    }
    if (rebuilt) {
        console.Warning(Message(msg::CatalogRegenerated, {file}));
    }
    return ExitDone;
}

} // namespace

TCommand InfoCommand()
{
    return {.Name = "info",
            .Summary = "show the state of a container and its extra record",
            .Synopsis = "CONTAINER",
            .Details = "Shows the format, the number of entries, the bytes of deleted entries still in the\n"
                       "file (zombie bytes; compact removes them), whether the catalog had to be rebuilt\n"
                       "by scanning the file, the memo's kind, and the extra record: its format, the reply\n"
                       "address and the version of the program that wrote the container.\n",
            .Options = {PasswordFileOption()},
            .MinPositionals = 1,
            .MaxPositionals = 1,
            .Run = Run};
}
