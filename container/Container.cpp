#include "Container.h"

TCatalog& TContainer::OpenExisting(const std::string& fileName)
{
    if (!IsClosed()) {
        return Open(fileName); // refused: it says that this container is open already
    }
    try {
        return Open(fileName);
    } catch (const std::exception&) {
        return OpenReadOnly(fileName);
    }
}

TCatalog& TContainer::AddFile(const std::string& fileName, const std::string& baseFolder)
{
    TPathInfo path;
    path.SetFrom(fileName, baseFolder);
    TFileReadAhead file({{fileName, std::move(path)}});
    return AddFiles(file);
}
