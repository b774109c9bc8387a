// Opens the input as a format-5 container with the fuzz password and reads everything it offers
// (see ContainerReading.h).

#include "ContainerReading.h"
#include "FixedKeys.h"
#include "container/Delay.h"
#include "sealed/SealedContainer.h"
#include "sealed/SealedHeader.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace {

// The plain fields of the input's header; nothing when the header is refused before any key is
// derived (too short, another format, a count or chunk size out of range).
std::optional<sealed::TSealedHeader> PlainHeaderOf(std::string_view bytes)
{
    try {
        return sealed::ReadPlainHeader(bytes.substr(0, sealed::HeaderSize), "input");
    } catch (const EContainerError&) {
        return std::nullopt;
    }
}

// The keys cost 100,000 PBKDF2 rounds (tens of milliseconds, more under the sanitizers) for each
// salt, and every seed has a salt of its own. A container object keeps the keys of the last salt
// it saw, so each salt that the fuzz password opened keeps an object of its own; other salts (a
// mutated salt, which never passes the key check, or a refused header) share one more.
class TContainers
{
public:
    TSealedContainer& For(const std::string& salt)
    {
        const auto found = FOpened.find(salt);
        if (found != FOpened.end()) {
            return *found->second;
        }
        if (!FOther) {
            FOther = std::make_unique<TSealedContainer>(TContainerKey(FuzzContainerPassword));
        }
        return *FOther;
    }

    // Keeps the object that served the salt when it opened the input, up to a bound.
    void Opened(const std::string& salt)
    {
        if (FOther && FOpened.size() < MaxKept && !FOpened.contains(salt)) {
            FOpened.emplace(salt, std::move(FOther));
        }
    }

private:
    static constexpr std::size_t MaxKept = 256;
    std::map<std::string, std::unique_ptr<TSealedContainer>> FOpened;
    std::unique_ptr<TSealedContainer> FOther;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool noPauses = [] {
        SetSleepFunction([](std::int64_t) {});
        return true;
    }();
    (void)noPauses;
    static const fuzzing::TScratch scratch;
    static TContainers containers;

    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::optional<sealed::TSealedHeader> header = PlainHeaderOf(bytes);
    // Another accepted count can only fail the key check (the seeds have the lowest), after up to
    // 10,000,000 rounds: seconds that would teach the fuzzer nothing.
    if (header && header->Iterations != sealed::MinIterations) {
        return -1;
    }
    const std::string salt = header ? header->Salt : std::string();
    scratch.WriteInput(data, size);
    if (fuzzing::ReadContainer(containers.For(salt), scratch)) {
        containers.Opened(salt);
    }
    scratch.CheckRoot();
    scratch.Clear();
    return 0;
}
