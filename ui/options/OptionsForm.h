#pragma once

#include "ui/widgets/FormWatcher.h"

#include <QDialog>

#include <functional>
#include <vector>

class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class TDialogStrip;
class TOptionsPage;
class TSettings;

// The options dialog: the settings on five pages ("General", "Window", "User", "MAPI",
// "Security"). "Save settings and close" copies every page back into the settings, writes them
// and reads them back; "Cancel" or closing the window changes nothing. A copy that is not
// installed keeps no settings: it shows instead what an installed copy adds and a button to
// download one.
class TOptionsForm : public QDialog
{
    Q_OBJECT

public:
    TOptionsForm(TSettings& settings, QWidget* parent);

    // Settings into the pages.
    void LoadOptions();
    // The pages into the settings, which are then written and read back; accepts the dialog.
    void SaveOptions();

    void Relabel();

    // The milliseconds a remembered password is kept: SaveLastPWDTime in units of 10 seconds.
    static int RememberPasswordMs(const TSettings& settings);

signals:
    // The settings were saved; the remembered password's timer restarts with this interval.
    void settingsSaved(int rememberPasswordMs);

private:
    void DownloadSetup();

    TSettings& FSettings;
    bool FInstalled;
    QTabWidget* FPages;
    std::vector<TOptionsPage*> FPageList;
    QPlainTextEdit* FNotInstalledText;
    QPushButton* FDownloadButton;
    QPushButton* FSaveButton;
    QPushButton* FCancelButton;
    TDialogStrip* FStrip;
    TFormWatcher<TOptionsForm> FWatcher{*this};
};

// Builds the dialog over the owner, fills it from the settings and runs it modally. True when the
// settings were saved; onSaved is called then with the remembered password's new interval.
bool ShowOptions(QWidget* owner, TSettings& settings, const std::function<void(int rememberPasswordMs)>& onSaved = {});
