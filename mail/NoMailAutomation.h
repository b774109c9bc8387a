#pragma once

#include "MailAutomation.h"

// No mail program on this platform offers an automation model: the import is never offered.
class TNoMailAutomation : public IMailAutomation
{
public:
    bool IsRunning() override { return false; }
    std::shared_ptr<IAutomationObject> Application() override { return nullptr; }
};
