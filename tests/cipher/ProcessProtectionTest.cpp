#include "cipher/BrassCrypto.h"
#include "cipher/KeystreamRecord.h"
#include "cipher/ProcessProtection.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The flags /proc/self/smaps gives the mapping that holds the address ("rd wr mr mw me dd ...").
std::string MappingFlags(const void* address)
{
    const auto wanted = reinterpret_cast<std::uintptr_t>(address);
    std::ifstream smaps("/proc/self/smaps");
    bool inside = false;
    for (std::string line; std::getline(smaps, line);) {
        std::uintptr_t start = 0;
        std::uintptr_t end = 0;
        char dash = 0;
        std::istringstream range(line);
        if (range >> std::hex >> start >> dash >> end && dash == '-') {
            inside = start <= wanted && wanted < end;
        } else if (inside && line.rfind("VmFlags:", 0) == 0) {
            return line.substr(8) + ' ';
        }
    }
    return "(no mapping)";
}

} // namespace

// In a child, so that this test program stays as it was: after the call, the process is not
// dumpable and may write no core file, even had its limit allowed one before.
TEST(ProcessProtectionTest, NoCoreFileAndNotDumpable)
{
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        rlimit limit = {};
        ::getrlimit(RLIMIT_CORE, &limit);
        limit.rlim_cur = limit.rlim_max;
        ::setrlimit(RLIMIT_CORE, &limit);
        const bool dumpableBefore = ::prctl(PR_GET_DUMPABLE, 0, 0, 0, 0) == 1;
        ProtectProcessMemory();
        ::getrlimit(RLIMIT_CORE, &limit);
        const bool dumpableAfter = ::prctl(PR_GET_DUMPABLE, 0, 0, 0, 0) != 0;
        // One bit for each thing that is wrong.
        ::_exit((dumpableBefore ? 0 : 1) | (dumpableAfter ? 2 : 0) | (limit.rlim_cur != 0 ? 4 : 0) |
                (limit.rlim_max != 0 ? 8 : 0));
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: dumpable before, 2: dumpable after, 4 and 8: soft and hard core limit";
}

// The kept keystream deciphers the start of every entry: its pages are left out of core dumps,
// from the first kept byte to the last.
TEST(ProcessProtectionTest, KeptKeystreamIsLeftOutOfCoreDumps)
{
    const TBrassCrypto start("kept", 3);
    TKeystreamRecord record(start, 1 << 20);
    const unsigned char* first = record.Upto(1);
    EXPECT_NE(MappingFlags(first).find(" dd "), std::string::npos) << MappingFlags(first);
    const unsigned char* all = record.Upto(record.Limit());
    EXPECT_NE(MappingFlags(all + record.Limit() - 1).find(" dd "), std::string::npos);
}
