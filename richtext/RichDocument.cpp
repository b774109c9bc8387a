#include "RichDocument.h"

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

std::vector<std::string> ListLabels(const TRichDocument& document)
{
    std::vector<std::string> labels;
    int number = 0;
    for (const TRichParagraph& paragraph : document.FParagraphs) {
        number = paragraph.FList == TListKind::Decimal ? number + 1 : 0;
        if (paragraph.FList == TListKind::Bullet) {
            labels.emplace_back("\xE2\x80\xA2");
        } else if (paragraph.FList == TListKind::Decimal) {
            labels.push_back(std::to_string(number) + ".");
        } else {
            labels.emplace_back();
        }
    }
    return labels;
}

std::string PlainText(const TRichDocument& document, bool withListLabels)
{
    const std::vector<std::string> labels = ListLabels(document);
    std::string text;
    for (std::size_t n = 0; n < document.FParagraphs.size(); ++n) {
        if (n > 0) {
            text += '\n';
        }
        if (withListLabels && !labels[n].empty()) {
            text += labels[n] + ' ';
        }
        text += document.FParagraphs[n].Text();
    }
    return text;
}
