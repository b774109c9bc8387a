// Shows the options dialog on the display for a person or a screenshot to look at:
//   options-window-show LANGUAGE(0-3) PAGE(0-4, or "uninstalled") SECONDS
// The settings live in a scratch folder, with an installation record of their own.
#include "TempDir.h"
#include "language/LangWatchable.h"
#include "settings/Settings.h"
#include "ui/widgets/Artwork.h"
#include "ui/options/OptionsForm.h"

#include <QApplication>
#include <QTabWidget>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s LANGUAGE PAGE|uninstalled SECONDS\n", argv[0]);
        return 2;
    }
    Artwork::Load();
    TempDir folder;
    std::filesystem::create_directory(folder.File("config"));
    ::setenv("XDG_CONFIG_HOME", folder.File("config").c_str(), 1);
    ::setenv("SEALVANE_INSTALL_RECORD", folder.File("install.conf").c_str(), 1);
    const bool installed = std::strcmp(argv[2], "uninstalled") != 0;
    if (installed) {
        WriteWholeFile(folder.File("sealvane"), "program");
        WriteWholeFile(folder.File("install.conf"), "ProgPath=" + folder.File("sealvane") + "\n");
    }
    TSettings settings([](const std::string&, const std::string&) {});
    settings.ActiveLanguage = std::atoi(argv[1]);
    settings.DefaultContainerNameBegin = "Mail";
    settings.DefaultCurrentDirectory = folder.Path();
    settings.OwnMailAddresses = "anna@example.org\x7F"
                                "ben.miller@example.com\x7F";
    TOptionsForm form(settings, nullptr);
    if (installed) {
        form.findChild<QTabWidget*>("OptionsPages")->setCurrentIndex(std::atoi(argv[2]));
    }
    form.move(0, 0);
    form.show();
    QTimer::singleShot(std::atoi(argv[3]) * 1000, &application, &QApplication::quit);
    return application.exec();
}
