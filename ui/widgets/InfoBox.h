#pragma once

#include "FormWatcher.h"

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;
class TSettings;

// The program's own message box: a caption, a text and one OK button, sized to the text in steps
// of 30 characters per line. Its button follows the language while it is open.
class TInfoBox : public QDialog
{
    Q_OBJECT

public:
    TInfoBox(const QString& caption, const QString& text, TSettings& settings, QWidget* parent = nullptr);

    void Relabel();

    // The client size the text asks for: 30 characters per line, as many lines as the text has
    // full 30-character runs (at least one); a shorter text gives one line of its own length;
    // 8 pixels and the button's height more. The box grows beyond it where the font needs room.
    static QSize ClientSizeFor(int characters, int characterWidth, int lineHeight, int buttonHeight);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // The OK button: as its caption asks, at least 75 pixels wide.
    QSize ButtonSize() const;
    void LayOut();

    TSettings& FSettings;
    QLabel* FLabel;
    QPushButton* FOkButton;
    TFormWatcher<TInfoBox> FWatcher{*this};
};

// Shows the message box modally and returns when it was closed.
void ShowInfoBox(const QString& caption, const QString& text, TSettings& settings, QWidget* parent = nullptr);
