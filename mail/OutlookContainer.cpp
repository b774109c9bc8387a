#include "OutlookContainer.h"

#include "MailAutomation.h"
#include "text/AsciiCase.h"

#include <exception>
#include <memory>

namespace {

using TObject = std::shared_ptr<IAutomationObject>;
using TTargetFor = std::function<std::string(const std::string& name)>;

// The model's object classes compared.
constexpr std::int64_t ExplorerClass = 34;
constexpr std::int64_t InspectorClass = 35;
constexpr std::int64_t MailItemClass = 43;
constexpr std::int64_t SelectionClass = 74;

// A name the mail program gives is used as a bare file name only.
bool PlainFileName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\") == std::string::npos;
}

std::string ScanAttachments(IAutomationObject& item, const std::string& extension, const TTargetFor& targetFor)
{
    const TObject attachments = item.Object("Attachments");
    if (attachments == nullptr) {
        return {};
    }
    const std::int64_t count = attachments->Number("Count");
    for (std::int64_t n = 1; n <= count; ++n) {
        const TObject attachment = attachments->Item(static_cast<int>(n));
        if (attachment == nullptr) {
            continue;
        }
        const std::string name = attachment->Text("FileName");
        const std::size_t dot = name.rfind('.');
        if (!PlainFileName(name) || dot == std::string::npos || LowerAsciiText(name.substr(dot)) != extension) {
            continue;
        }
        const std::string fileName = targetFor(name);
        attachment->SaveAsFile(fileName);
        return fileName;
    }
    return {};
}

std::string InspectorSearch(IMailAutomation& automation, const std::string& extension, const TTargetFor& targetFor)
{
    const TObject application = automation.Application();
    if (application == nullptr) {
        return {};
    }
    const TObject nameSpace = application->NameSpace("MAPI");
    const TObject inspector = application->Object("ActiveInspector");
    const TObject item = inspector != nullptr ? inspector->Object("CurrentItem") : nullptr;
    return item != nullptr ? ScanAttachments(*item, extension, targetFor) : std::string();
}

// The first selected item of the main window; null when there is none or the model fails.
TObject FirstSelected(IAutomationObject& application)
{
    try {
        const TObject explorer = application.Object("ActiveExplorer");
        if (explorer == nullptr || explorer->Text("CurrentView").empty()) {
            return nullptr;
        }
        const TObject selection = explorer->Object("Selection");
        if (selection != nullptr && selection->Number("Count") >= 1 && selection->Number("Class") == SelectionClass) {
            return selection->Item(1);
        }
    } catch (const std::exception&) {
        // The main window offers no item.
    }
    return nullptr;
}

std::string WindowSearch(IMailAutomation& automation, const std::string& extension, const TTargetFor& targetFor)
{
    const TObject application = automation.Application();
    const TObject window = application != nullptr ? application->Object("ActiveWindow") : nullptr;
    if (window == nullptr) {
        return {};
    }
    TObject item;
    if (window->Number("Class") == ExplorerClass) {
        item = FirstSelected(*application);
    }
    if (window->Number("Class") == InspectorClass) {
        const TObject inspector = application->Object("ActiveInspector");
        const TObject current = inspector != nullptr ? inspector->Object("CurrentItem") : nullptr;
        if (current != nullptr && current->Number("Class") == MailItemClass) {
            item = current;
        }
    }
    return item != nullptr ? ScanAttachments(*item, extension, targetFor) : std::string();
}

} // namespace

std::string FindOutlookContainer(IMailAutomation& automation, const TTargetFor& targetFor)
{
    for (const char* extension : {".xvt", ".bwk"}) {
        for (const auto search : {InspectorSearch, WindowSearch}) {
            std::string fileName = search(automation, extension, targetFor);
            if (!fileName.empty()) {
                return fileName;
            }
        }
    }
    return {};
}
