#include "RichTextMapping.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <algorithm>
#include <array>
#include <map>
#include <tuple>
#include <unordered_map>

namespace RichTextMapping {

namespace {

QTextCharFormat CharFormat(const TRichRun& run, const TRichDocument& document)
{
    QTextCharFormat format;
    format.setFontWeight(run.FBold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(run.FItalic);
    format.setFontUnderline(run.FUnderline);
    format.setFontStrikeOut(run.FStrikeout);
    if (run.FLink) {
        format.setAnchor(true);
        format.setAnchorHref(QString::fromStdString(document.FLinks.At(*run.FLink)));
    }
    if (run.FColour) {
        format.setForeground(QColor(run.FColour->FRed, run.FColour->FGreen, run.FColour->FBlue));
    }
    if (run.FFont) {
        format.setFontFamilies(QStringList{QString::fromStdString(document.FFonts.At(*run.FFont))});
    }
    if (run.FSizePoints) {
        format.setFontPointSize(*run.FSizePoints);
    }
    return format;
}

// Inserts the runs of a document with one character format for each look. A format is made once
// and then taken back from the text document, which has worked out its hash: Qt converts, hashes
// and compares a long link target or font name once, not once a run.
class TRunInserter
{
public:
    explicit TRunInserter(const TRichDocument& document) : FDocument(document) {}

    void Insert(QTextCursor& cursor, const TRichRun& run)
    {
        QString text = QString::fromStdString(run.FText);
        text.replace(u'\n', QChar::LineSeparator);
        const TLook look{run.FBold, run.FItalic, run.FUnderline, run.FStrikeout,
                         run.FLink, run.FColour, run.FFont,      run.FSizePoints};
        if (const auto format = FFormats.find(look); format != FFormats.end()) {
            cursor.insertText(text, format->second);
            return;
        }
        cursor.insertText(text, CharFormat(run, FDocument));
        if (!text.isEmpty()) {
            FFormats.emplace(look, cursor.charFormat());
        }
    }

private:
    using TIndex = std::optional<TStringTable::TIndex>;
    using TLook = std::tuple<bool, bool, bool, bool, TIndex, std::optional<TRgb>, TIndex, std::optional<double>>;

    const TRichDocument& FDocument;
    std::map<TLook, QTextCharFormat> FFormats;
};

// The look of a character format as a run without text; its link target and font name go into the
// model's tables.
TRichRun Look(const QTextCharFormat& format, TRichDocument& model)
{
    TRichRun run;
    run.FBold = format.fontWeight() >= QFont::DemiBold;
    run.FItalic = format.fontItalic();
    run.FUnderline = format.fontUnderline();
    run.FStrikeout = format.fontStrikeOut();
    if (format.isAnchor() && !format.anchorHref().isEmpty()) {
        run.FLink = model.FLinks.Add(format.anchorHref().toStdString());
    }
    if (format.hasProperty(QTextFormat::ForegroundBrush) && format.foreground().style() != Qt::NoBrush) {
        const QColor colour = format.foreground().color();
        run.FColour = TRgb{static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
                           static_cast<std::uint8_t>(colour.blue())};
    }
    const QStringList families = format.fontFamilies().toStringList();
    if (!families.isEmpty() && !families.first().isEmpty()) {
        run.FFont = model.FFonts.Add(families.first().toStdString());
    }
    if (format.hasProperty(QTextFormat::FontPointSize)) {
        run.FSizePoints = format.fontPointSize();
    }
    return run;
}

Qt::Alignment QtAlignment(TAlignment alignment)
{
    switch (alignment) {
    case TAlignment::Center:
        return Qt::AlignHCenter;
    case TAlignment::Right:
        return Qt::AlignRight;
    case TAlignment::Justify:
        return Qt::AlignJustify;
    case TAlignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

TAlignment Alignment(Qt::Alignment alignment)
{
    if (alignment & Qt::AlignHCenter) {
        return TAlignment::Center;
    }
    if (alignment & Qt::AlignRight) {
        return TAlignment::Right;
    }
    return alignment & Qt::AlignJustify ? TAlignment::Justify : TAlignment::Left;
}

TListKind ListKind(const QTextList* list)
{
    if (list == nullptr) {
        return TListKind::None;
    }
    const QTextListFormat::Style style = list->format().style();
    const bool bullet = style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle ||
                        style == QTextListFormat::ListSquare;
    return bullet ? TListKind::Bullet : TListKind::Decimal;
}

} // namespace

void Fill(QTextDocument& target, const TRichDocument& document)
{
    target.clear();
    // One edit block: the document tells its layout about the change once, not at every insert,
    // and no undo steps are kept for a text that is being loaded.
    const bool undo = target.isUndoRedoEnabled();
    target.setUndoRedoEnabled(false);
    QTextCursor cursor(&target);
    cursor.beginEditBlock();
    // Qt keeps a list for each level, indented by its level plus one; a list paragraph joins the
    // list of its level while the layout's list goes on, and ends the lists below its level.
    const TListLayout layout = LayOutLists(document);
    std::array<QTextList*, MaxListLevel + 1> lists{};
    TRunInserter inserter(document);
    for (std::size_t n = 0; n < document.FParagraphs.size(); ++n) {
        const TRichParagraph& paragraph = document.FParagraphs[n];
        QTextBlockFormat blockFormat;
        blockFormat.setAlignment(QtAlignment(paragraph.FAlignment));
        if (n == 0) {
            cursor.setBlockFormat(blockFormat);
        } else {
            cursor.insertBlock(blockFormat, QTextCharFormat());
        }
        if (n > 0 && layout.FListOf[n] != layout.FListOf[n - 1]) {
            lists.fill(nullptr);
        }
        if (paragraph.FList != TListKind::None) {
            const auto level = static_cast<std::size_t>(std::clamp(paragraph.FListLevel, 0, MaxListLevel));
            std::fill(lists.begin() + static_cast<std::ptrdiff_t>(level) + 1, lists.end(), nullptr);
            if (lists[level] != nullptr) {
                lists[level]->add(cursor.block());
            } else {
                QTextListFormat listFormat;
                listFormat.setStyle(paragraph.FList == TListKind::Bullet ? QTextListFormat::ListDisc
                                                                         : QTextListFormat::ListDecimal);
                listFormat.setIndent(static_cast<int>(level) + 1);
                lists[level] = cursor.createList(listFormat);
            }
        }
        for (const TRichRun& run : paragraph.FRuns) {
            inserter.Insert(cursor, run);
        }
    }
    cursor.endEditBlock();
    target.setUndoRedoEnabled(undo);
}

TRichDocument FromTextDocument(const QTextDocument& document)
{
    TRichDocument model;
    if (document.isEmpty()) {
        return model;
    }
    // The look of each character format the fragments use, taken once: a long link target or font
    // name is converted once, not once a fragment.
    std::unordered_map<int, TRichRun> looks;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        TRichParagraph paragraph;
        paragraph.FAlignment = Alignment(block.blockFormat().alignment());
        paragraph.FList = ListKind(block.textList());
        if (paragraph.FList != TListKind::None) {
            paragraph.FListLevel = std::clamp(block.textList()->format().indent() - 1, 0, MaxListLevel);
        }
        for (auto iterator = block.begin(); !iterator.atEnd(); ++iterator) {
            const QTextFragment fragment = iterator.fragment();
            auto look = looks.find(fragment.charFormatIndex());
            if (look == looks.end()) {
                look = looks.emplace(fragment.charFormatIndex(), Look(fragment.charFormat(), model)).first;
            }
            TRichRun run = look->second;
            QString text = fragment.text();
            text.replace(QChar::LineSeparator, u'\n');
            text.remove(QChar::ObjectReplacementCharacter);
            run.FText = text.toStdString();
            paragraph.Append(std::move(run));
        }
        model.FParagraphs.push_back(std::move(paragraph));
    }
    return model;
}

} // namespace RichTextMapping
