#pragma once

#include "ui/widgets/FormWatcher.h"
#include "app/ProgramEnd.h"
#include "app/SecondStart.h"
#include "app/StartWindow.h"

#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>

#include <memory>

class IAppCommands;
class IUserInterface;
class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QToolButton;
class TClickableLabel;
class TSettings;
class TTemporaryFiles;

// The program's main window: a small yellow launcher with New / Outlook / Load buttons, a drop
// zone, "Stay on top", the language flag and the logo. It owns the tray icon and its menu (also
// the window's context menu) and decides whether closing hides the program in the tray or ends
// it; the closing sequence of the whole program and what a second start hands over go to the
// application's units.
class TStartForm : public QWidget, public IStartWindow
{
    Q_OBJECT

public:
    static constexpr int ClientWidth = 245;
    static constexpr int ClientHeight = 112;

    TStartForm(TSettings& settings, TTemporaryFiles& temporaryFiles, IAppCommands& commands, QWidget* parent = nullptr);
    ~TStartForm() override;

    void Relabel();

    // Hides the program in the tray, or minimises it where the desktop has no tray.
    void HideInTray();
    void RestoreFromTray() override;
    // While the mail program's window is open, no window of ours stays on top of it.
    void SetTemporarilyNotOnTop(bool notOnTop);
    bool IsHiddenInTray() const { return FHiddenInTray; }

    // A second start's command line and this start's files (see TSecondStart).
    void HandleForwardedText(const QString& text) { FSecondStart.HandleForwardedText(text); }
    void OpenCommandLineFiles(const QStringList& arguments) { FSecondStart.OpenCommandLineFiles(arguments); }

    // The command that runs when the tray-click timer decides (for tests and the tray icon).
    void CountTrayClick();

    // The questions of the closing sequence go through this window's interface; tests replace it.
    void SetUserInterface(IUserInterface* userInterface);
    IUserInterface& UserInterface() override { return *FUserInterface; }
    std::unique_ptr<IBusyIndicator::TGuard> BusyCursor() override;

    // Where the window goes when the user never placed it: the bottom-right corner of the work
    // area, moved in by 5 % of the screen, kept on the screen.
    static QPoint DefaultPosition(QRect workArea, QSize screen, QSize window);

    // Closing requested by the menu's "Close": the program ends instead of hiding in the tray.
    void CloseForReal() override;
    // The status timer's work, every second: the buttons as Outlook is there or not, the menu
    // items that depend on the installation and on the window being hidden.
    void RefreshStatus();

signals:
    // The closing sequence ran to its end: the program ends.
    void programEnding();

protected:
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void BuildMenu();
    void BuildTrayIcon();
    void PlaceWindow();
    void ApplyStayOnTop(bool onTop);
    void OnTrayClickTimer();
    void ShowUpdate();
    void LayOutButtons(bool outlookVisible);
    bool RunClosingSequence();

    TSettings& FSettings;
    TTemporaryFiles& FTemporaryFiles;
    IAppCommands& FCommands;
    std::unique_ptr<IUserInterface> FOwnUserInterface;
    IUserInterface* FUserInterface;

    QToolButton* FNewButton;
    QToolButton* FOutlookButton;
    QToolButton* FLoadButton;
    QLabel* FDropZone;
    QLabel* FDropText;
    QCheckBox* FStayOnTop;
    TClickableLabel* FFlag;
    TClickableLabel* FLogo;

    QMenu* FMenu;
    QMenu* FLanguageMenu;
    QAction* FOpenAction;
    QAction* FNewAction;
    QAction* FOutlookAction;
    QAction* FLoadAction;
    QAction* FUpdateAction;
    QAction* FAboutAction;
    QAction* FStayOnTopAction;
    QAction* FWipeAction;
    QAction* FOptionsAction;
    QAction* FLanguageAction;
    QAction* FLanguageActions[LanguageCount];
    QAction* FCloseAction;
    QSystemTrayIcon* FTrayIcon;

    QTimer FStatusTimer;
    QTimer FTrayClickTimer;

    bool FCloseForReal = true;
    bool FHiddenInTray = false;
    int FTrayClickCount = 0;
    TProgramEnd FProgramEnd{FSettings, FTemporaryFiles, FCommands, *this};
    TSecondStart FSecondStart{FSettings, FCommands, *this};
    TFormWatcher<TStartForm> FWatcher{*this};
};
