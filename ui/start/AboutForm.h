#pragma once

#include "ui/widgets/FormWatcher.h"

#include <QDialog>

class QLabel;
class QPushButton;
class TDialogStrip;
class TEXEVersion;
class TSettings;

// Which version of the program runs, and on which computer.
class TAboutForm : public QDialog
{
    Q_OBJECT

public:
    TAboutForm(const TEXEVersion& version, TSettings& settings, QWidget* parent);

    void Relabel();

private:
    const TEXEVersion& FVersion;
    TSettings& FSettings;
    QLabel* FLogo;
    QLabel* FProgramVersion;
    QLabel* FBuildNumber;
    QLabel* FComputerName;
    QPushButton* FCloseButton;
    TDialogStrip* FStrip;
    TFormWatcher<TAboutForm> FWatcher{*this};
};

// Builds the window, runs it modally over the owner and destroys it.
void ShowAbout(QWidget* owner, TSettings& settings);
