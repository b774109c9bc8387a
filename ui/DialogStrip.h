#pragma once

#include <QFrame>

class TClickableLabel;
class TSettings;

// The yellow band at the bottom of the dialogs: the flag of the current language (a click
// switches to the next one and saves the choice) and the small product logo (a click opens the
// product's web page).
class TDialogStrip : public QFrame
{
    Q_OBJECT

public:
    TDialogStrip(TSettings& settings, QWidget* parent);

    // The flag and its hint in the current language.
    void Relabel();

signals:
    // The user switched the language with the flag.
    void languageSwitched();

private:
    TSettings& FSettings;
    TClickableLabel* FFlag;
    TClickableLabel* FLogo;
};
