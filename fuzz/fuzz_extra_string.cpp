// Parses the input as the extra record a container carries, then checks that the record survives
// writing and reading back unchanged: Parse(Serialize(r)) == r. Parse never fails, so every
// exception is a finding too.

#include "container/ExtraString.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void Fail(const char* what, const std::string& text)
{
    std::fprintf(stderr, "%s\nserialized: ", what);
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
            std::fputc(byte, stderr);
        } else {
            std::fprintf(stderr, "\\x%02x", byte);
        }
    }
    std::fputc('\n', stderr);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    TExtraString record;
    record.Parse(text);
    const std::string serialized = record.Serialize();

    std::size_t separators = 0;
    for (const char c : serialized) {
        separators += c == TExtraString::Separator ? 1 : 0;
    }
    if (separators != TExtraString::FieldCount) {
        Fail("a serialized record does not have exactly one separator per field", serialized);
    }

    TExtraString reread;
    reread.Parse(serialized);
    if (!(reread == record)) {
        Fail("Parse(Serialize(r)) differs from r", serialized);
    }
    // Reading the record over a filled one must give the same record too: a complete record
    // sets every field.
    TExtraString over(true);
    over.SetField(TExtraString::SenderAddress, "someone@example.org");
    over.SetNumber(TExtraString::Version1, 7);
    over.Parse(serialized);
    if (!(over == record)) {
        Fail("parsing a complete record over a filled one leaves old fields", serialized);
    }
    return 0;
}
