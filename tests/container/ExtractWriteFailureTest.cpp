#include "ContainerFixture.h"

#include <csignal>
#include <sys/resource.h>

namespace {

// Lets this process write no file beyond the given size while it lives: writes past it fail with
// EFBIG, as on a full disk.
class TFileSizeLimit
{
public:
    explicit TFileSizeLimit(rlim_t bytes) : FOldHandler(std::signal(SIGXFSZ, SIG_IGN))
    {
        ::getrlimit(RLIMIT_FSIZE, &FOld);
        const rlimit limit{bytes, FOld.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~TFileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &FOld);
        std::signal(SIGXFSZ, FOldHandler);
    }

private:
    rlimit FOld{};
    void (*FOldHandler)(int);
};

} // namespace

using ExtractWriteFailureTest = ContainerFixture;

// The last gathered writes of an extracted file fail: the failure is reported, and neither a short
// file under the entry's name nor the temporary file beside it is left.
TEST_F(ExtractWriteFailureTest, FailedLastWriteLeavesNoShortFile)
{
    const std::string file = FDir.File("c.xvt");
    MakeContainer(file, "pw", {{"a.bin", std::string(20000, 'x')}});
    const std::string out = FDir.File("out");
    std::filesystem::create_directories(out);
    TRandomCryptoContainer container("pw");
    container.OpenReadOnly(file);
    {
        const TFileSizeLimit limit(8192);
        EXPECT_THROW(container.ExtractFile(0, out), std::exception);
    }
    EXPECT_TRUE(std::filesystem::is_empty(out));
    container.Close();
}
