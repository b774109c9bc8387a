#pragma once

#include <QTextCharFormat>
#include <QWidget>

#include <functional>

class QTextCursor;
class QTextEdit;
class QToolButton;

// The formatting buttons of the container window's text toolbar, in three groups: font and
// colour; bold, italic, underline, strikeout and hyperlink; alignment, bullets and numbering.
// Each acts on the editor's selection (or, without one, on what is typed next) and gives the
// keyboard focus back to the editor.
class TFormatBar : public QWidget
{
    Q_OBJECT

public:
    TFormatBar(QTextEdit& editor, QWidget* parent);

    void Relabel();

    // Bold, italic, underline, strikeout: set when some of the selection lacks the effect, else
    // cleared.
    void ToggleBold();
    void ToggleItalic();
    void ToggleUnderline();
    void ToggleStrikeout();
    // A link on the selection (the address asked for) when it has none, else the link removed.
    void ToggleHyperlink();
    // Bullets on the selected paragraphs, or off when they carry bullets.
    void ToggleBullets();
    // A numbered list when the paragraphs carry no list, else the list removed.
    void ToggleNumbering();
    void Align(Qt::Alignment alignment);
    void ChooseFont();
    void ChooseColour();
    // Whether a selected text reads as an address a link could point to.
    static bool LooksLikeAddress(const QString& text);

private:
    using TFormatTest = std::function<bool(const QTextCharFormat&)>;

    QToolButton* AddButton(QWidget* group, const char* name, const std::function<void()>& action);
    // True when every character of the selection passes the test; without a selection, the
    // format of what is typed next.
    bool SelectionHas(const TFormatTest& test) const;
    void Toggle(const TFormatTest& has, const std::function<void(QTextCharFormat&, bool)>& set);
    void SetLink(const QString& address);
    void ClearLink();
    void RemoveLists(QTextCursor cursor);

    QTextEdit& FEditor;
    QToolButton* FFont;
    QToolButton* FColour;
    QToolButton* FBold;
    QToolButton* FItalic;
    QToolButton* FUnderline;
    QToolButton* FStrikeout;
    QToolButton* FHyperlink;
    QToolButton* FAlignLeft;
    QToolButton* FAlignCenter;
    QToolButton* FAlignRight;
    QToolButton* FBullets;
    QToolButton* FNumbering;
};
