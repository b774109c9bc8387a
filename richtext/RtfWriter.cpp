#include "RtfWriter.h"

#include "CodePage.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <vector>

namespace {

using namespace CodePage;

constexpr std::string_view BulletLabel = "\\'95";

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
    explicit TRtfComposer(const TRichDocument& document) : FDocument(document), FFontNumbers(document.FFonts.Size(), 0)
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
        FOut += "\r\n";
        const std::vector<std::string> labels = ListLabels(FDocument);
        for (std::size_t n = 0; n < FDocument.FParagraphs.size(); ++n) {
            AppendParagraph(FDocument.FParagraphs[n], labels[n]);
        }
        FOut += "}\r\n";
        return std::move(FOut);
    }

private:
    void AppendParagraph(const TRichParagraph& paragraph, const std::string& label)
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
        if (paragraph.FList == TListKind::Bullet) {
            FOut += "{\\pntext " + std::string(BulletLabel) + "\\tab}{\\*\\pn\\pnlvlblt\\pnindent360{\\pntxtb " +
                    std::string(BulletLabel) + "}}\\fi-360\\li720";
        } else if (paragraph.FList == TListKind::Decimal) {
            FOut += "{\\pntext " + label +
                    "\\tab}{\\*\\pn\\pnlvlbody\\pndec\\pnstart1\\pnindent360{\\pntxta .}}"
                    "\\fi-360\\li720";
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
