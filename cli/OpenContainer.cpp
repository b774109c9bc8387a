#include "OpenContainer.h"

#include "PasswordReader.h"
#include "TextFormat.h"
#include "container/ContainerError.h"
#include "container/LocalFiles.h"
#include "container/Container.h"
#include "sealed/ContainerFormats.h"
#include "language/Messages.h"

namespace {

// Closes the container when work leaves through an error; the error already on its way is the one
// reported, so a failure of this late Close is dropped.
class TContainerCloser
{
public:
    explicit TContainerCloser(TContainer& container) : FContainer(container) {}
    ~TContainerCloser()
    {
        try {
            FContainer.Close();
        } catch (...) {
        }
    }
    TContainerCloser(const TContainerCloser&) = delete;
    TContainerCloser& operator=(const TContainerCloser&) = delete;

private:
    TContainer& FContainer;
};

} // namespace

void RequireContainer(const std::string& fileName, TAccess access)
{
    if (!FileExists(fileName)) {
        ThrowContainerError(msg::ContainerNotFound, {fileName});
    }
    if (access == TAccess::Writable && IsReadOnlyFile(fileName)) {
        ThrowContainerError(msg::FileReadOnlyCannotOverwrite, {fileName});
    }
}

TContainerKey ContainerKey(const TArguments& args, TConsole& console, TAccess access)
{
    RequireContainer(args.Positionals()[0], access);
    return TPasswordReader(console).Existing(args.Value("password-file"));
}

void RequirePassword(const std::string& fileName, const TContainerKey& key)
{
    if (!CheckPassword(fileName, key)) {
        throw EPasswordError(Message(msg::IncorrectPassword));
    }
}

void WithContainer(const TArguments& args, TConsole& console, TAccess access,
                   const std::function<void(TContainer& container, const TCatalog& catalog)>& work)
{
    const std::string& file = args.Positionals()[0];
    const std::unique_ptr<TContainer> container = ContainerFor(file, ContainerKey(args, console, access));
    const TCatalog& catalog = access == TAccess::Writable ? container->Open(file) : container->OpenReadOnly(file);
    TContainerCloser closer(*container);
    work(*container, catalog);
    // On the normal way the container is closed here, so that a failure to close is seen.
    container->Close();
}
