#include "TempDir.h"
#include "richtext/RtfReader.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>

// Documents a word processor wrote, each with a sidecar NAME.json that says what a reader must get
// out of it (its "text" and its "checks"; see the README beside them).

namespace {

using nlohmann::json;

std::vector<std::string> FixtureNames()
{
    std::vector<std::string> names;
    for (const auto& item : std::filesystem::directory_iterator(SEALVANE_RTF_FIXTURES)) {
        if (item.path().extension() == ".rtf") {
            names.push_back(item.path().stem().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Whether a run has one property of a "span" check.
bool HasProperty(const TRichDocument& document, const TRichRun& run, const std::string& name, const json& value)
{
    static const std::map<std::string, bool TRichRun::*> flags = {{"bold", &TRichRun::FBold},
                                                                  {"italic", &TRichRun::FItalic},
                                                                  {"underline", &TRichRun::FUnderline},
                                                                  {"strike", &TRichRun::FStrikeout}};
    if (const auto flag = flags.find(name); flag != flags.end()) {
        return run.*flag->second == value.get<bool>();
    }
    if (name == "color") {
        const TRgb colour = run.FColour.value_or(TRgb{});
        return (colour.FRed << 16 | colour.FGreen << 8 | colour.FBlue) ==
               (value.is_null() ? 0 : std::stoi(value.get<std::string>().substr(1), nullptr, 16));
    }
    if (name == "font_family") {
        return run.FFont && document.FFonts.At(*run.FFont) == value.get<std::string>();
    }
    if (name == "font_size_pt") {
        return run.FSizePoints.value_or(12) == value.get<double>();
    }
    if (name == "link") {
        return value.is_null() ? !run.FLink : run.FLink && document.FLinks.At(*run.FLink) == value.get<std::string>();
    }
    return false; // an unknown property fails the check
}

// Whether some occurrence of the check's "span" has every listed property on each non-space
// character.
bool SpanHolds(const TRichDocument& document, const json& check)
{
    const std::string span = check["span"];
    for (const TRichParagraph& paragraph : document.FParagraphs) {
        std::vector<const TRichRun*> runOf; // the run of each byte
        for (const TRichRun& run : paragraph.FRuns) {
            runOf.insert(runOf.end(), run.FText.size(), &run);
        }
        const std::string text = paragraph.Text();
        for (std::size_t at = text.find(span); at != std::string::npos; at = text.find(span, at + 1)) {
            bool holds = true;
            for (std::size_t n = at; n < at + span.size() && holds; ++n) {
                for (const auto& [name, value] : check.items()) {
                    holds =
                        holds && (name == "span" || text[n] == ' ' || HasProperty(document, *runOf[n], name, value));
                }
            }
            if (holds) {
                return true;
            }
        }
    }
    return false;
}

void ExpectCheck(const TRichDocument& document, const json& check)
{
    const auto& paragraphs = document.FParagraphs;
    if (check.contains("paragraph_count")) {
        EXPECT_EQ(paragraphs.size(), check["paragraph_count"].get<std::size_t>());
    } else if (check.contains("paragraph")) {
        const std::size_t index = check["paragraph"];
        ASSERT_LT(index, paragraphs.size());
        const TRichParagraph& paragraph = paragraphs[index];
        const std::string text = paragraph.Text();
        static const std::map<std::string, TAlignment> alignments = {{"left", TAlignment::Left},
                                                                     {"center", TAlignment::Center},
                                                                     {"right", TAlignment::Right},
                                                                     {"justify", TAlignment::Justify}};
        EXPECT_EQ(text, check.value("text", text));
        EXPECT_EQ(paragraph.FAlignment, alignments.at(check.value("align", "left"))) << check.dump();
        const auto breaks = std::ranges::count(text, '\n');
        EXPECT_EQ(breaks, check.value("line_breaks", breaks));
        EXPECT_TRUE(!check.value("not_list", false) || paragraph.FList == TListKind::None);
    } else if (check.contains("span")) {
        EXPECT_TRUE(SpanHolds(document, check)) << check.dump();
    } else if (check.contains("link_text")) {
        json span = {{"span", check["link_text"]}, {"link", check["url"]}};
        EXPECT_TRUE(SpanHolds(document, span)) << check.dump();
    } else if (check.contains("list")) {
        const TListKind kind = check["list"] == "bullet" ? TListKind::Bullet : TListKind::Decimal;
        std::vector<std::string> items;
        for (const TRichParagraph& paragraph : paragraphs) {
            if (paragraph.FList == kind) {
                items.push_back(paragraph.Text());
            }
        }
        EXPECT_EQ(items, check["texts"].get<std::vector<std::string>>());
    } else if (check.contains("item")) {
        const std::vector<std::string> labels = LayOutLists(document).FLabels;
        const auto item = std::ranges::find(paragraphs, check["item"].get<std::string>(), &TRichParagraph::Text);
        ASSERT_NE(item, paragraphs.end()) << check.dump();
        EXPECT_EQ(labels[static_cast<std::size_t>(item - paragraphs.begin())], check["label"]);
    } else {
        ADD_FAILURE() << "unknown check " << check.dump();
    }
}

class RtfFixture : public ::testing::TestWithParam<std::string>
{
};

} // namespace

TEST_P(RtfFixture, ReadsTheTextAndLookTheSidecarNames)
{
    const std::filesystem::path base = std::filesystem::path(SEALVANE_RTF_FIXTURES) / GetParam();
    const std::string rtf = ReadWholeFile(base.string() + ".rtf");
    const json sidecar = json::parse(ReadWholeFile(base.string() + ".json"));
    ASSERT_TRUE(IsRichMemo(rtf));

    const TRichDocument document = ReadRtf(rtf);
    EXPECT_EQ(PlainText(document, false), sidecar["text"].get<std::string>());
    for (const json& check : sidecar["checks"]) {
        SCOPED_TRACE(check.dump());
        ExpectCheck(document, check);
    }
}

INSTANTIATE_TEST_SUITE_P(WordProcessor, RtfFixture, ::testing::ValuesIn(FixtureNames()),
                         [](const auto& info) { return info.param; });
