#include "dragdrop/RichTextMapping.h"

#include <QGuiApplication>
#include <QTextBlock>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

TRichRun Run(std::string text, bool bold = false)
{
    TRichRun run;
    run.FText = std::move(text);
    run.FBold = bold;
    return run;
}

TRichDocument Looks()
{
    TRichDocument document;
    TRichRun all = Run("all", true);
    all.FLink = document.FLinks.Add("https://example.org/?a=1&b=2#top");
    all.FItalic = all.FUnderline = all.FStrikeout = true;
    all.FColour = TRgb{0, 112, 192};
    all.FFont = document.FFonts.Add("DejaVu Sans Mono");
    all.FSizePoints = 10.5;
    TRichRun black = Run("black\tand line\nbreak ☺ 😀");
    black.FColour = TRgb{};
    document.FParagraphs = {{TAlignment::Left, TListKind::None, {Run("plain "), all, Run(" bold", true), black}}};
    return document;
}

TRichDocument ListsAndAlignment()
{
    TRichDocument document;
    document.FParagraphs = {{TAlignment::Center, TListKind::None, {Run("centred")}},
                            {TAlignment::Left, TListKind::Bullet, {Run("one")}},
                            {TAlignment::Right, TListKind::Bullet, {Run("two")}},
                            {TAlignment::Left, TListKind::Decimal, {Run("first")}},
                            {TAlignment::Justify, TListKind::Decimal, {}},
                            {TAlignment::Left, TListKind::None, {}},
                            {TAlignment::Left, TListKind::Decimal, {Run("new list")}}};
    return document;
}

// Bullets, numbers counted on after deeper items, and numbers started again below a new item.
TRichDocument NestedLists()
{
    TRichDocument document;
    const auto item = [](const char* text, TListKind list, int level) {
        return TRichParagraph{TAlignment::Left, list, {Run(text)}, level};
    };
    document.FParagraphs = {item("a", TListKind::Decimal, 0), item("b", TListKind::Bullet, 1),
                            item("c", TListKind::Decimal, 2), item("d", TListKind::Decimal, 2),
                            item("e", TListKind::Bullet, 1),  item("f", TListKind::Decimal, 0),
                            item("g", TListKind::Decimal, 2)};
    return document;
}

} // namespace

TEST(RichTextMapping, TextDocumentInQtsOwnFormatsGivesBackTheModel)
{
    for (const auto& [name, model] :
         {std::pair{"looks", Looks()}, {"lists and alignment", ListsAndAlignment()}, {"nested lists", NestedLists()}}) {
        QTextDocument document;
        RichTextMapping::Fill(document, model);
        EXPECT_EQ(RichTextMapping::FromTextDocument(document), model) << name;
    }
    EXPECT_TRUE(RichTextMapping::FromTextDocument(QTextDocument()).FParagraphs.empty())
        << "no paragraphs in an empty one";

    // In Qt's own formats, as the editor shows them.
    QTextDocument document;
    RichTextMapping::Fill(document, ListsAndAlignment());
    // Centred first; one disc list ("-") for consecutive bullets; the decimal list, broken by a plain
    // paragraph, starts anew.
    EXPECT_EQ(document.begin().blockFormat().alignment(), Qt::AlignHCenter);
    EXPECT_EQ(document.toMarkdown().toStdString(), "centred\n\n- one\n- two\n1.  first\n2.  \n\n1.  new list\n");
    RichTextMapping::Fill(document, NestedLists());
    EXPECT_EQ(document.toMarkdown().toStdString(),
              "1.  a\n  - b\n        1.  c\n        2.  d\n  - e\n2.  f\n        1.  g\n");
    RichTextMapping::Fill(document, Looks());
    const QTextFragment all = (++document.begin().begin()).fragment();
    EXPECT_EQ(all.text(), "all");
    EXPECT_EQ(all.charFormat().anchorHref(), "https://example.org/?a=1&b=2#top");
    EXPECT_EQ(all.charFormat().foreground().color(), QColor(0, 112, 192));
    EXPECT_EQ(all.charFormat().fontPointSize(), 10.5);
}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
