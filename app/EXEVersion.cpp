#include "EXEVersion.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <fstream>
#include <functional>
#include <vector>

#include <climits>
#include <unistd.h>

namespace {

constexpr std::size_t ChunkSize = 1 << 20;
// Longest text after the marker: four numbers of five digits, three dots and the zero byte.
constexpr std::size_t MaxBlockTail = 4 * 5 + 3 + 1;
constexpr std::int32_t MaxNumber = 0xFFFF;

// The marker, put together at run time so that the scanning code itself does not carry it.
std::string Marker()
{
    std::string marker = "SEALVANE-VERSION";
    marker += "-BLOCK:";
    return marker;
}

// Parses "a.b.c.d\0" at the start of tail; false when it is no valid block.
bool ParseBlock(std::string_view tail, std::array<std::int32_t, 4>& numbers)
{
    std::size_t position = 0;
    for (std::size_t n = 0; n < numbers.size(); ++n) {
        const char* first = tail.data() + position;
        const char* last = tail.data() + tail.size();
        const auto [stop, error] = std::from_chars(first, last, numbers[n]);
        if (error != std::errc() || stop == first || numbers[n] < 0 || numbers[n] > MaxNumber) {
            return false;
        }
        position = static_cast<std::size_t>(stop - tail.data());
        const char expected = n + 1 < numbers.size() ? '.' : '\0';
        if (position >= tail.size() || tail[position] != expected) {
            return false;
        }
        ++position;
    }
    return true;
}

} // namespace

void TEXEVersion::Clear()
{
    VersionText.clear();
    Major = Minor = Release = Build = 0;
}

bool TEXEVersion::Read(const std::string& fileName)
{
    Clear();
    std::ifstream file(fileName, std::ios::binary);
    if (!file) {
        return false;
    }
    const std::string marker = Marker();
    const std::boyer_moore_horspool_searcher searcher(marker.begin(), marker.end());
    // The buffer keeps the last bytes of the previous chunk, so that a block cut by the chunk
    // border is found whole.
    const std::size_t keep = marker.size() + MaxBlockTail;
    std::vector<char> buffer;
    bool atEnd = false;
    while (!atEnd) {
        const std::size_t kept = buffer.size();
        buffer.resize(kept + ChunkSize);
        file.read(buffer.data() + kept, static_cast<std::streamsize>(ChunkSize));
        buffer.resize(kept + static_cast<std::size_t>(file.gcount()));
        atEnd = !file;
        auto from = buffer.begin();
        while (true) {
            const auto found = std::search(from, buffer.end(), searcher);
            if (found == buffer.end()) {
                break;
            }
            const auto tailStart = found + static_cast<std::ptrdiff_t>(marker.size());
            const std::size_t tailSize = static_cast<std::size_t>(buffer.end() - tailStart);
            if (tailSize < MaxBlockTail && !atEnd) {
                break; // the block may go on in the next chunk
            }
            std::array<std::int32_t, 4> numbers{};
            if (ParseBlock(std::string_view(&*tailStart, std::min(tailSize, MaxBlockTail)), numbers)) {
                Major = numbers[0];
                Minor = numbers[1];
                Release = numbers[2];
                Build = numbers[3];
                VersionText = std::to_string(Major) + "." + std::to_string(Minor) + "." + std::to_string(Release);
                return true;
            }
            from = found + 1;
        }
        if (buffer.size() > keep) {
            buffer.erase(buffer.begin(), buffer.end() - static_cast<std::ptrdiff_t>(keep));
        }
    }
    return false;
}

bool TEXEVersion::ReadRunningProgram()
{
    return Read("/proc/self/exe");
}

std::string RunningProgramFile()
{
    std::array<char, PATH_MAX> path{};
    const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size() - 1);
    return length > 0 ? std::string(path.data(), static_cast<std::size_t>(length)) : std::string();
}

bool IsNewerBuildOfSameRelease(const TEXEVersion& running, const TEXEVersion& installed)
{
    if (running.VersionText != installed.VersionText) {
        return false;
    }
    const std::array<std::int32_t, 4> mine = {running.Major, running.Minor, running.Release, running.Build};
    const std::array<std::int32_t, 4> theirs = {installed.Major, installed.Minor, installed.Release, installed.Build};
    if (mine == theirs) {
        return false;
    }
    for (std::size_t n = 0; n < mine.size(); ++n) {
        if (mine[n] < theirs[n]) {
            return false;
        }
    }
    return true;
}
