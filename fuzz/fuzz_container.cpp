// Opens the input as a format-4 container with the fuzz password and reads everything it offers
// (see ContainerReading.h).

#include "ContainerReading.h"
#include "FixedKeys.h"
#include "container/Delay.h"
#include "container/RandomCryptoContainer.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool noPauses = [] {
        SetSleepFunction([](std::int64_t) {});
        return true;
    }();
    (void)noPauses;
    static const fuzzing::TScratch scratch;
    // The key set-up costs tens of milliseconds, so one container object serves every input, as
    // one object serves one password in the program; Close returns it to its closed state.
    static TRandomCryptoContainer container{TContainerKey(FuzzContainerPassword)};

    scratch.WriteInput(data, size);
    fuzzing::ReadContainer(container, scratch);
    scratch.CheckRoot();
    scratch.Clear();
    return 0;
}
