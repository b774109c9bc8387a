#include "RtfWriter.h"

#include "text/Utf8.h"
#include "text/Windows1252.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <vector>

namespace {

constexpr std::string_view BulletLabel = "\\'95";
// Lists the list table defines. A list's definition takes some 200 bytes, which a hostile document
// can make out of a paragraph of ten; the lists after these keep only their "\\pn" form, and no
// real memo has so many lists.
constexpr std::size_t MaxDefinedLists = 256;

// Appends UTF-8 text as RTF: specials escaped, Windows-1252 bytes as "\'xx", everything else
// beyond ASCII as "\uN?"; '\t' and '\n' become "\tab" and "\line", other control characters are
// dropped.
void AppendEscaped(std::string& out, std::string_view text)
{
    char buffer[16];
    for (std::size_t pos = 0; pos < text.size();) {
        const char32_t c = NextCharacter(text, pos);
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\t') {
            out += "\\tab ";
        } else if (c == '\n') {
            out += "\\line ";
        } else if (c < 0x20) {
            continue;
        } else if (c < 0x7F) {
            out += static_cast<char>(c);
        } else if (const auto byte = ToWindows1252(c)) {
            std::snprintf(buffer, sizeof buffer, "\\'%02x", *byte);
            out += buffer;
        } else {
            const auto appendUnit = [&](char32_t unit) {
                std::snprintf(buffer, sizeof buffer, "\\u%d?", static_cast<int>(static_cast<std::int16_t>(unit)));
                out += buffer;
            };
            if (c >= 0x10000) {
                appendUnit(0xD800 + ((c - 0x10000) >> 10));
                appendUnit(0xDC00 + ((c - 0x10000) & 0x3FF));
            } else {
                appendUnit(c);
            }
        }
    }
}

class TRtfComposer
{
public:
    // Fonts and colours are numbered from 1 in the order of first use; the font table of the RTF
    // holds the fonts the runs use, whatever else the document's table holds.
    explicit TRtfComposer(const TRichDocument& document)
        : FDocument(document), FLists(LayOutLists(document)), FFontNumbers(document.FFonts.Size(), 0)
    {
        for (const TRichParagraph& paragraph : document.FParagraphs) {
            for (const TRichRun& run : paragraph.FRuns) {
                if (run.FFont && FFontNumbers.at(*run.FFont) == 0) {
                    FFonts.push_back(*run.FFont);
                    FFontNumbers[*run.FFont] = static_cast<int>(FFonts.size());
                }
                if (run.FColour && FColourNumbers.try_emplace(*run.FColour, FColours.size() + 1).second) {
                    FColours.push_back(*run.FColour);
                }
            }
        }
    }

    std::string Compose()
    {
        FOut = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1";
        if (!FFonts.empty()) {
            FOut += "{\\fonttbl";
            for (std::size_t n = 0; n < FFonts.size(); ++n) {
                std::string name = FDocument.FFonts.At(FFonts[n]);
                std::erase(name, ';'); // the entry's end; a name cannot hold it
                FOut += "{\\f" + std::to_string(n + 1) + "\\fnil\\fcharset0 ";
                AppendEscaped(FOut, name);
                FOut += ";}";
            }
            FOut += '}';
        }
        if (!FColours.empty()) {
            FOut += "{\\colortbl ;";
            for (const TRgb& colour : FColours) {
                FOut += "\\red" + std::to_string(colour.FRed) + "\\green" + std::to_string(colour.FGreen) + "\\blue" +
                        std::to_string(colour.FBlue) + ";";
            }
            FOut += '}';
        }
        AppendListTables();
        FOut += "\r\n";
        for (std::size_t n = 0; n < FDocument.FParagraphs.size(); ++n) {
            AppendParagraph(FDocument.FParagraphs[n], n);
        }
        FOut += "}\r\n";
        return std::move(FOut);
    }

private:
    // One list definition for each list of the layout, and one override ("\lsN", N counted from
    // 1) that names it: word processors number every list from 1 and each level of it after the
    // items above it. A definition has the levels down to the deepest its paragraphs use, a level
    // above that which no paragraph uses without a label: the tables grow with the paragraphs.
    void AppendListTables()
    {
        const std::size_t lists = std::min(FLists.FLists.size(), MaxDefinedLists);
        if (lists == 0) {
            return;
        }
        char buffer[160];
        FOut += "{\\*\\listtable";
        for (std::size_t n = 0; n < lists; ++n) {
            FOut += "\r\n{\\list";
            const TListLayout::TLevelKinds& kinds = FLists.FLists[n];
            const auto deepest =
                std::find_if(kinds.rbegin(), kinds.rend(), [](TListKind kind) { return kind != TListKind::None; });
            for (int level = 0; level < kinds.rend() - deepest; ++level) {
                const TListKind kind = kinds[static_cast<std::size_t>(level)];
                if (kind == TListKind::None) {
                    FOut += "{\\listlevel}";
                } else if (kind == TListKind::Bullet) {
                    std::snprintf(
                        buffer, sizeof buffer,
                        "{\\listlevel\\levelnfc23{\\leveltext\\'01\\u8226 ?;}{\\levelnumbers;}\\fi-360\\li%d}",
                        ListIndent(level));
                    FOut += buffer;
                } else {
                    std::snprintf(
                        buffer, sizeof buffer,
                        "{\\listlevel\\levelnfc0\\levelstartat1{\\leveltext\\'02\\'0%d.;}{\\levelnumbers\\'01;}"
                        "\\fi-360\\li%d}",
                        level, ListIndent(level));
                    FOut += buffer;
                }
            }
            std::snprintf(buffer, sizeof buffer, "\\listid%zu}", n + 1);
            FOut += buffer;
        }
        FOut += "}{\\*\\listoverridetable";
        for (std::size_t n = 0; n < lists; ++n) {
            std::snprintf(buffer, sizeof buffer, "{\\listoverride\\listid%zu\\ls%zu}", n + 1, n + 1);
            FOut += buffer;
        }
        FOut += '}';
    }

    // The left indent of a list paragraph at a level, in twips: half an inch a level, the label
    // hanging a quarter inch before the text.
    static int ListIndent(int level) { return 720 * (level + 1); }

    void AppendParagraph(const TRichParagraph& paragraph, std::size_t number)
    {
        FOut += "\\pard";
        switch (paragraph.FAlignment) {
        case TAlignment::Left:
            break;
        case TAlignment::Center:
            FOut += "\\qc";
            break;
        case TAlignment::Right:
            FOut += "\\qr";
            break;
        case TAlignment::Justify:
            FOut += "\\qj";
            break;
        }
        if (const auto list = FLists.FListOf[number]) {
            // The label and a "\\pn" group for readers that know only those, then the list and level
            // for word processors: LibreOffice takes the one that comes last.
            const int level = std::clamp(paragraph.FListLevel, 0, MaxListLevel);
            FOut += "{\\pntext ";
            if (paragraph.FList == TListKind::Bullet) {
                FOut += BulletLabel;
                FOut += "\\tab}{\\*\\pn\\pnlvlblt\\pnindent360{\\pntxtb ";
                FOut += BulletLabel;
                FOut += "}}";
            } else {
                FOut += FLists.FLabels[number];
                FOut += "\\tab}{\\*\\pn\\pnlvlbody\\pndec\\pnstart1\\pnindent360{\\pntxta .}}";
            }
            char buffer[64];
            if (*list < MaxDefinedLists) {
                std::snprintf(buffer, sizeof buffer, "\\ls%zu", *list + 1);
                FOut += buffer;
            }
            std::snprintf(buffer, sizeof buffer, "\\ilvl%d\\fi-360\\li%d", level, ListIndent(level));
            FOut += buffer;
        }
        FOut += ' ';
        const std::vector<TRichRun>& runs = paragraph.FRuns;
        for (std::size_t n = 0; n < runs.size();) {
            if (!runs[n].FLink) {
                AppendRun(runs[n++]);
                continue;
            }
            // One field for the consecutive runs of one link.
            FOut += "{\\field{\\*\\fldinst HYPERLINK \"";
            std::string target;
            for (const char c : FDocument.FLinks.At(*runs[n].FLink)) {
                target += c == '\\' || c == '"' ? std::string{'\\', c} : std::string{c};
            }
            AppendEscaped(FOut, target);
            FOut += "\"}{\\fldrslt ";
            const auto link = runs[n].FLink;
            while (n < runs.size() && runs[n].FLink == link) {
                AppendRun(runs[n++]);
            }
            FOut += "}}";
        }
        FOut += "\\par\r\n";
    }

    void AppendRun(const TRichRun& run)
    {
        FOut += '{';
        const std::size_t start = FOut.size();
        FOut += run.FBold ? "\\b" : "";
        FOut += run.FItalic ? "\\i" : "";
        FOut += run.FUnderline ? "\\ul" : "";
        FOut += run.FStrikeout ? "\\strike" : "";
        if (run.FColour) {
            FOut += "\\cf" + std::to_string(FColourNumbers.at(*run.FColour));
        }
        if (run.FFont) {
            FOut += "\\f" + std::to_string(FFontNumbers[*run.FFont]);
        }
        if (run.FSizePoints && *run.FSizePoints > 0) {
            FOut += "\\fs" + std::to_string(std::lround(std::clamp(*run.FSizePoints, 0.5, 16383.0) * 2));
        }
        if (FOut.size() > start) {
            FOut += ' ';
        }
        AppendEscaped(FOut, run.FText);
        FOut += '}';
    }

    const TRichDocument& FDocument;
    const TListLayout FLists;
    std::vector<TStringTable::TIndex> FFonts; // in the document's table, in the order of their numbers
    std::vector<int> FFontNumbers;            // number of each font of the document's table; 0: unused
    std::vector<TRgb> FColours;
    std::map<TRgb, std::size_t> FColourNumbers;
    std::string FOut;
};

} // namespace

std::string WriteRtf(const TRichDocument& document)
{
    return TRtfComposer(document).Compose();
}
