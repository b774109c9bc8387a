#include "FormatBar.h"

#include "ui/widgets/Artwork.h"
#include "ui/widgets/FontDialog.h"
#include "ui/widgets/Fonts.h"
#include "ui/widgets/UiText.h"
#include "language/Messages.h"

#include <QColorDialog>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QTextList>
#include <QToolButton>

#include <algorithm>
#include <vector>

namespace {

constexpr int ButtonSize = 25;

QWidget* MakeGroup(QWidget* parent, QHBoxLayout* bar, const char* name)
{
    auto* group = new QWidget(parent);
    group->setObjectName(QString::fromLatin1(name));
    auto* layout = new QHBoxLayout(group);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    bar->addWidget(group);
    return group;
}

} // namespace

TFormatBar::TFormatBar(QTextEdit& editor, QWidget* parent) : QWidget(parent), FEditor(editor)
{
    setObjectName(QStringLiteral("FormatBar"));
    auto* bar = new QHBoxLayout(this);
    bar->setContentsMargins(0, 0, 0, 0);
    bar->setSpacing(6);

    QWidget* fontGroup = MakeGroup(this, bar, "FontGroup");
    FFont = AddButton(fontGroup, "FontButton", [this] { ChooseFont(); });
    FColour = AddButton(fontGroup, "ColorButton", [this] { ChooseColour(); });
    FFont->setIcon(Artwork::Icon(QStringLiteral("icon-font")));
    FColour->setIcon(Artwork::Icon(QStringLiteral("icon-color")));

    QWidget* effectGroup = MakeGroup(this, bar, "EffectGroup");
    FBold = AddButton(effectGroup, "BoldButton", [this] { ToggleBold(); });
    FItalic = AddButton(effectGroup, "ItalicButton", [this] { ToggleItalic(); });
    FUnderline = AddButton(effectGroup, "UnderlineButton", [this] { ToggleUnderline(); });
    FStrikeout = AddButton(effectGroup, "StrikeoutButton", [this] { ToggleStrikeout(); });
    FHyperlink = AddButton(effectGroup, "HyperlinkButton", [this] { ToggleHyperlink(); });
    for (QToolButton* letter : {FBold, FItalic, FUnderline, FStrikeout, FHyperlink}) {
        QFont font = Fonts::Mono(13);
        font.setBold(true);
        letter->setFont(font);
    }

    QWidget* paragraphGroup = MakeGroup(this, bar, "ParagraphGroup");
    FAlignLeft = AddButton(paragraphGroup, "AlignLeftButton", [this] { Align(Qt::AlignLeft); });
    FAlignCenter = AddButton(paragraphGroup, "AlignCenterButton", [this] { Align(Qt::AlignHCenter); });
    FAlignRight = AddButton(paragraphGroup, "AlignRightButton", [this] { Align(Qt::AlignRight); });
    FBullets = AddButton(paragraphGroup, "BulletsButton", [this] { ToggleBullets(); });
    FNumbering = AddButton(paragraphGroup, "NumberingButton", [this] { ToggleNumbering(); });
    FAlignLeft->setIcon(Artwork::Icon(QStringLiteral("icon-align-left")));
    FAlignCenter->setIcon(Artwork::Icon(QStringLiteral("icon-align-center")));
    FAlignRight->setIcon(Artwork::Icon(QStringLiteral("icon-align-right")));
    FBullets->setIcon(Artwork::Icon(QStringLiteral("icon-bullets")));
    FNumbering->setIcon(Artwork::Icon(QStringLiteral("icon-numbering")));
    Relabel();
}

QToolButton* TFormatBar::AddButton(QWidget* group, const char* name, const std::function<void()>& action)
{
    auto* button = new QToolButton(group);
    button->setObjectName(QString::fromLatin1(name));
    button->setFixedSize(ButtonSize, ButtonSize);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    group->layout()->addWidget(button);
    connect(button, &QToolButton::clicked, this, [this, action] {
        action();
        FEditor.setFocus();
    });
    return button;
}

void TFormatBar::Relabel()
{
    const struct
    {
        QToolButton* FButton;
        const TMessage& FHint;
        const TMessage* FLetter;
    } buttons[] = {
        {FFont, msg::ChooseFont, nullptr},
        {FColour, msg::ChooseColor, nullptr},
        {FBold, msg::Bold, &msg::BoldLetter},
        {FItalic, msg::Italics, &msg::ItalicLetter},
        {FUnderline, msg::Underline, &msg::UnderlineLetter},
        {FStrikeout, msg::Strikeout, &msg::StrikeoutLetter},
        {FHyperlink, msg::Hyperlink, &msg::HyperlinkLetter},
        {FAlignLeft, msg::AlignLeft, nullptr},
        {FAlignCenter, msg::AlignCenter, nullptr},
        {FAlignRight, msg::AlignRight, nullptr},
        {FBullets, msg::FormatAsList, nullptr},
        {FNumbering, msg::Numbering, nullptr},
    };
    for (const auto& button : buttons) {
        button.FButton->setToolTip(UiText(button.FHint));
        button.FButton->setAccessibleName(UiText(button.FHint));
        if (button.FLetter != nullptr) {
            button.FButton->setText(UiText(*button.FLetter));
        }
    }
}

bool TFormatBar::SelectionHas(const TFormatTest& test) const
{
    const QTextCursor cursor = FEditor.textCursor();
    if (!cursor.hasSelection()) {
        return test(FEditor.currentCharFormat());
    }
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    for (QTextBlock block = FEditor.document()->findBlock(start); block.isValid() && block.position() < end;
         block = block.next()) {
        for (auto piece = block.begin(); !piece.atEnd(); ++piece) {
            const QTextFragment fragment = piece.fragment();
            const bool inside = fragment.position() < end && fragment.position() + fragment.length() > start;
            if (inside && !test(fragment.charFormat())) {
                return false;
            }
        }
    }
    return true;
}

void TFormatBar::Toggle(const TFormatTest& has, const std::function<void(QTextCharFormat&, bool)>& set)
{
    QTextCharFormat change;
    set(change, !SelectionHas(has));
    FEditor.mergeCurrentCharFormat(change);
}

void TFormatBar::ToggleBold()
{
    Toggle([](const QTextCharFormat& format) { return format.fontWeight() >= QFont::Bold; },
           [](QTextCharFormat& format, bool on) { format.setFontWeight(on ? QFont::Bold : QFont::Normal); });
}

void TFormatBar::ToggleItalic()
{
    Toggle([](const QTextCharFormat& format) { return format.fontItalic(); },
           [](QTextCharFormat& format, bool on) { format.setFontItalic(on); });
}

void TFormatBar::ToggleUnderline()
{
    Toggle([](const QTextCharFormat& format) { return format.fontUnderline(); },
           [](QTextCharFormat& format, bool on) { format.setFontUnderline(on); });
}

void TFormatBar::ToggleStrikeout()
{
    Toggle([](const QTextCharFormat& format) { return format.fontStrikeOut(); },
           [](QTextCharFormat& format, bool on) { format.setFontStrikeOut(on); });
}

bool TFormatBar::LooksLikeAddress(const QString& text)
{
    static const QRegularExpression address(QStringLiteral("^(https?://|mailto:|www\\.)\\S+$"),
                                            QRegularExpression::CaseInsensitiveOption);
    return address.match(text.trimmed()).hasMatch();
}

void TFormatBar::ToggleHyperlink()
{
    if (SelectionHas([](const QTextCharFormat& format) { return format.isAnchor(); })) {
        ClearLink();
        return;
    }
    const QString selected = FEditor.textCursor().selection().toPlainText().trimmed();
    bool confirmed = false;
    const QString address =
        QInputDialog::getText(&FEditor, UiText(msg::Hyperlink), UiText(msg::Hyperlink), QLineEdit::Normal,
                              LooksLikeAddress(selected) ? selected : QString(), &confirmed)
            .trimmed();
    if (confirmed && !address.isEmpty()) {
        SetLink(address);
    }
}

void TFormatBar::SetLink(const QString& address)
{
    QTextCharFormat link;
    link.setAnchor(true);
    link.setAnchorHref(address);
    link.setFontUnderline(true);
    link.setForeground(FEditor.palette().link());
    QTextCursor cursor = FEditor.textCursor();
    if (cursor.hasSelection()) {
        cursor.mergeCharFormat(link);
        return;
    }
    // Nothing selected: the address itself becomes the link's text; what is typed after it is
    // plain again.
    const QTextCharFormat plain = cursor.charFormat();
    cursor.insertText(address, link);
    cursor.setCharFormat(plain);
    FEditor.setTextCursor(cursor);
}

void TFormatBar::ClearLink()
{
    QTextCursor cursor = FEditor.textCursor();
    int start = cursor.selectionStart();
    int end = cursor.selectionEnd();
    // Collected first: changing a format splits and merges the fragments being walked.
    struct TLinkPiece
    {
        int FFrom;
        int FTo;
        QTextCharFormat FFormat;
    };
    std::vector<TLinkPiece> links;
    for (QTextBlock block = FEditor.document()->findBlock(start); block.isValid() && block.position() <= end;
         block = block.next()) {
        for (auto piece = block.begin(); !piece.atEnd(); ++piece) {
            const QTextFragment fragment = piece.fragment();
            const int fragmentEnd = fragment.position() + fragment.length();
            if (!fragment.charFormat().isAnchor()) {
                continue;
            }
            if (start == end && fragment.position() <= start && start <= fragmentEnd) {
                // Without a selection: the whole link the cursor stands in.
                start = fragment.position();
                end = fragmentEnd;
            }
            if (fragment.position() < end && fragmentEnd > start) {
                links.push_back(
                    {std::max(start, fragment.position()), std::min(end, fragmentEnd), fragment.charFormat()});
            }
        }
    }
    cursor.beginEditBlock();
    for (TLinkPiece& link : links) {
        QTextCursor part(FEditor.document());
        part.setPosition(link.FFrom);
        part.setPosition(link.FTo, QTextCursor::KeepAnchor);
        for (const int property : {QTextFormat::IsAnchor, QTextFormat::AnchorHref, QTextFormat::AnchorName,
                                   QTextFormat::ForegroundBrush, QTextFormat::TextUnderlineStyle}) {
            link.FFormat.clearProperty(property);
        }
        part.setCharFormat(link.FFormat);
    }
    cursor.endEditBlock();
    QTextCharFormat plain = FEditor.currentCharFormat();
    plain.setAnchor(false);
    plain.setAnchorHref(QString());
    FEditor.setCurrentCharFormat(plain);
}

void TFormatBar::RemoveLists(QTextCursor cursor)
{
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    cursor.beginEditBlock();
    for (QTextBlock block = FEditor.document()->findBlock(start); block.isValid() && block.position() <= end;
         block = block.next()) {
        if (QTextList* list = block.textList()) {
            list->remove(block);
            QTextBlockFormat format = block.blockFormat();
            format.setIndent(0);
            QTextCursor(block).setBlockFormat(format);
        }
    }
    cursor.endEditBlock();
}

void TFormatBar::ToggleBullets()
{
    QTextCursor cursor = FEditor.textCursor();
    const QTextList* list = cursor.currentList();
    if (list != nullptr && list->format().style() == QTextListFormat::ListDisc) {
        RemoveLists(cursor);
    } else {
        cursor.createList(QTextListFormat::ListDisc);
    }
}

void TFormatBar::ToggleNumbering()
{
    QTextCursor cursor = FEditor.textCursor();
    if (cursor.currentList() != nullptr) {
        RemoveLists(cursor);
    } else {
        cursor.createList(QTextListFormat::ListDecimal);
    }
}

void TFormatBar::Align(Qt::Alignment alignment)
{
    FEditor.setAlignment(alignment);
}

void TFormatBar::ChooseFont()
{
    QFont font = FEditor.currentFont();
    if (ExecuteFontDialog(&FEditor, font)) {
        QTextCharFormat change;
        change.setFont(font);
        FEditor.mergeCurrentCharFormat(change);
    }
}

void TFormatBar::ChooseColour()
{
    const QColor colour = QColorDialog::getColor(FEditor.textColor(), &FEditor, UiText(msg::ChooseColor));
    if (colour.isValid()) {
        FEditor.setTextColor(colour);
    }
}
