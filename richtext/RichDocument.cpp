#include "RichDocument.h"

#include <algorithm>

bool TRichRun::SameLook(const TRichRun& other) const
{
    return FBold == other.FBold && FItalic == other.FItalic && FUnderline == other.FUnderline &&
           FStrikeout == other.FStrikeout && FLink == other.FLink && FColour == other.FColour && FFont == other.FFont &&
           FSizePoints == other.FSizePoints;
}

void TRichParagraph::Append(TRichRun run)
{
    if (run.FText.empty()) {
        return;
    }
    if (!FRuns.empty() && FRuns.back().SameLook(run)) {
        FRuns.back().FText += run.FText;
    } else {
        FRuns.push_back(std::move(run));
    }
}

std::string TRichParagraph::Text() const
{
    std::string text;
    for (const TRichRun& run : FRuns) {
        text += run.FText;
    }
    return text;
}

TListLayout LayOutLists(const TRichDocument& document)
{
    TListLayout layout;
    std::array<int, MaxListLevel + 1> numbers{}; // of the current list: the last number at each level
    bool inList = false;
    for (const TRichParagraph& paragraph : document.FParagraphs) {
        if (paragraph.FList == TListKind::None) {
            inList = false;
            layout.FListOf.emplace_back();
            layout.FLabels.emplace_back();
            continue;
        }
        const auto level = static_cast<std::size_t>(std::clamp(paragraph.FListLevel, 0, MaxListLevel));
        if (!inList ||
            (layout.FLists.back()[level] != TListKind::None && layout.FLists.back()[level] != paragraph.FList)) {
            layout.FLists.emplace_back();
            layout.FLists.back().fill(TListKind::None);
            numbers.fill(0);
            inList = true;
        }
        layout.FLists.back()[level] = paragraph.FList;
        layout.FListOf.emplace_back(layout.FLists.size() - 1);
        std::fill(numbers.begin() + static_cast<std::ptrdiff_t>(level) + 1, numbers.end(), 0);
        if (paragraph.FList == TListKind::Bullet) {
            layout.FLabels.emplace_back("\xE2\x80\xA2");
        } else {
            layout.FLabels.push_back(std::to_string(++numbers[level]) + ".");
        }
    }
    return layout;
}

std::string PlainText(const TRichDocument& document, bool withListLabels)
{
    const std::vector<std::string> labels = LayOutLists(document).FLabels;
    std::string text;
    for (std::size_t n = 0; n < document.FParagraphs.size(); ++n) {
        if (n > 0) {
            text += '\n';
        }
        if (withListLabels && !labels[n].empty()) {
            text += std::string(
                2 * static_cast<std::size_t>(std::clamp(document.FParagraphs[n].FListLevel, 0, MaxListLevel)), ' ');
            text += labels[n] + ' ';
        }
        text += document.FParagraphs[n].Text();
    }
    return text;
}
