#include "ProcessProtection.h"

#include <sys/prctl.h>
#include <sys/resource.h>

void ProtectProcessMemory() noexcept
{
    // Neither can fail for these arguments on Linux; there is nothing else to do if one did.
    const rlimit noCore = {0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    ::prctl(PR_SET_DUMPABLE, 0, 0, 0, 0);
}
