// Reads the input as an RTF memo, then writes the document and reads it again: the reader must
// never fail or crash on any bytes, the writer must write 7-bit RTF, and everything the reader
// can produce must come back unchanged from the writer.

#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void Fail(const char* what, const std::string& rtf)
{
    std::fprintf(stderr, "%s\nwritten: %s\n", what, rtf.c_str());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const TRichDocument document = ReadRtf(input);
    PlainText(document, true);

    const std::string written = WriteRtf(document);
    for (const char c : written) {
        if (c <= 0 || c >= 0x7F) {
            Fail("the writer wrote a byte outside 7-bit ASCII", written);
        }
    }
    if (!(ReadRtf(written) == document)) {
        Fail("the written document reads back differently", written);
    }
    return 0;
}
