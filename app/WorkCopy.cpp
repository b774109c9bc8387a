#include "WorkCopy.h"

#include "OpenContainer.h"
#include "ProgressRun.h"
#include "TemporaryFiles.h"
#include "UnusedPath.h"
#include "container/Container.h"

std::string ListedWorkPath(const std::string& workFolder, const std::string& name, TTemporaryFiles& temporaryFiles,
                           TWorkCopyUse use)
{
    std::string fileName = UnusedPath(workFolder, name);
    if (use == TWorkCopyUse::Ordinary) {
        temporaryFiles.Add(fileName);
    } else {
        temporaryFiles.AddKeptToEnd(fileName);
    }
    return fileName;
}

std::string DecryptToWorkFolder(IBusyIndicator& indicator, TOpenContainer& open, int row, const std::string& workFolder,
                                TTemporaryFiles& temporaryFiles, TWorkCopyUse use)
{
    TContainer& container = open.Container();
    const std::shared_ptr<TFileInfo> entry = container.GetCatalog().Item(row);
    entry->FPath.CheckExtractable();
    std::string fileName = ListedWorkPath(workFolder, entry->FPath.FileName(), temporaryFiles, use);
    ExtractFileToShowingProgress(indicator, container, row, fileName);
    if (use == TWorkCopyUse::Opened) {
        open.OpenedFiles().push_back(fileName);
        open.OpenedEntries().push_back(entry);
    }
    return fileName;
}
