// Writes a container as a hostile sender may: an honest entry "fine.txt", then an entry whose
// catalog lists "invoice.pdf" while its header names ".config/autostart/update.desktop".
// Front ends that are not C++ (the browser page's test) check their refusal with it.
//   mislisted-container-writer FILE PASSWORD
#include "HostileContainer.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s FILE PASSWORD\n", argv[0]);
        return 2;
    }
    try {
        THostileContainer writer{TContainerKey(argv[2])};
        writer.OpenNew(argv[1]);
        writer.AddStoredEntry(TPathInfo::FromStored("|base", "", "fine.txt", ""), "good");
        writer.AddStoredEntry(
            TPathInfo::FromStored("|base", "|.config|autostart", "update.desktop", ""), "[Desktop Entry]",
            [](TFileInfo& entry) { entry.FPath = TPathInfo::FromStored("|base", "", "invoice.pdf", ""); });
        writer.Close();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
