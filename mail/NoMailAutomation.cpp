#include "NoMailAutomation.h"

IMailAutomation& PlatformMailAutomation()
{
    static TNoMailAutomation automation;
    return automation;
}
