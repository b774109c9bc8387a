#include "RtfText.h"

#include "container/TextCoding.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace {

// Destinations whose text is not document text.
constexpr std::array<std::string_view, 34> SkippedDestinations = {
    "fonttbl",           "colortbl",     "stylesheet", "info",      "pict",      "listtable",
    "listoverridetable", "revtbl",       "rsidtbl",    "generator", "filetbl",   "header",
    "headerl",           "headerr",      "headerf",    "footer",    "footerl",   "footerr",
    "footerf",           "footnote",     "fldinst",    "object",    "themedata", "colorschememapping",
    "datastore",         "latentstyles", "xmlnstbl",   "pgdsctbl",  "userprops", "nonshppict",
    "bkmkstart",         "bkmkend",      "xe",         "tc"};

// Control words that stand for one character.
struct TCharacterWord
{
    std::string_view Word;
    char32_t Character;
};
constexpr std::array<TCharacterWord, 10> CharacterWords = {{{"emdash", 0x2014},
                                                            {"endash", 0x2013},
                                                            {"emspace", 0x2003},
                                                            {"enspace", 0x2002},
                                                            {"qmspace", 0x2005},
                                                            {"bullet", 0x2022},
                                                            {"lquote", 0x2018},
                                                            {"rquote", 0x2019},
                                                            {"ldblquote", 0x201C},
                                                            {"rdblquote", 0x201D}}};

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int HexValue(char c)
{
    if (IsDigit(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

void AppendCodePoint(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

class TRtfReader
{
public:
    explicit TRtfReader(std::string_view rtf) : FText(rtf) {}

    std::string Read()
    {
        while (FPos < FText.size()) {
            const char c = FText[FPos++];
            switch (c) {
            case '{':
                FStack.push_back(FState);
                FFallbackLeft = 0;
                break;
            case '}':
                if (!FStack.empty()) {
                    FState = FStack.back();
                    FStack.pop_back();
                }
                FFallbackLeft = 0;
                break;
            case '\\':
                ReadControl();
                break;
            case '\r':
            case '\n':
                break; // line ends in the file are not text
            default:
                if (!TakeFallback()) {
                    EmitByte(static_cast<unsigned char>(c));
                }
            }
        }
        FlushSurrogate();
        return std::move(FOut);
    }

private:
    struct TGroupState
    {
        bool Skip = false;
        bool ListLabel = false;
        int FallbackLength = 1; // \ucN
    };

    void ReadControl()
    {
        if (FPos >= FText.size()) {
            return;
        }
        const char c = FText[FPos];
        if (IsLetter(c)) {
            ReadWord();
            return;
        }
        ++FPos;
        switch (c) {
        case '\'': {
            const int high = FPos < FText.size() ? HexValue(FText[FPos]) : -1;
            const int low = FPos + 1 < FText.size() ? HexValue(FText[FPos + 1]) : -1;
            if (high < 0 || low < 0) {
                FPos += high >= 0 ? 1 : 0; // a cut escape stands for nothing
                return;
            }
            FPos += 2;
            if (!TakeFallback()) {
                EmitByte(static_cast<unsigned char>(high * 16 + low));
            }
            return;
        }
        case '*':
            FState.Skip = true; // an ignorable destination: nothing in it is text
            return;
        case '\\':
        case '{':
        case '}':
            if (!TakeFallback()) {
                EmitCharacter(static_cast<unsigned char>(c));
            }
            return;
        case '~':
            if (!TakeFallback()) {
                EmitCharacter(0x00A0);
            }
            return;
        case '_':
            if (!TakeFallback()) {
                EmitCharacter(0x2011);
            }
            return;
        case '\r':
        case '\n':
            EmitBreak(); // a backslash before a line end is a paragraph mark
            return;
        default:
            TakeFallback(); // "\-" (optional hyphen), "\:" and the like add nothing
            return;
        }
    }

    void ReadWord()
    {
        const std::size_t start = FPos;
        while (FPos < FText.size() && IsLetter(FText[FPos])) {
            ++FPos;
        }
        const std::string_view word = FText.substr(start, FPos - start);
        bool hasParameter = false;
        bool negative = false;
        std::int64_t parameter = 0;
        if (FPos < FText.size() && FText[FPos] == '-' && FPos + 1 < FText.size() && IsDigit(FText[FPos + 1])) {
            negative = true;
            ++FPos;
        }
        while (FPos < FText.size() && IsDigit(FText[FPos])) {
            hasParameter = true;
            parameter = std::min<std::int64_t>(parameter * 10 + (FText[FPos] - '0'), 1'000'000'000);
            ++FPos;
        }
        if (negative) {
            parameter = -parameter;
        }
        if (FPos < FText.size() && FText[FPos] == ' ') {
            ++FPos; // the delimiting space belongs to the control word
        }
        HandleWord(word, hasParameter, parameter);
    }

    void HandleWord(std::string_view word, bool hasParameter, std::int64_t parameter)
    {
        if (word == "bin") {
            // Binary data follows; it is never text, even outside a skipped group.
            FPos = std::min(FText.size(), FPos + static_cast<std::size_t>(std::max<std::int64_t>(parameter, 0)));
            return;
        }
        if (FState.Skip) {
            return;
        }
        if (std::find(SkippedDestinations.begin(), SkippedDestinations.end(), word) != SkippedDestinations.end()) {
            FState.Skip = true;
            return;
        }
        if (word == "listtext" || word == "pntext") {
            FState.ListLabel = true;
            return;
        }
        if (word == "uc") {
            FState.FallbackLength = hasParameter ? static_cast<int>(std::max<std::int64_t>(parameter, 0)) : 1;
            return;
        }
        if (word == "u") {
            std::int64_t unit = parameter < 0 ? parameter + 65536 : parameter;
            EmitCodeUnit(static_cast<char32_t>(unit & 0xFFFF));
            FFallbackLeft = FState.FallbackLength;
            return;
        }
        // Every other control word counts as one character of a pending fallback.
        if (TakeFallback()) {
            return;
        }
        if (word == "par" || word == "line" || word == "sect" || word == "page" || word == "row") {
            EmitBreak();
        } else if (word == "tab") {
            EmitCharacter(FState.ListLabel ? ' ' : '\t');
        } else if (word == "cell") {
            EmitCharacter('\t');
        } else {
            for (const TCharacterWord& character : CharacterWords) {
                if (character.Word == word) {
                    EmitCharacter(character.Character);
                }
            }
        }
    }

    // Skips one character of the fallback that follows "\uN"; true when it did.
    bool TakeFallback()
    {
        if (FFallbackLeft > 0) {
            --FFallbackLeft;
            return true;
        }
        return false;
    }

    void EmitByte(unsigned char byte)
    {
        if (byte < 0x80) {
            EmitCharacter(byte);
            return;
        }
        // One byte alone is never UTF-8, so it is read as Windows-1252.
        if (!FState.Skip) {
            FlushSurrogate();
            FOut += FromStoredText(std::string(1, static_cast<char>(byte)));
        }
    }

    void EmitCodeUnit(char32_t unit)
    {
        if (FState.Skip) {
            return;
        }
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            FlushSurrogate();
            FHighSurrogate = unit;
            return;
        }
        if (unit >= 0xDC00 && unit <= 0xDFFF) {
            if (FHighSurrogate != 0) {
                const char32_t c = 0x10000 + ((FHighSurrogate - 0xD800) << 10) + (unit - 0xDC00);
                FHighSurrogate = 0;
                AppendCodePoint(FOut, c);
            } else {
                AppendCodePoint(FOut, 0xFFFD);
            }
            return;
        }
        EmitCharacter(unit);
    }

    void EmitCharacter(char32_t c)
    {
        if (FState.Skip) {
            return;
        }
        FlushSurrogate();
        // A list label's leading spaces only line it up in the word processor.
        if (FState.ListLabel && c == ' ' && (FOut.empty() || FOut.back() == '\n')) {
            return;
        }
        AppendCodePoint(FOut, c);
    }

    void EmitBreak() { EmitCharacter('\n'); }

    // A high surrogate not followed by a low one stands for nothing readable.
    void FlushSurrogate()
    {
        if (FHighSurrogate != 0) {
            FHighSurrogate = 0;
            AppendCodePoint(FOut, 0xFFFD);
        }
    }

    std::string_view FText;
    std::size_t FPos = 0;
    std::string FOut;
    TGroupState FState;
    std::vector<TGroupState> FStack;
    int FFallbackLeft = 0;
    char32_t FHighSurrogate = 0;
};

} // namespace

bool IsRtf(std::string_view text)
{
    return text.starts_with("{\\rtf");
}

std::string RtfToText(std::string_view rtf)
{
    return TRtfReader(rtf).Read();
}
