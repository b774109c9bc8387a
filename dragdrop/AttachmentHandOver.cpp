#include "AttachmentHandOver.h"

#include "FileList.h"
#include "app/ContainerWindow.h"
#include "app/Dialogs.h"
#include "app/RunCommand.h"
#include "app/Session.h"
#include "app/WorkCopy.h"
#include "settings/Settings.h"

#include <QClipboard>
#include <QDrag>
#include <QGuiApplication>
#include <QMimeData>
#include <QTimer>

#include <algorithm>

TAttachmentHandOver::TAttachmentHandOver(TSettings& settings, TSession& session)
    : FSettings(settings), FSession(session)
{
}

std::vector<std::string> TAttachmentHandOver::Extract(IContainerWindow& window, const std::vector<int>& rows)
{
    std::vector<std::string> fileNames;
    for (const int row : rows) {
        fileNames.push_back(DecryptToWorkFolder(window.Dialogs(), window.Shown(), row, FSettings.TempPath,
                                                FSession.TemporaryFiles(), TWorkCopyUse::HandedOver));
    }
    return fileNames;
}

void TAttachmentHandOver::Drag(QObject& source, IContainerWindow& window)
{
    std::vector<std::string> fileNames;
    RunCommand(window.Dialogs(), [&] { fileNames = Extract(window, window.SelectedAttachmentRows()); });
    if (fileNames.empty()) {
        return;
    }
    auto* drag = new QDrag(&source);
    drag->setMimeData(FileList::Offer(fileNames, false));
    FSession.SetDropSource(&window);
    drag->exec(Qt::CopyAction);
    // A drop onto one of our windows is handled once the drop has been answered, after this
    // returns: the mark goes after that.
    QTimer::singleShot(0, &source, [&session = FSession, &window] {
        if (session.DropSource() == &window) {
            session.SetDropSource(nullptr);
        }
    });
}

void TAttachmentHandOver::CopyToClipboard(IContainerWindow& window)
{
    RunCommand(window.Dialogs(), [&] {
        std::vector<int> rows = window.SelectedAttachmentRows();
        std::reverse(rows.begin(), rows.end());
        const std::vector<std::string> fileNames = Extract(window, rows);
        if (!fileNames.empty()) {
            QGuiApplication::clipboard()->setMimeData(FileList::Offer(fileNames, true));
        }
    });
}
