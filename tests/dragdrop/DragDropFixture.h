#pragma once

#include "FlowFixture.h"
#include "app/OutlookImport.h"
#include "mail/MailAutomation.h"

#include <QByteArray>

#include <cstdint>
#include <fstream>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// One object of a scripted mail program: members answer what the test put in (nothing, 0 or ""
// for the rest); the member named FFailing raises as an automation call that fails.
class ScriptedObject : public IAutomationObject
{
public:
    std::shared_ptr<IAutomationObject> Object(const std::string& name) override { return Get(FObjects, name); }
    std::shared_ptr<IAutomationObject> Item(int index) override
    {
        FailIf("Item");
        return index >= 1 && index <= static_cast<int>(FItems.size()) ? FItems[index - 1] : nullptr;
    }
    std::shared_ptr<IAutomationObject> NameSpace(const std::string&) override
    {
        return std::make_shared<ScriptedObject>();
    }
    std::int64_t Number(const std::string& name) override { return Get(FNumbers, name); }
    std::string Text(const std::string& name) override { return Get(FTexts, name); }
    void SaveAsFile(const std::string& fileName) override
    {
        FailIf("SaveAsFile");
        std::ofstream(fileName, std::ios::binary) << FContents;
    }

    std::map<std::string, std::shared_ptr<ScriptedObject>> FObjects;
    std::vector<std::shared_ptr<ScriptedObject>> FItems;
    std::map<std::string, std::int64_t> FNumbers;
    std::map<std::string, std::string> FTexts;
    std::string FFailing;
    std::string FContents; // what SaveAsFile writes

private:
    void FailIf(const std::string& name) const
    {
        if (name == FFailing) {
            throw std::runtime_error("The operation failed: " + name);
        }
    }
    template <class TMap> typename TMap::mapped_type Get(const TMap& map, const std::string& name) const
    {
        FailIf(name);
        const auto found = map.find(name);
        return found != map.end() ? found->second : typename TMap::mapped_type{};
    }
};

using ScriptedPtr = std::shared_ptr<ScriptedObject>;

// The mail program running with the application object the test builds.
class ScriptedAutomation : public IMailAutomation
{
public:
    bool IsRunning() override { return true; }
    std::shared_ptr<IAutomationObject> Application() override { return FApplication; }

    ScriptedPtr FApplication;
};

// The flows' sandbox with a scripted mail program and the import over it, and the pieces of a
// drag-and-drop offer as other programs build them.
class DragDropFixture : public FlowFixture
{
protected:
    // A mail item (class 43) whose attachments have these names; each saves "bytes of <name>".
    static ScriptedPtr Mail(const std::vector<std::string>& attachmentNames);
    // The mail program's state: a mail open in its own window (or none), the main window's
    // selection, and which of the two is the active window (34 the main window, 35 a mail).
    static ScriptedPtr Outlook(ScriptedPtr openMail, std::vector<ScriptedPtr> selection, std::int64_t activeClass);

    // A file group descriptor for the names: 8-bit names or UTF-16 names.
    static QByteArray Descriptor(const std::vector<std::string>& names, bool wide);

    ScriptedAutomation FAutomation;
    TOutlookImport FImport{FSettings, FSession, FCommands.Flows(), FUser, FAutomation};
};
