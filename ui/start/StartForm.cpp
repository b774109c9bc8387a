#include "StartForm.h"

#include "AboutForm.h"
#include "ui/widgets/Artwork.h"
#include "ui/widgets/ClickableLabel.h"
#include "ui/widgets/Fonts.h"
#include "ui/widgets/LanguageSwitch.h"
#include "ui/services/OpenWithShell.h"
#include "ui/services/QtUserInterface.h"
#include "ui/services/StayOnTop.h"
#include "ui/widgets/UiText.h"
#include "app/AppCommands.h"
#include "app/TemporaryFiles.h"
#include "dragdrop/DropZone.h"
#include "language/LangWatchable.h"
#include "language/Messages.h"
#include "settings/InstallRecord.h"
#include "settings/Settings.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QToolButton>

#include "ui/widgets/Placement.h"

namespace {

constexpr int ButtonRowHeight = 64;
constexpr int StripHeight = 19;
constexpr int StayOnTopWidth = 140;
constexpr int FlagAreaWidth = 23;
constexpr int LogoWidth = 80;
constexpr int InitialButtonWidth = 81;
constexpr int StatusIntervalMs = 1000;
constexpr int TrayClickIntervalMs = 500;
const QColor WindowColour(255, 224, 0);

// Busy cursor for the length of a scope.
class TBusyCursor : public IBusyIndicator::TGuard
{
public:
    TBusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TBusyCursor() override { QApplication::restoreOverrideCursor(); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
};

QToolButton* MakePictureButton(QWidget* parent, const QString& name, const QString& icon)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIcon(Artwork::Icon(icon));
    button->setIconSize(QSize(24, 24));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    button->setFont(Fonts::Sans(12));
    return button;
}

} // namespace

TStartForm::TStartForm(TSettings& settings, TTemporaryFiles& temporaryFiles, IAppCommands& commands, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      FSettings(settings), FTemporaryFiles(temporaryFiles), FCommands(commands),
      FOwnUserInterface(std::make_unique<TQtUserInterface>(this, settings)), FUserInterface(FOwnUserInterface.get())
{
    setObjectName(QStringLiteral("obj_Form"));
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowIcon(Artwork::Icon(QStringLiteral("app-icon")));
    setAutoFillBackground(true);
    QPalette yellow = palette();
    yellow.setColor(QPalette::Window, WindowColour);
    yellow.setColor(QPalette::Button, WindowColour);
    setPalette(yellow);

    BuildControls();
    BuildMenu();
    BuildTrayIcon();

    FStatusTimer.setInterval(StatusIntervalMs);
    connect(&FStatusTimer, &QTimer::timeout, this, &TStartForm::RefreshStatus);
    FStatusTimer.start();
    FTrayClickTimer.setSingleShot(true);
    FTrayClickTimer.setInterval(TrayClickIntervalMs);
    connect(&FTrayClickTimer, &QTimer::timeout, this, &TStartForm::OnTrayClickTimer);

    // The stored language relabels this window and any other already open.
    SwitchToStoredLanguage(FSettings, FWatcher);
    setFixedSize(ClientWidth, ClientHeight);
    PlaceWindow();
    ApplyStayOnTop(FSettings.fStart_StayOnTop);
    FCloseForReal = !FSettings.fStart_TrayMode;
    FTrayClickCount = 0;
    const QString folder = QString::fromStdString(FSettings.DefaultCurrentDirectory).trimmed();
    if (!folder.isEmpty()) {
        QDir::setCurrent(folder);
    }
    RefreshStatus();
}

TStartForm::~TStartForm() = default;

void TStartForm::BuildControls()
{
    FNewButton = MakePictureButton(this, QStringLiteral("NewButton"), QStringLiteral("icon-new"));
    FOutlookButton = MakePictureButton(this, QStringLiteral("OutlookButton"), QStringLiteral("icon-mail-import"));
    FLoadButton = MakePictureButton(this, QStringLiteral("LoadButton"), QStringLiteral("icon-open"));
    for (QToolButton* button : {FNewButton, FOutlookButton, FLoadButton}) {
        button->setGeometry(0, 0, InitialButtonWidth, ButtonRowHeight);
    }
    FOutlookButton->move(InitialButtonWidth, 0);
    FLoadButton->move(2 * InitialButtonWidth, 0);
    connect(FNewButton, &QToolButton::clicked, this, [this] {
        if (!FCommands.IsMailDialogOpen()) {
            FCommands.NewContainer();
        }
    });
    connect(FOutlookButton, &QToolButton::clicked, this, [this] {
        if (FCommands.IsMailDialogOpen()) {
            return;
        }
        if (FCommands.IsOutlookRunning()) {
            FCommands.OpenOutlookContainer(true);
        } else {
            FUserInterface->ShowInfoBox(MsgText(msg::Information), MsgText(msg::CannotDetectOutlook));
        }
    });
    connect(FLoadButton, &QToolButton::clicked, this, [this] {
        if (!FCommands.IsMailDialogOpen()) {
            FCommands.OpenContainerFile(nullptr, {});
        }
    });

    const int dropTop = ButtonRowHeight;
    const int dropHeight = ClientHeight - ButtonRowHeight - StripHeight;
    FDropZone = new QLabel(this);
    FDropZone->setObjectName(QStringLiteral("DropZone"));
    FDropZone->installEventFilter(this);
    FDropZone->setGeometry(0, dropTop, ClientWidth, dropHeight);
    (new TDropZone(FCommands, nullptr, FSettings, FTemporaryFiles, this))->Watch(*FDropZone);
    auto* picture = new QLabel(FDropZone);
    picture->setObjectName(QStringLiteral("MailBox"));
    picture->setPixmap(Artwork::Picture(QStringLiteral("dropzone"), QSize(40, 24)));
    picture->setGeometry(7, 5, 40, 24);
    picture->setAttribute(Qt::WA_TransparentForMouseEvents);
    FDropText = new QLabel(FDropZone);
    FDropText->setObjectName(QStringLiteral("DropText"));
    FDropText->setFont(Fonts::Sans(11));
    FDropText->setWordWrap(true);
    FDropText->setGeometry(54, 0, ClientWidth - 58, dropHeight);
    FDropText->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
    FDropText->setAttribute(Qt::WA_TransparentForMouseEvents);

    const int stripTop = ClientHeight - StripHeight;
    FStayOnTop = new QCheckBox(this);
    FStayOnTop->setObjectName(QStringLiteral("StayOnTop"));
    FStayOnTop->setFont(Fonts::Sans(11));
    FStayOnTop->setGeometry(2, stripTop, StayOnTopWidth, StripHeight);
    connect(FStayOnTop, &QCheckBox::clicked, this, [this](bool checked) {
        FStayOnTopAction->setChecked(checked);
        ApplyStayOnTop(checked);
    });
    FFlag = new TClickableLabel(this);
    FFlag->setObjectName(QStringLiteral("LanguageFlag"));
    FFlag->setGeometry(ClientWidth - LogoWidth - FlagAreaWidth + 7, stripTop + 3, 16, 11);
    connect(FFlag, &TClickableLabel::clicked, this, [this] { SwitchToNextLanguage(FSettings); });
    FLogo = new TClickableLabel(this);
    FLogo->setObjectName(QStringLiteral("Logo"));
    FLogo->setGeometry(ClientWidth - LogoWidth, stripTop, LogoWidth, StripHeight);
    FLogo->setPixmap(Artwork::Picture(QStringLiteral("logo-mini"), QSize(LogoWidth - 4, StripHeight - 2)));
    FLogo->setAlignment(Qt::AlignCenter);
    connect(FLogo, &TClickableLabel::clicked, this, [this] {
        if (!FCommands.IsMailDialogOpen()) {
            ShowAbout(this, FSettings);
        }
    });
}

void TStartForm::BuildMenu()
{
    FMenu = new QMenu(this);
    FMenu->setObjectName(QStringLiteral("PopupMenu"));
    const auto add = [this](const char* name, auto handler) {
        QAction* action = FMenu->addAction(QString());
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    FOpenAction = add("OpenAction", [this] { RestoreFromTray(); });
    FNewAction = add("NewAction", [this] {
        if (!FCommands.IsMailDialogOpen()) {
            FCommands.NewContainer();
        }
    });
    FOutlookAction = add("OutlookAction", [this] {
        if (!FCommands.IsMailDialogOpen()) {
            FCommands.OpenOutlookContainer(true);
        }
    });
    FLoadAction = add("LoadAction", [this] {
        if (!FCommands.IsMailDialogOpen()) {
            FCommands.OpenContainerFile(nullptr, {});
        }
    });
    FMenu->addSeparator();
    FUpdateAction = add("UpdateAction", [this] { ShowUpdate(); });
    FAboutAction = add("AboutAction", [this] {
        if (!FCommands.IsMailDialogOpen()) {
            ShowAbout(this, FSettings);
        }
    });
    FMenu->addSeparator();
    FStayOnTopAction = add("StayOnTopAction", [this] {
        FStayOnTop->setChecked(FStayOnTopAction->isChecked());
        ApplyStayOnTop(FStayOnTop->isChecked());
    });
    FStayOnTopAction->setCheckable(true);
    FStayOnTopAction->setChecked(true);
    FWipeAction = add("WipeAction", [this] { FCommands.WipeFiles(); });
    FOptionsAction = add("OptionsAction", [this] {
        if (!FCommands.IsMailDialogOpen()) {
            FCommands.ShowOptions();
        }
    });
    FMenu->addSeparator();
    FLanguageMenu = FMenu->addMenu(QString());
    FLanguageMenu->setObjectName(QStringLiteral("LanguageMenu"));
    FLanguageAction = FLanguageMenu->menuAction();
    AddLanguageItems(*FLanguageMenu, FLanguageActions);
    FMenu->addSeparator();
    FCloseAction = add("CloseAction", [this] { CloseForReal(); });
    FMenu->setDefaultAction(FNewAction);
}

void TStartForm::BuildTrayIcon()
{
    FTrayIcon = new QSystemTrayIcon(Artwork::Icon(QStringLiteral("app-icon")), this);
    FTrayIcon->setObjectName(QStringLiteral("TrayIcon"));
    FTrayIcon->setContextMenu(FMenu);
    connect(FTrayIcon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick) {
            CountTrayClick();
        }
    });
}

void TStartForm::Relabel()
{
    setWindowTitle(UiText(msg::Sealvane));
    FNewButton->setText(UiText(msg::NewEllipsis));
    FNewButton->setToolTip(UiText(msg::CreateNewContainer));
    FOutlookButton->setText(UiText(msg::OutlookEllipsis));
    FOutlookButton->setToolTip(UiText(msg::LoadFromOutlookHint));
    FLoadButton->setText(UiText(msg::LoadEllipsis));
    FLoadButton->setToolTip(UiText(msg::LoadFromFileHint));
    FDropZone->setToolTip(UiText(msg::DropFilesTextOrContainer));
    FDropText->setText(UiText(msg::DropFilesTextOrContainer));
    FStayOnTop->setText(UiText(msg::StayOnTop));
    FFlag->setToolTip(UiText(msg::ClickFlagToChangeLanguage));
    FFlag->setPixmap(Artwork::Flag(LanguageHolder().Language()));

    FOpenAction->setText(UiText(msg::Open));
    FNewAction->setText(UiText(msg::NewEllipsis));
    FOutlookAction->setText(UiText(msg::OpenFromOutlook));
    FLoadAction->setText(UiText(msg::LoadFromFile));
    FUpdateAction->setText(UiText(msg::UpdateEllipsis));
    FAboutAction->setText(UiText(msg::About));
    FStayOnTopAction->setText(UiText(msg::StayOnTop));
    FWipeAction->setText(UiText(msg::WipeFiles));
    FOptionsAction->setText(UiText(msg::OptionsEllipsis));
    FLanguageAction->setText(UiText(msg::Language));
    // Each language by its own name, whatever the current language.
    for (int language = 0; language < LanguageCount; ++language) {
        FLanguageActions[language]->setText(QString::fromUtf8(msg::OwnLanguageName.Text[language]));
        FLanguageActions[language]->setChecked(language == LanguageHolder().Language());
    }
    FCloseAction->setText(UiText(msg::Close));
    FTrayIcon->setToolTip(UiText(msg::Sealvane));
    FSettings.ActiveLanguage = LanguageHolder().Language();
}

QPoint TStartForm::DefaultPosition(QRect workArea, QSize screen, QSize window)
{
    QPoint corner(workArea.x() + workArea.width() - window.width(), workArea.y() + workArea.height() - window.height());
    corner -= QPoint(screen.width() / 100 * 5, screen.height() / 100 * 5);
    return ClampedToScreen(corner, window, screen);
}

void TStartForm::PlaceWindow()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    const QSize window = frameGeometry().size().expandedTo(size());
    if (FSettings.fStart_UserPositioning) {
        move(ClampedToScreen(QPoint(FSettings.fStart_Left, FSettings.fStart_Top), window, screen->size()));
    } else {
        move(DefaultPosition(screen->availableGeometry(), screen->size(), window));
    }
}

void TStartForm::ApplyStayOnTop(bool onTop)
{
    TBusyCursor busy;
    FStayOnTop->setChecked(onTop);
    FStayOnTopAction->setChecked(onTop);
    FSettings.fStart_StayOnTop = onTop;
    SetWindowStaysOnTop(*this, onTop);
}

void TStartForm::SetTemporarilyNotOnTop(bool notOnTop)
{
    SetWindowStaysOnTop(*this, !notOnTop && FSettings.fStart_StayOnTop);
}

void TStartForm::LayOutButtons(bool outlookVisible)
{
    const int parts = outlookVisible ? 3 : 2;
    const int width = ClientWidth / parts;
    FNewButton->setGeometry(0, 0, width, ButtonRowHeight);
    if (outlookVisible) {
        FOutlookButton->setGeometry(width, 0, width, ButtonRowHeight);
    }
    FLoadButton->setGeometry(width * (parts - 1), 0, width, ButtonRowHeight);
    FOutlookButton->setVisible(outlookVisible);
    FOutlookAction->setEnabled(outlookVisible);
}

void TStartForm::RefreshStatus()
{
    FMenu->setDefaultAction(FNewAction);
    const bool outlook = FCommands.IsOutlookRunning();
    if (outlook != FOutlookButton->isVisibleTo(this) || FNewButton->width() != ClientWidth / (outlook ? 3 : 2)) {
        LayOutButtons(outlook);
    }
    FUpdateAction->setEnabled(IsInstalled());
    FOpenAction->setEnabled(FHiddenInTray);
}

void TStartForm::CountTrayClick()
{
    ++FTrayClickCount;
    FTrayClickTimer.start();
}

void TStartForm::OnTrayClickTimer()
{
    FTrayClickTimer.stop();
    const int clicks = FTrayClickCount;
    FTrayClickCount = 0;
    if (clicks >= 2) {
        if (FCommands.IsOutlookRunning()) {
            FCommands.OpenOutlookContainer(true);
        } else {
            FCommands.OpenContainerFile(nullptr, {});
        }
    } else if (clicks == 1) {
        FCommands.NewContainer();
    }
}

std::unique_ptr<IBusyIndicator::TGuard> TStartForm::BusyCursor()
{
    return std::make_unique<TBusyCursor>();
}

void TStartForm::SetUserInterface(IUserInterface* userInterface)
{
    FUserInterface = userInterface != nullptr ? userInterface : FOwnUserInterface.get();
}

void TStartForm::HideInTray()
{
    if (FHiddenInTray) {
        return;
    }
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        FTrayIcon->show();
        hide();
        FHiddenInTray = true;
    } else {
        // Without a tray the program must stay reachable: minimised, not hidden.
        showMinimized();
    }
    FOpenAction->setEnabled(FHiddenInTray);
}

void TStartForm::RestoreFromTray()
{
    FHiddenInTray = false;
    FOpenAction->setEnabled(false);
    showNormal();
    raise();
    activateWindow();
}

void TStartForm::CloseForReal()
{
    FCloseForReal = true;
    close();
}

bool TStartForm::eventFilter(QObject* watched, QEvent* event)
{
    // A double-click on the drop zone opens the product's home page.
    if (watched == FDropZone && event->type() == QEvent::MouseButtonDblClick) {
        OpenWithShell(UiText(msg::UrlHome), *FUserInterface);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TStartForm::contextMenuEvent(QContextMenuEvent* event)
{
    FMenu->popup(event->globalPos());
}

void TStartForm::ShowUpdate()
{
    if (FCommands.IsMailDialogOpen()) {
        return;
    }
    if (!IsInstalled()) {
        FUserInterface->ShowInfoBox(MsgText(msg::Information), MsgText(msg::ProgramFileNotFound));
    } else if (FCommands.OpenContainerWindowCount() > 0) {
        FUserInterface->ShowInfoBox(MsgText(msg::Information), MsgText(msg::CloseContainersToUpdate));
    } else {
        OpenWithShell(UiText(msg::UrlUpdate), *FUserInterface);
    }
}

void TStartForm::closeEvent(QCloseEvent* event)
{
    if (RunClosingSequence()) {
        event->accept();
        emit programEnding();
    } else {
        event->ignore();
    }
}

bool TStartForm::RunClosingSequence()
{
    if (FSettings.fStart_UserPositioning && isVisible() && !FHiddenInTray) {
        FSettings.fStart_Left = x();
        FSettings.fStart_Top = y();
        FSettings.Save(true);
    }
    if (!FCloseForReal && FSettings.fStart_TrayMode) {
        HideInTray();
        return false;
    }
    if (!FProgramEnd.MayEnd()) {
        FCloseForReal = !FSettings.fStart_TrayMode;
        return false;
    }
    return true;
}
