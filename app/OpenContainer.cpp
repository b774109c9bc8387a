#include "OpenContainer.h"

#include "container/Container.h"

#include <filesystem>

TOpenContainer::TOpenContainer() = default;
TOpenContainer::~TOpenContainer() = default;

void TOpenContainer::Assign(std::unique_ptr<TContainer> container)
{
    if (FBeforeChange) {
        FBeforeChange();
    }
    if (FContainer != nullptr) {
        FContainer->Close();
    }
    FContainer = std::move(container);
}

std::unique_ptr<TContainer> TOpenContainer::Release()
{
    if (FBeforeChange) {
        FBeforeChange();
    }
    return std::move(FContainer);
}

std::string TOpenContainer::OpenedFileOf(const TFileInfo& entry) const
{
    for (std::size_t index = 0; index < FOpenedEntries.size() && index < FOpenedFiles.size(); ++index) {
        if (FOpenedEntries[index] && FOpenedEntries[index]->FID == entry.FID &&
            std::filesystem::exists(std::filesystem::symlink_status(FOpenedFiles[index]))) {
            return FOpenedFiles[index];
        }
    }
    return {};
}
