#pragma once

#include <QFrame>

class TClickableLabel;
class TSettings;

// The yellow band at the bottom of the dialogs: the flag of the current language (a click
// switches to the next one and saves the choice) and the small product logo (a click opens the
// product's web page, or in a container window the About window).
class TDialogStrip : public QFrame
{
    Q_OBJECT

public:
    enum class TLogoClick
    {
        HomePage,
        About
    };

    TDialogStrip(TSettings& settings, QWidget* parent, TLogoClick logoClick = TLogoClick::HomePage);

    // Puts a control (a window's "Stay on top" box) at the strip's left end.
    void AddAtLeft(QWidget* widget);

    // The flag and its hint in the current language.
    void Relabel();

signals:
    // The user switched the language with the flag.
    void languageSwitched();

private:
    TSettings& FSettings;
    TLogoClick FLogoClick;
    TClickableLabel* FFlag;
    TClickableLabel* FLogo;
};
