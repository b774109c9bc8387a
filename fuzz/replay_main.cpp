// Runs a fuzz target over saved inputs without libFuzzer: every file named on the command line
// and every file in a folder named there, in name order. ctest uses it to replay the committed
// corpus in every build; a failing input aborts the program (a sanitizer build also reports
// memory errors). The name of each input is printed before it runs, so the culprit is the last
// name shown.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

bool CollectInputs(const fs::path& argument, std::vector<fs::path>& inputs)
{
    std::error_code error;
    if (fs::is_directory(argument, error)) {
        for (const auto& item : fs::recursive_directory_iterator(argument)) {
            if (item.is_regular_file()) {
                inputs.push_back(item.path());
            }
        }
        return true;
    }
    if (fs::is_regular_file(argument, error)) {
        inputs.push_back(argument);
        return true;
    }
    std::fprintf(stderr, "replay: '%s' is neither a file nor a folder\n", argument.c_str());
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<fs::path> inputs;
    for (int n = 1; n < argc; ++n) {
        if (!CollectInputs(argv[n], inputs)) {
            return 2;
        }
    }
    if (inputs.empty()) {
        std::fprintf(stderr, "usage: %s FILE-OR-FOLDER...\n(no inputs found)\n", argv[0]);
        return 2;
    }
    std::sort(inputs.begin(), inputs.end());

    for (const fs::path& input : inputs) {
        std::printf("replay: %s\n", input.c_str());
        std::fflush(stdout);
        std::ifstream in(input, std::ios::binary);
        const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        if (!in.eof() && in.fail()) {
            std::fprintf(stderr, "replay: cannot read '%s'\n", input.c_str());
            return 2;
        }
        // A buffer of exactly the input's size, as libFuzzer passes it, so that an address
        // sanitizer sees every read past the end.
        const auto data = std::make_unique<std::uint8_t[]>(bytes.size());
        std::copy(bytes.begin(), bytes.end(), data.get());
        LLVMFuzzerTestOneInput(data.get(), bytes.size());
    }
    std::printf("replay: %zu inputs, no failure\n", inputs.size());
    return 0;
}
