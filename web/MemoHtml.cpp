#include "MemoHtml.h"

#include "richtext/OpenableLink.h"

#include <cctype>
#include <cstdio>

namespace {

const char* AlignmentName(TAlignment alignment)
{
    switch (alignment) {
    case TAlignment::Center:
        return "center";
    case TAlignment::Right:
        return "right";
    case TAlignment::Justify:
        return "justify";
    case TAlignment::Left:
        break;
    }
    return "left";
}

// A font name goes into a style attribute in quotes: only characters that cannot end them.
std::string FontFamily(std::string_view face)
{
    std::string family;
    for (const char c : face) {
        if (std::isalnum(static_cast<unsigned char>(c)) || c == ' ' || c == '-' || c == '_') {
            family += c;
        }
    }
    return family;
}

std::string RunStyle(const TRichRun& run, const TRichDocument& document)
{
    std::string style;
    if (run.FColour) {
        char colour[16];
        std::snprintf(colour, sizeof colour, "#%02x%02x%02x", run.FColour->FRed, run.FColour->FGreen,
                      run.FColour->FBlue);
        style += std::string("color:") + colour + ";";
    }
    if (run.FSizePoints) {
        char size[32];
        std::snprintf(size, sizeof size, "%gpt", *run.FSizePoints);
        style += std::string("font-size:") + size + ";";
    }
    if (const std::string family = run.FFont ? FontFamily(document.FFonts.At(*run.FFont)) : ""; !family.empty()) {
        style += "font-family:'" + family + "';";
    }
    return style;
}

std::string RunText(std::string_view text)
{
    std::string html;
    for (const char c : text) {
        if (c == '\n') {
            html += "<br>";
        } else {
            html += HtmlEscaped(std::string_view(&c, 1));
        }
    }
    return html;
}

std::string RunHtml(const TRichRun& run, const TRichDocument& document)
{
    std::string open;
    std::string close;
    const auto wrap = [&](bool on, const std::string& tag, const std::string& attributes = {}) {
        if (on) {
            open += "<" + tag + attributes + ">";
            close = "</" + tag + ">" + close;
        }
    };
    const std::string style = RunStyle(run, document);
    wrap(!style.empty(), "span", " style=\"" + style + "\"");
    wrap(run.FBold, "b");
    wrap(run.FItalic, "i");
    wrap(run.FUnderline, "u");
    wrap(run.FStrikeout, "s");
    return open + RunText(run.FText) + close;
}

const char* ListTag(TListKind kind)
{
    return kind == TListKind::Decimal ? "ol" : "ul";
}

} // namespace

std::string HtmlEscaped(std::string_view text)
{
    std::string html;
    html.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            html += "&amp;";
            break;
        case '<':
            html += "&lt;";
            break;
        case '>':
            html += "&gt;";
            break;
        case '"':
            html += "&quot;";
            break;
        case '\'':
            html += "&#39;";
            break;
        default:
            html += c;
        }
    }
    return html;
}

std::string MemoHtml(const TRichDocument& document)
{
    std::string html;
    TListKind openList = TListKind::None;
    for (const TRichParagraph& paragraph : document.FParagraphs) {
        if (paragraph.FList != openList) {
            if (openList != TListKind::None) {
                html += std::string("</") + ListTag(openList) + ">";
            }
            if (paragraph.FList != TListKind::None) {
                html += std::string("<") + ListTag(paragraph.FList) + ">";
            }
            openList = paragraph.FList;
        }
        const std::string tag = openList == TListKind::None ? "p" : "li";
        html += "<" + tag + " style=\"text-align:" + AlignmentName(paragraph.FAlignment) + "\">";
        // One anchor for the consecutive runs of one link: a long target is written once, not once a run.
        const std::vector<TRichRun>& runs = paragraph.FRuns;
        for (std::size_t n = 0; n < runs.size();) {
            const auto link = runs[n].FLink;
            const std::optional<std::string> target = link ? OpenableLink(document.FLinks.At(*link)) : std::nullopt;
            const bool anchor = target.has_value();
            html += anchor ? "<a href=\"" + HtmlEscaped(*target) + "\" target=\"_blank\" rel=\"noopener noreferrer\">"
                           : "";
            for (; n < runs.size() && runs[n].FLink == link; ++n) {
                html += RunHtml(runs[n], document);
            }
            html += anchor ? "</a>" : "";
        }
        if (paragraph.FRuns.empty()) {
            html += "<br>";
        }
        html += "</" + tag + ">";
    }
    if (openList != TListKind::None) {
        html += std::string("</") + ListTag(openList) + ">";
    }
    return html;
}
