#pragma once

#include "CommandAvailability.h"
#include "ui/widgets/FormWatcher.h"
#include "app/ContainerWindow.h"

#include <QMainWindow>
#include <QTimer>

#include <memory>

class IAppCommands;
class IContainerCommands;
class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QMenu;
class QStackedWidget;
class QToolButton;
class TAttachmentModel;
class TAttachmentView;
class TDialogStrip;
class TExtraString;
class TFormatBar;
class TMemoEdit;
class TSession;
class TSettings;
struct TMessage;
struct TWindowCommand;

// A container window: the sender address, the text (an editor, or a read-only view for a
// container that cannot be written) with its formatting buttons, the attachment list in large
// symbols or details, the container's commands, "Stay on top", the language flag and the logo.
// The commands go to the container operations; the window keeps its commands enabled, shown or
// hidden by what the container holds and whether it is composed here or was received.
class TContainerForm : public QMainWindow, public IContainerWindow
{
    Q_OBJECT

public:
    static constexpr int DefaultWidth = 603;
    static constexpr int DefaultHeight = 497;
    static constexpr int MinimumWidth = 413;
    static constexpr int MinimumHeight = 504;

    // Builds the window invisible and without a container, and appends it to the session's list.
    TContainerForm(TSettings& settings, TSession& session, IContainerCommands& commands, IAppCommands& appCommands,
                   QWidget* parent = nullptr);
    ~TContainerForm() override;

    void Relabel();

    // Compose mode: a container composed here, or one of this user's own with extra value 0.
    // Otherwise the window is in reply mode.
    bool ComposeMode() const;
    // A click on a column header of the detail view: the first click on a column sorts
    // ascending, a click on the column last sorted ascending sorts descending.
    void SortByColumn(int column);
    void ShowLargeSymbols();
    void ShowDetailView();
    void SetStayOnTop(bool onTop);
    // Replaces the window's own dialogs (tests give scripted ones); null restores them.
    void SetDialogs(IDialogs* dialogs);

    // IContainerWindow
    std::string Title() const override;
    void LoadContent() override;
    void RefreshCommandState() override;
    void BringToFront() override;
    void HideWindow() override;
    void SetTemporarilyNotOnTop(bool notOnTop) override;
    void RequestClose() override;
    std::string EditorText(bool rich) const override;
    void SetEditorText(const std::string& text, bool rich) override;
    bool TextChanged() const override;
    bool EditorEmpty() const override;
    void ApplyDefaultFont() override;
    void FocusEditor() override;
    std::string ReplyAddress() const override;
    void SetReplyAddress(const std::string& address) override;
    std::vector<int> SelectedAttachmentRows() const override;
    void StoreGeometry() override;
    IDialogs& Dialogs() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // The commands' own actions reach into the window.
    friend struct TContainerCommandTable;

    QWidget* BuildSenderLine();
    QGroupBox* BuildTextGroup();
    QGroupBox* BuildAttachmentGroup();
    QGroupBox* BuildContainerGroup();
    QWidget* BuildStrip();
    void BuildActions();
    void BuildMenus();
    // Adds the commands named in items (see TContainerCommandTable) to the menu.
    void FillMenu(QMenu& menu, const char* items);
    // Adds a button for each command named in items to the group's row and returns them.
    std::vector<QToolButton*> AddCommandButtons(QWidget* group, QHBoxLayout* row, const char* items);
    QToolButton* AddViewButton(QWidget* parent, const char* name, const char* icon,
                               const std::function<void()>& handler);
    void Execute(const TWindowCommand& command);
    TCommandState CommandState() const;
    void FirstShowing();
    void ChooseEditor();
    void LoadMemo();
    void LoadAddresses(const TExtraString& extra);
    TMemoEdit& CurrentEditor() const;
    void PasteFiles(const QStringList& files);
    void OpenLink(const QString& address);
    void ApplyStoredDimensions();

    TSettings& FSettings;
    TSession& FSession;
    IContainerCommands& FCommands;
    IAppCommands& FAppCommands;
    std::unique_ptr<IDialogs> FOwnDialogs;
    IDialogs* FDialogs;

    int FSortColumn = -1;
    bool FSortAscending = false;
    bool FShown = false;
    // The memo the text was last loaded from: a reload leaves the text alone while the
    // container's memo is still that one, so edits not yet handed to the container stay.
    std::string FLoadedMemo;
    bool FMemoLoaded = false;
    bool FAddressFilled = false;
    bool FClosing = false;

    QLabel* FFromLabel;
    QComboBox* FAddress;
    QGroupBox* FTextGroup;
    TFormatBar* FFormatBar;
    QStackedWidget* FEditors;
    TMemoEdit* FEditor;
    TMemoEdit* FViewer;
    QGroupBox* FAttachmentGroup;
    QToolButton* FLargeSymbolsButton;
    QToolButton* FDetailsButton;
    TAttachmentModel* FModel;
    TAttachmentView* FAttachments;
    QGroupBox* FContainerGroup;
    QCheckBox* FStayOnTop;
    TDialogStrip* FStrip;

    // One action per command of the table, in its order, and the command's button or null.
    std::vector<QAction*> FActions;
    std::vector<QToolButton*> FButtons;
    std::vector<std::pair<QMenu*, const TMessage*>> FMenus;
    QMenu* FWindowPopup;
    QMenu* FEditorPopup;
    QMenu* FAttachmentPopup;
    QAction* FLanguageActions[LanguageCount];

    QTimer FDetailViewTimer;
    QTimer FFocusTimer;
    TFormWatcher<TContainerForm> FWatcher{*this};
};
