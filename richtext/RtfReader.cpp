#include "RtfReader.h"

#include "HexDigit.h"

#include "text/Utf8.h"
#include "text/Windows1252.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <vector>

namespace {

// Groups deeper than this only count their braces: their formatting is not undone at the end.
constexpr std::size_t MaxDepth = 256;
// Numbers are clamped to this size; real parameters are far smaller.
constexpr std::int64_t MaxParameter = 1'000'000'000;
// Levels a list definition may have.
constexpr std::size_t MaxListLevels = MaxListLevel + 1;
// Lists and list overrides a document may define; real ones define a few dozen.
constexpr std::size_t MaxListEntries = 32'768;
// The largest font size, in half points.
constexpr int MaxHalfPoints = 32766;
// The longest "\uc" fallback the reader accepts.
constexpr int MaxFallback = 16;

// Destinations whose content is neither document text nor anything the reader uses.
constexpr std::array<std::string_view, 46> SkippedDestinations = {
    "stylesheet",  "info",      "pict",       "revtbl",    "rsidtbl",   "generator",    "filetbl",
    "header",      "headerl",   "headerr",    "headerf",   "footer",    "footerl",      "footerr",
    "footerf",     "footnote",  "object",     "themedata", "datastore", "latentstyles", "xmlnstbl",
    "pgdsctbl",    "userprops", "nonshppict", "bkmkstart", "bkmkend",   "xe",           "tc",
    "listtext",    "pntext",    "pntxta",     "pntxtb",    "leveltext", "levelnumbers", "annotation",
    "atnid",       "atnauthor", "ftnsep",     "ftnsepc",   "aftnsep",   "aftnsepc",     "colorschememapping",
    "listpicture", "mmathPr",   "shpinst",    "fldtype"};

// Underline styles; "\ulc" (the underline's colour) is not one of them.
constexpr std::array<std::string_view, 18> UnderlineWords = {
    "ul",    "uld",      "uldash",    "uldashd",    "uldashdd",  "uldb",       "ulhwave", "ulldash", "ulth",
    "ulthd", "ulthdash", "ulthdashd", "ulthdashdd", "ulthldash", "ululdbwave", "ulw",     "ulwave",  "ulhair"};

struct TCharacterWord
{
    std::string_view FWord;
    char32_t FCharacter;
};
constexpr std::array<TCharacterWord, 14> CharacterWords = {{{"tab", '\t'},
                                                            {"cell", '\t'},
                                                            {"nestcell", '\t'},
                                                            {"line", '\n'},
                                                            {"emdash", 0x2014},
                                                            {"endash", 0x2013},
                                                            {"emspace", 0x2003},
                                                            {"enspace", 0x2002},
                                                            {"qmspace", 0x2005},
                                                            {"bullet", 0x2022},
                                                            {"lquote", 0x2018},
                                                            {"rquote", 0x2019},
                                                            {"ldblquote", 0x201C},
                                                            {"rdblquote", 0x201D}}};

template <std::size_t N> bool Contains(const std::array<std::string_view, N>& words, std::string_view word)
{
    return std::find(words.begin(), words.end(), word) != words.end();
}

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Appends a character as UTF-8 unless the text would grow beyond maxSize bytes; false when it
// would.
bool AppendCapped(std::string& text, char32_t c, std::size_t maxSize)
{
    const std::size_t size = text.size();
    AppendUtf8(text, c);
    if (text.size() > maxSize) {
        text.resize(size);
        return false;
    }
    return true;
}

// Reads one argument of a field instruction at pos: a quoted string (where "\\" and "\"" stand
// for a backslash and a quote) or a word up to the next space.
std::string FieldArgument(std::string_view text, std::size_t& pos)
{
    std::string argument;
    if (pos < text.size() && text[pos] == '"') {
        for (++pos; pos < text.size() && text[pos] != '"'; ++pos) {
            if (text[pos] == '\\' && pos + 1 < text.size() && (text[pos + 1] == '\\' || text[pos + 1] == '"')) {
                ++pos;
            }
            argument += text[pos];
        }
        ++pos;
        return argument;
    }
    while (pos < text.size() && text[pos] != ' ') {
        argument += text[pos++];
    }
    return argument;
}

// The target of a HYPERLINK field instruction; empty for any other field. "\l" names a place
// inside the target; "\o" (tooltip) and "\t" (frame) take an argument that is not the target.
std::string HyperlinkTarget(std::string_view instruction)
{
    std::size_t pos = instruction.find_first_not_of(' ');
    if (pos == std::string_view::npos) {
        return {};
    }
    std::string word = FieldArgument(instruction, pos);
    std::transform(word.begin(), word.end(), word.begin(), [](char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; });
    if (word != "HYPERLINK") {
        return {};
    }
    std::string target;
    std::string place;
    while ((pos = instruction.find_first_not_of(' ', pos)) != std::string_view::npos) {
        if (instruction[pos] == '\\' && pos + 1 < instruction.size()) {
            const char option = instruction[pos + 1];
            pos = std::min(instruction.size(), pos + 2);
            if (option == 'l' || option == 'o' || option == 't') {
                pos = std::min(instruction.find_first_not_of(' ', pos), instruction.size());
                const std::string argument = FieldArgument(instruction, pos);
                place = option == 'l' ? argument : place;
            }
        } else if (target.empty()) {
            target = FieldArgument(instruction, pos);
        } else {
            FieldArgument(instruction, pos);
        }
    }
    return place.empty() ? target : target + "#" + place;
}

enum class TDestination
{
    Body,
    Skip,
    FontTable,
    ColourTable,
    FieldInstruction,
    ListTable,
    List,
    ListOverride,
    ParagraphNumbering
};

struct TGroupState
{
    TDestination FDestination = TDestination::Body;
    bool FOwnsDestination = false; // the destination started in this group
    int FFallbackLength = 1;       // "\ucN"
    // Character look.
    bool FBold = false;
    bool FItalic = false;
    bool FUnderline = false;
    bool FStrikeout = false;
    // The associated look of double-byte (East Asian) text: "\ab" and "\ai" given while "\dbch"
    // and no "\rtlch" is in effect. LibreOffice writes "\b" and "\i" for Latin text and the
    // associated controls for the other scripts, each after the switch to its script ("\dbch" for
    // East Asian, "\rtlch" for right-to-left): text under "\dbch" takes this look when one was
    // given, and "\b" and "\i" otherwise, as writers that have one bold for all scripts write it;
    // text under "\loch" or "\hich" takes only "\b" and "\i".
    std::optional<bool> FDoubleByteBold;
    std::optional<bool> FDoubleByteItalic;
    bool FDoubleByte = false;                  // "\dbch" rather than "\loch" or "\hich" is in effect
    bool FRightToLeft = false;                 // "\rtlch" rather than "\ltrch" is in effect
    std::optional<TStringTable::TIndex> FLink; // in the document's table
    int FColour = 0;
    std::optional<int> FFont;
    std::optional<int> FHalfPoints;
    // Paragraph look.
    TAlignment FAlignment = TAlignment::Left;
    TListKind FNumbering = TListKind::None; // from a "\pn" group
    int FListOverride = 0;                  // "\lsN"
    int FListLevel = 0;                     // "\ilvlN", 0 to MaxListLevel
};

// Gives the entries of a table the runs use new numbers, in the order of first use, and leaves the
// others out.
class TRenumbering
{
public:
    explicit TRenumbering(const TStringTable& table) : FNumbers(table.Size()) {}

    void Apply(std::optional<TStringTable::TIndex>& index)
    {
        if (index) {
            std::optional<TStringTable::TIndex>& number = FNumbers[*index];
            if (!number) {
                number = static_cast<TStringTable::TIndex>(FUsed.size());
                FUsed.push_back(*index);
            }
            index = number;
        }
    }

    // The table with the used entries in their new order; the table itself when that is its order.
    TStringTable Renumbered(TStringTable&& table) const
    {
        if (FUsed.size() == table.Size() && std::is_sorted(FUsed.begin(), FUsed.end())) {
            return std::move(table);
        }
        TStringTable renumbered;
        for (const TStringTable::TIndex old : FUsed) {
            renumbered.Add(table.At(old));
        }
        return renumbered;
    }

private:
    std::vector<std::optional<TStringTable::TIndex>> FNumbers; // new number of each old one
    std::vector<TStringTable::TIndex> FUsed;                   // old number of each new one
};

class TRtfParser
{
public:
    TRtfParser(std::string_view rtf, const TRtfLimits& limits) : FText(rtf), FLimits(limits) {}

    TRichDocument Read()
    {
        while (FPos < FText.size() && !FFull) {
            const char c = FText[FPos++];
            if (c == '{') {
                OpenGroup();
            } else if (c == '}') {
                CloseGroup();
            } else if (c == '\\') {
                ReadControl();
            } else if (c == '\t') {
                Emit(U'\t');
            } else if (static_cast<unsigned char>(c) >= 0x20) {
                EmitByte(static_cast<unsigned char>(c));
            } // line ends and other control characters in the file are not text
        }
        FlushSurrogate();
        if (!FParagraph.FRuns.empty() || !FRun.FText.empty()) {
            EndParagraph();
        }
        KeepUsedTableEntries();
        return std::move(FDocument);
    }

private:
    void OpenGroup()
    {
        FFallbackLeft = 0;
        FStarPending = false;
        if (FStack.size() >= MaxDepth) {
            ++FUntrackedDepth;
            return;
        }
        FStack.push_back(FState);
        FState.FOwnsDestination = false;
    }

    void CloseGroup()
    {
        FFallbackLeft = 0;
        FStarPending = false;
        FlushSurrogate();
        if (FUntrackedDepth > 0) {
            --FUntrackedDepth;
            return;
        }
        if (FStack.empty()) {
            return; // a stray closing brace
        }
        const TGroupState closing = std::move(FState);
        FState = std::move(FStack.back());
        FStack.pop_back();
        FLookChanged = true;
        if (closing.FOwnsDestination) {
            FinishDestination(closing);
        }
    }

    // What a destination leaves behind when its group ends.
    void FinishDestination(const TGroupState& closing)
    {
        switch (closing.FDestination) {
        case TDestination::FieldInstruction:
            // The field's result is the link's text; a cut instruction is read as no hyperlink.
            if (const std::string target = HyperlinkTarget(FInstruction); !FInstructionCut && !target.empty()) {
                const bool room = FDocument.FLinks.Size() < FLimits.FLinks || FDocument.FLinks.Find(target);
                FState.FLink =
                    room && target.size() <= FLimits.FLinkBytes ? Store(FDocument.FLinks, target) : std::nullopt;
            }
            break;
        case TDestination::ParagraphNumbering:
            FState.FNumbering = closing.FNumbering;
            break;
        case TDestination::List:
            if (FLists.size() < MaxListEntries || FLists.contains(FListId)) {
                FLists[FListId] = FListLevels;
            }
            break;
        case TDestination::ListOverride:
            if (FOverrides.size() < MaxListEntries || FOverrides.contains(FOverrideNumber)) {
                FOverrides[FOverrideNumber] = FListId;
            }
            break;
        default:
            break;
        }
    }

    void StartDestination(TDestination destination)
    {
        FState.FDestination = destination;
        FState.FOwnsDestination = true;
    }

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
        case '\'':
            ReadHexByte();
            return;
        case '*':
            FStarPending = true;
            return;
        case '\\':
        case '{':
        case '}':
            Emit(static_cast<unsigned char>(c));
            return;
        case '~':
            Emit(0x00A0);
            return;
        case '_':
            Emit(0x2011);
            return;
        case '\r':
        case '\n':
            if (!TakeFallback() && FState.FDestination == TDestination::Body) {
                EndParagraph(); // a backslash before a line end is a paragraph mark
            }
            return;
        default:
            TakeFallback(); // "\-" (optional hyphen), "\:" and the like add nothing
            return;
        }
    }

    void ReadHexByte()
    {
        const int high = FPos < FText.size() ? HexValue(FText[FPos]) : -1;
        const int low = FPos + 1 < FText.size() ? HexValue(FText[FPos + 1]) : -1;
        if (high < 0 || low < 0) {
            FPos += high >= 0 ? 1 : 0; // a cut escape stands for nothing
            return;
        }
        FPos += 2;
        EmitByte(static_cast<unsigned char>(high * 16 + low));
    }

    void ReadWord()
    {
        const std::size_t start = FPos;
        while (FPos < FText.size() && IsLetter(FText[FPos])) {
            ++FPos;
        }
        const std::string_view word = FText.substr(start, FPos - start);
        bool negative = false;
        if (FPos + 1 < FText.size() && FText[FPos] == '-' && IsDigit(FText[FPos + 1])) {
            negative = true;
            ++FPos;
        }
        std::optional<std::int64_t> parameter;
        while (FPos < FText.size() && IsDigit(FText[FPos])) {
            parameter = std::min<std::int64_t>(parameter.value_or(0) * 10 + (FText[FPos] - '0'), MaxParameter);
            ++FPos;
        }
        if (negative && parameter) {
            *parameter = -*parameter;
        }
        if (FPos < FText.size() && FText[FPos] == ' ') {
            ++FPos; // the delimiting space belongs to the control word
        }
        HandleWord(word, parameter);
    }

    void HandleWord(std::string_view word, std::optional<std::int64_t> parameter)
    {
        const int value = static_cast<int>(parameter.value_or(1));
        if (word == "bin") {
            // Binary data follows; it is never text, and it may hold braces and backslashes.
            const auto length = static_cast<std::size_t>(std::max<std::int64_t>(parameter.value_or(0), 0));
            FPos += std::min(FText.size() - FPos, length);
            return;
        }
        if (FState.FDestination == TDestination::Skip) {
            return;
        }
        if (FStarPending) {
            FStarPending = false;
            // An ignorable destination the reader does not know: nothing in it is text.
            if (word != "fldinst" && word != "pn" && word != "listtable" && word != "listoverridetable") {
                StartDestination(TDestination::Skip);
                return;
            }
        }
        if (word == "u") {
            EmitUnicode(value);
            return;
        }
        if (word == "uc") {
            FState.FFallbackLength = std::clamp(value, 0, MaxFallback);
            return;
        }
        if (HandleDestination(word) || HandleTableWord(word, value)) {
            return;
        }
        if (TakeFallback()) {
            return; // a control word counts as one character of a pending fallback
        }
        if (HandleCharacterWord(word, value, parameter.has_value()) || HandleParagraphWord(word, value)) {
            return;
        }
        for (const TCharacterWord& character : CharacterWords) {
            if (character.FWord == word) {
                Emit(character.FCharacter);
                return;
            }
        }
        if (word == "deff") {
            FDefaultFont = value;
        }
    }

    bool HandleDestination(std::string_view word)
    {
        if (Contains(SkippedDestinations, word)) {
            StartDestination(TDestination::Skip);
        } else if (word == "fonttbl") {
            StartDestination(TDestination::FontTable);
        } else if (word == "colortbl") {
            StartDestination(TDestination::ColourTable);
            FRed = FGreen = FBlue = -1;
        } else if (word == "fldinst") {
            StartDestination(TDestination::FieldInstruction);
            FInstruction.clear();
            FInstructionCut = false;
        } else if (word == "pn") {
            StartDestination(TDestination::ParagraphNumbering);
            FState.FNumbering = TListKind::Decimal;
        } else if (word == "listtable" || word == "listoverridetable") {
            StartDestination(TDestination::ListTable);
        } else if (word == "list" && FState.FDestination == TDestination::ListTable) {
            StartDestination(TDestination::List);
            FListId = 0;
            FListLevels.clear();
        } else if (word == "listoverride" && FState.FDestination == TDestination::ListTable) {
            StartDestination(TDestination::ListOverride);
            FListId = 0;
            FOverrideNumber = 0;
        } else {
            return false;
        }
        FLookChanged = true;
        return true;
    }

    // Words that build the font, colour and list tables and the "\pn" numbering.
    bool HandleTableWord(std::string_view word, int value)
    {
        switch (FState.FDestination) {
        case TDestination::Body:
            return false;
        case TDestination::FontTable:
            if (word == "f") {
                FFontNumber = value;
                FFontName.clear();
                FFontNameCut = false;
            }
            return true;
        case TDestination::ColourTable:
            if (word == "red" || word == "green" || word == "blue") {
                (word == "red" ? FRed : word == "green" ? FGreen : FBlue) = std::clamp(value, 0, 255);
            }
            return true;
        case TDestination::List:
            if (word == "listlevel" && FListLevels.size() < MaxListLevels) {
                FListLevels.push_back(0);
            } else if ((word == "levelnfc" || word == "levelnfcn") && !FListLevels.empty()) {
                FListLevels.back() = value;
            } else if (word == "listid") {
                FListId = value;
            }
            return true;
        case TDestination::ListOverride:
            if (word == "listid") {
                FListId = value;
            } else if (word == "ls") {
                FOverrideNumber = value;
            }
            return true;
        case TDestination::ParagraphNumbering:
            if (word == "pnlvlblt") {
                FState.FNumbering = TListKind::Bullet;
            } else if (word == "pnlvlcont") {
                FState.FNumbering = TListKind::None;
            }
            return true; // every other kind of numbering reads as decimal
        default:
            return true; // field instructions and the list tables hold no formatting
        }
    }

    bool HandleCharacterWord(std::string_view word, int value, bool hasParameter)
    {
        const bool on = value != 0;
        if (word == "plain") {
            FState.FBold = FState.FItalic = FState.FUnderline = FState.FStrikeout = false;
            FState.FDoubleByteBold.reset();
            FState.FDoubleByteItalic.reset();
            FState.FDoubleByte = FState.FRightToLeft = false;
            FState.FColour = 0;
            FState.FFont.reset();
            FState.FHalfPoints.reset();
        } else if (word == "b") {
            FState.FBold = on;
        } else if (word == "i") {
            FState.FItalic = on;
        } else if (word == "ab" || word == "ai") {
            if (FState.FDoubleByte && !FState.FRightToLeft) {
                (word == "ab" ? FState.FDoubleByteBold : FState.FDoubleByteItalic) = on;
            }
        } else if (word == "loch" || word == "hich" || word == "dbch") {
            FState.FDoubleByte = word == "dbch";
        } else if (word == "rtlch" || word == "ltrch") {
            FState.FRightToLeft = word == "rtlch";
        } else if (Contains(UnderlineWords, word)) {
            FState.FUnderline = on;
        } else if (word == "ulnone") {
            FState.FUnderline = false;
        } else if (word == "strike" || word == "striked") {
            FState.FStrikeout = on;
        } else if (word == "cf") {
            FState.FColour = value;
        } else if (word == "f") {
            FState.FFont = value;
        } else if (word == "fs") {
            FState.FHalfPoints = hasParameter && value > 0 ? std::min(value, MaxHalfPoints) : 24;
        } else {
            return false;
        }
        FLookChanged = true;
        return true;
    }

    bool HandleParagraphWord(std::string_view word, int value)
    {
        if (word == "par" || word == "sect" || word == "page" || word == "row") {
            EndParagraph();
        } else if (word == "pard") {
            FState.FAlignment = TAlignment::Left;
            FState.FNumbering = TListKind::None;
            FState.FListOverride = 0;
            FState.FListLevel = 0;
        } else if (word == "ql") {
            FState.FAlignment = TAlignment::Left;
        } else if (word == "qc") {
            FState.FAlignment = TAlignment::Center;
        } else if (word == "qr") {
            FState.FAlignment = TAlignment::Right;
        } else if (word == "qj" || word == "qd") {
            FState.FAlignment = TAlignment::Justify;
        } else if (word == "ls") {
            FState.FListOverride = value;
        } else if (word == "ilvl") {
            FState.FListLevel = std::clamp(value, 0, MaxListLevel);
        } else {
            return false;
        }
        return true;
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
        if (TakeFallback()) {
            return;
        }
        EmitCharacter(FromWindows1252(byte));
    }

    void Emit(char32_t c)
    {
        if (!TakeFallback()) {
            EmitCharacter(c);
        }
    }

    // "\uN": a UTF-16 unit written as a signed 16-bit number; larger numbers are taken as
    // code points.
    void EmitUnicode(int value)
    {
        const char32_t unit = static_cast<char32_t>(value < 0 ? value + 65536 : value);
        FFallbackLeft = 0;
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            FlushSurrogate();
            FHighSurrogate = unit;
        } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
            if (FHighSurrogate != 0) {
                const char32_t c = 0x10000 + ((FHighSurrogate - 0xD800) << 10) + (unit - 0xDC00);
                FHighSurrogate = 0;
                EmitCharacter(c);
            } else {
                EmitCharacter(0xFFFD);
            }
        } else {
            EmitCharacter(unit <= 0x10FFFF ? unit : 0xFFFD);
        }
        FFallbackLeft = FState.FFallbackLength;
    }

    // A high surrogate not followed by a low one stands for nothing readable.
    void FlushSurrogate()
    {
        if (FHighSurrogate != 0) {
            FHighSurrogate = 0;
            EmitCharacter(0xFFFD);
        }
    }

    void EmitCharacter(char32_t c)
    {
        if (c < 0x20 && (FState.FDestination != TDestination::Body || (c != '\t' && c != '\n'))) {
            return; // control characters other than tabs and line breaks in the text are no text
        }
        if (FHighSurrogate != 0 && (c < 0xDC00 || c > 0xDFFF)) {
            FHighSurrogate = 0;
            EmitCharacter(0xFFFD);
        }
        switch (FState.FDestination) {
        case TDestination::Body:
            AppendToRun(c);
            break;
        case TDestination::FontTable:
            if (c == ';') {
                EndFontEntry();
            } else {
                FFontNameCut = FFontNameCut || !AppendCapped(FFontName, c, FLimits.FFontNameBytes);
            }
            break;
        case TDestination::ColourTable:
            if (c == ';') {
                const bool automatic = FRed < 0 && FGreen < 0 && FBlue < 0;
                if (FColours.size() < FLimits.FColours) {
                    FColours.push_back(automatic ? std::nullopt : std::optional<TRgb>(Rgb()));
                }
                FRed = FGreen = FBlue = -1;
            }
            break;
        case TDestination::FieldInstruction:
            FInstructionCut = FInstructionCut || !AppendCapped(FInstruction, c, MaxInstructionBytes());
            break;
        default:
            break;
        }
    }

    // Room for the instruction the writer makes of the longest link target: every character
    // escaped, and the field's name and quotes.
    std::size_t MaxInstructionBytes() const { return 2 * FLimits.FLinkBytes + 64; }

    // A font table entry ends: its number names the font from now on; an empty name, one that was
    // too long, or a new number beyond the bound names none.
    void EndFontEntry()
    {
        const std::size_t end = FFontName.find_last_not_of(' ');
        const std::string_view name = std::string_view(FFontName).substr(0, end == std::string::npos ? 0 : end + 1);
        const bool room = FFonts.size() < FLimits.FFonts || FFonts.contains(FFontNumber);
        const auto index = room && !FFontNameCut && !name.empty() ? Store(FDocument.FFonts, name) : std::nullopt;
        if (index) {
            FFonts[FFontNumber] = *index;
        } else {
            FFonts.erase(FFontNumber);
        }
        FFontName.clear();
        FFontNameCut = false;
    }

    // The number of a link target or font name in the document's table; none when a new one does
    // not fit into the text bound.
    std::optional<TStringTable::TIndex> Store(TStringTable& table, std::string_view value)
    {
        if (value.size() > FLimits.FTextBytes - FStoredBytes) {
            return table.Find(value);
        }
        const std::size_t size = table.Size();
        const TStringTable::TIndex index = table.Add(value);
        FStoredBytes += table.Size() > size ? value.size() : 0;
        return index;
    }

    // Counts bytes against the text bound; false when they do not fit.
    bool Reserve(std::size_t bytes)
    {
        if (bytes > FLimits.FTextBytes - FStoredBytes) {
            return false;
        }
        FStoredBytes += bytes;
        return true;
    }

    // The tables keep what the runs use, in the order of first use, as the writer writes them: the
    // document read back from what the writer wrote is equal to this one.
    void KeepUsedTableEntries()
    {
        TRenumbering links(FDocument.FLinks);
        TRenumbering fonts(FDocument.FFonts);
        for (TRichParagraph& paragraph : FDocument.FParagraphs) {
            for (TRichRun& run : paragraph.FRuns) {
                links.Apply(run.FLink);
                fonts.Apply(run.FFont);
            }
        }
        FDocument.FLinks = links.Renumbered(std::move(FDocument.FLinks));
        FDocument.FFonts = fonts.Renumbered(std::move(FDocument.FFonts));
    }

    TRgb Rgb() const
    {
        return {static_cast<std::uint8_t>(std::max(FRed, 0)), static_cast<std::uint8_t>(std::max(FGreen, 0)),
                static_cast<std::uint8_t>(std::max(FBlue, 0))};
    }

    // Appends a character to the current run; a character beyond the text bound, the first one of a
    // run beyond the run bound, or one that starts a stretch of a link beyond the text bound, ends
    // the document instead.
    void AppendToRun(char32_t c)
    {
        if (FLookChanged && !FFull) {
            StartRun();
        }
        const std::size_t size = FRun.FText.size();
        if (FFull || (size == 0 && FRunCount == FLimits.FRuns) ||
            !AppendCapped(FRun.FText, c, size + FLimits.FTextBytes - FStoredBytes)) {
            FFull = true;
            return;
        }
        FStoredBytes += FRun.FText.size() - size;
        FRunCount += size == 0 ? 1 : 0;
    }

    // Starts a run with the look now in force, unless it looks like the current one.
    void StartRun()
    {
        FLookChanged = false;
        TRichRun run;
        run.FBold = FState.FDoubleByte ? FState.FDoubleByteBold.value_or(FState.FBold) : FState.FBold;
        run.FItalic = FState.FDoubleByte ? FState.FDoubleByteItalic.value_or(FState.FItalic) : FState.FItalic;
        run.FUnderline = FState.FUnderline;
        run.FStrikeout = FState.FStrikeout;
        run.FLink = FState.FLink;
        if (FState.FColour > 0 && static_cast<std::size_t>(FState.FColour) < FColours.size()) {
            run.FColour = FColours[static_cast<std::size_t>(FState.FColour)];
        }
        if (const auto font = FFonts.find(FState.FFont.value_or(FDefaultFont)); font != FFonts.end()) {
            run.FFont = font->second;
        }
        if (FState.FHalfPoints) {
            run.FSizePoints = *FState.FHalfPoints / 2.0;
        }
        if (run.SameLook(FRun)) {
            return;
        }
        // Writers write a link's target again for every stretch of runs that carries it.
        if (run.FLink && run.FLink != FRun.FLink && !Reserve(FDocument.FLinks.At(*run.FLink).size())) {
            FFull = true;
            return;
        }
        FParagraph.Append(std::move(FRun));
        FRun = std::move(run);
    }

    TListKind ListKind() const
    {
        if (FState.FNumbering != TListKind::None || FState.FListOverride == 0) {
            return FState.FNumbering;
        }
        const auto override = FOverrides.find(FState.FListOverride);
        const auto list = override == FOverrides.end() ? FLists.end() : FLists.find(override->second);
        if (list == FLists.end() || list->second.empty()) {
            return TListKind::None;
        }
        const auto level = static_cast<std::size_t>(FState.FListLevel);
        const int format = list->second[std::min(level, list->second.size() - 1)];
        return format == 23 ? TListKind::Bullet : format == 255 ? TListKind::None : TListKind::Decimal;
    }

    // Adds the paragraph to the document; one beyond the bound ends the document instead.
    void EndParagraph()
    {
        FlushSurrogate();
        if (FDocument.FParagraphs.size() == FLimits.FParagraphs) {
            FFull = true;
            return;
        }
        FParagraph.Append(std::move(FRun));
        FRun = TRichRun();
        FLookChanged = true;
        FParagraph.FAlignment = FState.FAlignment;
        FParagraph.FList = ListKind();
        FParagraph.FListLevel = FParagraph.FList == TListKind::None ? 0 : FState.FListLevel;
        FDocument.FParagraphs.push_back(std::move(FParagraph));
        FParagraph = TRichParagraph();
    }

    std::string_view FText;
    const TRtfLimits& FLimits;
    std::size_t FPos = 0;
    TGroupState FState;
    std::vector<TGroupState> FStack;
    std::size_t FUntrackedDepth = 0;
    bool FStarPending = false;
    int FFallbackLeft = 0;
    char32_t FHighSurrogate = 0;

    TRichDocument FDocument;
    TRichParagraph FParagraph;
    TRichRun FRun;
    bool FLookChanged = true;
    std::size_t FRunCount = 0;    // runs that hold text, the current one included
    std::size_t FStoredBytes = 0; // what counts against the text bound
    bool FFull = false;           // a bound was reached: the document ends

    int FDefaultFont = 0;
    std::map<int, TStringTable::TIndex> FFonts; // font number -> face name in the document's table
    int FFontNumber = 0;
    std::string FFontName;
    bool FFontNameCut = false;
    std::vector<std::optional<TRgb>> FColours;
    int FRed = -1;
    int FGreen = -1;
    int FBlue = -1;
    std::string FInstruction;
    bool FInstructionCut = false;
    std::map<int, std::vector<int>> FLists; // list id -> number format of each level
    std::vector<int> FListLevels;
    int FListId = 0;
    std::map<int, int> FOverrides; // "\ls" number -> list id
    int FOverrideNumber = 0;
};

} // namespace

bool IsRichMemo(std::string_view memo)
{
    return memo.size() > 6 && memo.starts_with("{\\rtf1");
}

TRichDocument ReadRtf(std::string_view rtf, const TRtfLimits& limits)
{
    return TRtfParser(rtf, limits).Read();
}

std::string RtfToPlainText(std::string_view rtf)
{
    return PlainText(ReadRtf(rtf), true);
}
