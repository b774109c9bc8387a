// Shows one container window on the display for a person or a screenshot to look at:
//   container-window-show LANGUAGE(0-3) compose|reply|readonly VIEW(0 symbols, 1 details) SECONDS
// The container holds a short formatted text and a few attachments of different types.
#include "ui/RecordingCommands.h"
#include "TempDir.h"
#include "app/OpenContainer.h"
#include "app/TemporaryFiles.h"
#include "container/ExtraString.h"
#include "container/RandomCryptoContainer.h"
#include "language/LangWatchable.h"
#include "settings/Settings.h"
#include "ui/widgets/Artwork.h"
#include "ui/container/ContainerForm.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s LANGUAGE compose|reply|readonly VIEW SECONDS\n", argv[0]);
        return 2;
    }
    Artwork::Load();
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == QLatin1String("hicolor")) {
        QIcon::setThemeName(QStringLiteral("breeze"));
    }
    const std::string mode = argv[2];
    TempDir folder;
    const std::string file = folder.File("Quarterly report.xvt");
    {
        TRandomCryptoContainer container(TContainerKey("8bytePWD"));
        container.OpenNew(file);
        for (const char* name : {"summary.pdf", "figures.ods", "photo of the team.jpg", "notes.txt", "source.zip"}) {
            WriteWholeFile(folder.File(name), std::string(std::strlen(name) * 1234, 'x'));
            container.AddFile(folder.File(name), folder.Path());
        }
        container.SetMemo("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 Hello Anna,\\par\\par Here are the "
                          "{\\b figures} for the {\\i third} quarter.\\par\\par Best regards\\par Ben}");
        TExtraString extra(false);
        extra.SetField(TExtraString::SenderAddress, "ben@example.org");
        container.SetExtra(extra.Serialize());
        container.Close();
    }
    TSettings settings([](const std::string&, const std::string&) {});
    settings.ActiveLanguage = std::atoi(argv[1]);
    settings.fContainer_DefaultAttachmentView = std::atoi(argv[3]);
    TTemporaryFiles temporaryFiles;
    TSession session(temporaryFiles);
    // Every command tells on standard error what it would have done.
    TRecordingCommands commands(&session);
    commands.FTell = true;
    auto container = std::make_unique<TRandomCryptoContainer>(TContainerKey("8bytePWD"));
    if (mode == "readonly") {
        container->OpenReadOnly(file);
    } else {
        container->Open(file);
    }
    TContainerForm window(settings, session, commands, commands);
    window.Shown().Assign(std::move(container));
    window.Shown().State().FNew = window.Shown().State().FModified = mode == "compose";
    window.Shown().State().FSaved = mode != "compose";
    window.LoadContent();
    window.move(0, 0);
    window.BringToFront();
    QTimer::singleShot(std::atoi(argv[4]) * 1000, &application, &QApplication::quit);
    return application.exec();
}
