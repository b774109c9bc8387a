#pragma once

#include <cstdint>
#include <memory>
#include <string>

// One object of the mail program's automation model, whose members are called by name as the
// model names them. A failing call raises a std::exception with the mail program's text.
class IAutomationObject
{
public:
    virtual ~IAutomationObject() = default;
    // A member that answers an object (ActiveWindow, ActiveExplorer, ActiveInspector, Selection,
    // CurrentItem, Attachments); null when it answers nothing.
    virtual std::shared_ptr<IAutomationObject> Object(const std::string& name) = 0;
    // Item(index) of a collection, counted from 1; null when there is none.
    virtual std::shared_ptr<IAutomationObject> Item(int index) = 0;
    // GetNameSpace(type): the session of the message store.
    virtual std::shared_ptr<IAutomationObject> NameSpace(const std::string& type) = 0;
    // A member that answers a number (Class, Count).
    virtual std::int64_t Number(const std::string& name) = 0;
    // A member that answers text (CurrentView, FileName), UTF-8.
    virtual std::string Text(const std::string& name) = 0;
    // SaveAsFile(path) of an attachment.
    virtual void SaveAsFile(const std::string& fileName) = 0;
};

// Reaches the running mail program's automation model.
class IMailAutomation
{
public:
    virtual ~IMailAutomation() = default;
    // Whether a mail program with the model is running (nothing is started to find out).
    virtual bool IsRunning() = 0;
    // The model's application object; null when it cannot be had.
    virtual std::shared_ptr<IAutomationObject> Application() = 0;
};

// The model of this platform's mail program.
IMailAutomation& PlatformMailAutomation();
