#include "Commands.h"

#include "ContainerFiles.h"
#include "OpenContainer.h"
#include "TextFormat.h"
#include "TextTable.h"
#include "container/Container.h"
#include "text/ShownText.h"

namespace {

int Run(const TArguments& args, TConsole& console)
{
    const bool full = args.Has("long");
    TTextTable table(full ? std::vector<std::string>{"#", "Name", "Folder", "Size", "Modified", "Added", "Dup", "Attr",
                                                     "Position", "Header", "Base folder"}
                          : std::vector<std::string>{"#", "Name", "Folder", "Size", "Modified"});
    for (const std::size_t column : {0, 3}) {
        table.AlignRight(column);
    }
    if (full) {
        for (const std::size_t column : {6, 8, 9}) {
            table.AlignRight(column);
        }
    }
    WithContainer(args, console, TAccess::ReadOnly, [&](TContainer&, const TCatalog& catalog) {
        for (const int index : IndicesByNumber(catalog)) {
            const TFileInfo& entry = *catalog.Item(index);
            std::vector<std::string> row = {std::to_string(entry.FID), ShownSafely(entry.FPath.FileName(), false),
                                            ShownSafely(EntryFolder(entry), false), std::to_string(entry.FSize),
                                            LocalDateText(entry.FModified)};
            if (full) {
                row.insert(row.end(), {LocalDateText(entry.FAdded), std::to_string(entry.FDupNo),
                                       AttributeText(entry.FAttributes), std::to_string(entry.FPosition),
                                       std::to_string(entry.FHeaderLength), ShownSafely(entry.FPath.BaseFolder(), false)});
            }
            table.AddRow(std::move(row));
        }
    });
    table.Print(console.Out());
    return ExitDone;
}

} // namespace

TCommand ListCommand()
{
    return {.Name = "list",
            .Summary = "list the entries of a container",
            .Synopsis = "CONTAINER",
            .Details = "Entries are listed by number, the number extract and delete take. Dates are local\n"
                       "time. Deleting an entry renumbers the entries after it once the container is\n"
                       "opened again. --long adds the date added, the duplicate number (files of the same\n"
                       "name stored before), the attributes (R read only, H hidden, A archive), the\n"
                       "entry's position and header length in the file, and the folder it was added from.\n",
            .Options = {{"long", 'l', "", "show every field of the entries"}, PasswordFileOption()},
            .MinPositionals = 1,
            .MaxPositionals = 1,
            .Run = Run};
}
