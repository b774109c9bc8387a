#include "ContainerForm.h"

#include "ui/start/AboutForm.h"
#include "ui/widgets/Artwork.h"
#include "AttachmentModel.h"
#include "AttachmentView.h"
#include "ui/widgets/DialogStrip.h"
#include "ui/widgets/Fonts.h"
#include "FormatBar.h"
#include "ui/widgets/LanguageSwitch.h"
#include "MemoEdit.h"
#include "ui/services/QtDialogs.h"
#include "ui/services/StayOnTop.h"
#include "ui/widgets/StoredFont.h"
#include "ui/widgets/UiText.h"
#include "app/AppCommands.h"
#include "app/ContainerCommands.h"
#include "app/OpenContainer.h"
#include "app/Session.h"
#include "container/ExtraString.h"
#include "container/RandomCryptoContainer.h"
#include "container/TextCoding.h"
#include "dragdrop/AttachmentHandOver.h"
#include "dragdrop/DropZone.h"
#include "dragdrop/RichTextMapping.h"
#include "language/LangWatchable.h"
#include "language/Messages.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"
#include "settings/Settings.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QStackedWidget>
#include <QTextBlock>
#include <QTextDocument>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

constexpr int ToolbarHeight = 27;
constexpr int ToolbarButtonWidth = 90;
constexpr int ContainerGroupHeight = 87;
constexpr int ContainerButtonWidth = 75;
constexpr int ViewButtonSize = 25;
constexpr int StayOnTopWidth = 161;
constexpr int DetailViewDelayMs = 100;
constexpr int FocusDelayMs = 100;
// The window states as the settings store them.
constexpr int StateNormal = 0;
constexpr int StateMaximized = 2;
// A memo is rich text when it begins with this and is longer than it.
constexpr std::string_view RtfStart = "{\\rtf1";

// The wait cursor for the length of a scope.
class TBusyCursor
{
public:
    TBusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TBusyCursor() { QApplication::restoreOverrideCursor(); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
};

QHBoxLayout* Row(QWidget* parent, int height)
{
    auto* row = new QWidget(parent);
    row->setFixedHeight(height);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    parent->layout()->addWidget(row);
    return layout;
}

void SetHint(QWidget* widget, const QString& hint)
{
    widget->setToolTip(hint);
}

} // namespace

TContainerForm::TContainerForm(TSettings& settings, TSession& session, IContainerCommands& commands,
                               IAppCommands& appCommands, QWidget* parent)
    : QMainWindow(parent), FSettings(settings), FSession(session), FCommands(commands), FAppCommands(appCommands),
      FOwnDialogs(std::make_unique<TQtDialogs>(this, settings)), FDialogs(FOwnDialogs.get())
{
    setObjectName(QStringLiteral("fContainer"));
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowIcon(Artwork::Icon(QStringLiteral("app-icon")));
    setFont(Fonts::Sans(13));
    FSession.AddWindow(*this);

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("Client"));
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(4, 4, 4, 0);
    column->setSpacing(4);
    column->addWidget(BuildSenderLine());
    // The text takes half of the height the two groups share, the attachments the rest.
    auto* groups = new QWidget(central);
    groups->setObjectName(QStringLiteral("Groups"));
    auto* groupColumn = new QVBoxLayout(groups);
    groupColumn->setContentsMargins(0, 0, 0, 0);
    groupColumn->setSpacing(4);
    groupColumn->addWidget(BuildTextGroup(), 1);
    groupColumn->addWidget(BuildAttachmentGroup(), 1);
    column->addWidget(groups, 1);
    column->addWidget(BuildContainerGroup());
    column->addWidget(BuildStrip());
    setCentralWidget(central);
    BuildMenus();
    // The list lets go of the catalog before the container it belongs to is replaced or given up.
    Shown().SetBeforeChange([this] { FModel->Reload(nullptr); });
    // Files dropped on the attachment list or on the text go to the application, and so does text
    // dropped on the list or on the read-only view (which says why the message cannot change);
    // text dropped on the editor is inserted where it lands.
    auto* dropZone = new TDropZone(FAppCommands, this, FSettings, FSession.TemporaryFiles(), this);
    for (QAbstractScrollArea* area :
         std::initializer_list<QAbstractScrollArea*>{FAttachments->SymbolView(), FAttachments->DetailView(), FViewer}) {
        dropZone->Watch(*area);
    }
    dropZone->Watch(*FEditor, TDropZone::TTextDrop::ToEditor);

    FDetailViewTimer.setSingleShot(true);
    FDetailViewTimer.setInterval(DetailViewDelayMs);
    connect(&FDetailViewTimer, &QTimer::timeout, this, [this] {
        if (FAttachments->IsDetailView()) {
            FAttachments->ShowDetails({FSettings.fContainer_AttachmentViewCol1, FSettings.fContainer_AttachmentViewCol2,
                                       FSettings.fContainer_AttachmentViewCol3});
        }
    });
    FFocusTimer.setSingleShot(true);
    FFocusTimer.setInterval(FocusDelayMs);
    connect(&FFocusTimer, &QTimer::timeout, this, [this] {
        update();
        activateWindow();
        CurrentEditor().setFocus();
    });
    if (FSettings.fContainer_DefaultAttachmentView == 1) {
        FAttachments->ShowDetails({FSettings.fContainer_AttachmentViewCol1, FSettings.fContainer_AttachmentViewCol2,
                                   FSettings.fContainer_AttachmentViewCol3});
    }
    FLargeSymbolsButton->setChecked(!FAttachments->IsDetailView());
    FDetailsButton->setChecked(FAttachments->IsDetailView());
    FViewer->hide();

    resize(DefaultWidth, DefaultHeight);
    setMinimumSize(MinimumWidth, MinimumHeight);
    SwitchToStoredLanguage(FSettings, FWatcher);
    RefreshCommandState();
}

TContainerForm::~TContainerForm()
{
    Shown().SetBeforeChange({});
    FSession.RemoveWindow(*this);
}

QToolButton* TContainerForm::AddButton(QWidget* parent, const char* name, const char* icon,
                                       const std::function<void()>& handler)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(Artwork::Icon(QString::fromLatin1(icon)));
    button->setAutoRaise(true);
    connect(button, &QToolButton::clicked, this, handler);
    return button;
}

QWidget* TContainerForm::BuildSenderLine()
{
    auto* line = new QWidget(this);
    line->setObjectName(QStringLiteral("SenderLine"));
    auto* layout = new QHBoxLayout(line);
    layout->setContentsMargins(0, 0, 0, 0);
    FFromLabel = new QLabel(line);
    FFromLabel->setObjectName(QStringLiteral("FromLabel"));
    FAddress = new QComboBox(line);
    FAddress->setObjectName(QStringLiteral("ReplyAddress"));
    FAddress->setEditable(true);
    FAddress->setInsertPolicy(QComboBox::NoInsert);
    FFromLabel->setBuddy(FAddress);
    layout->addWidget(FFromLabel);
    layout->addWidget(FAddress, 1);
    return line;
}

QGroupBox* TContainerForm::BuildTextGroup()
{
    FTextGroup = new QGroupBox(this);
    FTextGroup->setObjectName(QStringLiteral("TextGroup"));
    FTextGroup->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Ignored);
    auto* layout = new QVBoxLayout(FTextGroup);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->setSpacing(2);

    FEditors = new QStackedWidget(FTextGroup);
    FEditors->setObjectName(QStringLiteral("Editors"));
    FEditor = new TMemoEdit(FEditors);
    FEditor->setObjectName(QStringLiteral("Editor"));
    FViewer = new TMemoEdit(FEditors);
    FViewer->setObjectName(QStringLiteral("ReadOnlyView"));
    FViewer->setReadOnly(true);
    FViewer->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard |
                                     Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    FEditors->addWidget(FEditor);
    FEditors->addWidget(FViewer);

    QHBoxLayout* toolbar = Row(FTextGroup, ToolbarHeight);
    FExtractTextButton =
        AddButton(FTextGroup, "ExtractTextButton", "icon-extract", [this] { Run(&IContainerCommands::ExtractText); });
    FExtractTextButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    FExtractTextButton->setMinimumWidth(ToolbarButtonWidth);
    FFormatBar = new TFormatBar(*FEditor, FTextGroup);
    toolbar->addWidget(FExtractTextButton);
    toolbar->addStretch();
    toolbar->addWidget(FFormatBar);
    layout->addWidget(FEditors, 1);

    for (TMemoEdit* editor : {FEditor, FViewer}) {
        connect(editor, &TMemoEdit::textChanged, this, &TContainerForm::RefreshCommandState);
        connect(editor, &TMemoEdit::copyAvailable, this, &TContainerForm::RefreshCommandState);
        connect(editor, &TMemoEdit::undoAvailable, this, &TContainerForm::RefreshCommandState);
        connect(editor, &TMemoEdit::linkClicked, this, &TContainerForm::OpenLink);
        connect(editor, &TMemoEdit::filesPasted, this, &TContainerForm::PasteFiles);
        connect(editor, &QWidget::customContextMenuRequested, this,
                [this, editor](const QPoint& at) { FEditorPopup->popup(editor->viewport()->mapToGlobal(at)); });
    }
    return FTextGroup;
}

QGroupBox* TContainerForm::BuildAttachmentGroup()
{
    FAttachmentGroup = new QGroupBox(this);
    FAttachmentGroup->setObjectName(QStringLiteral("AttachmentGroup"));
    FAttachmentGroup->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Ignored);
    auto* layout = new QVBoxLayout(FAttachmentGroup);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->setSpacing(2);

    QHBoxLayout* toolbar = Row(FAttachmentGroup, ToolbarHeight);
    FAddButton =
        AddButton(FAttachmentGroup, "AddButton", "icon-add", [this] { Run(&IContainerCommands::AddAttachments); });
    FDeleteButton = AddButton(FAttachmentGroup, "DeleteButton", "icon-delete",
                              [this] { Run(&IContainerCommands::DeleteSelectedAttachments); });
    FExtractSelectedButton = AddButton(FAttachmentGroup, "ExtractSelectedButton", "icon-extract",
                                       [this] { Run(&IContainerCommands::ExtractSelectedAttachments); });
    for (QToolButton* button : {FAddButton, FDeleteButton, FExtractSelectedButton}) {
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setMinimumWidth(ToolbarButtonWidth);
        toolbar->addWidget(button);
    }
    toolbar->addStretch();
    FLargeSymbolsButton =
        AddButton(FAttachmentGroup, "LargeSymbolsButton", "icon-large-symbols", [this] { ShowLargeSymbols(); });
    FDetailsButton = AddButton(FAttachmentGroup, "DetailViewButton", "icon-details", [this] { ShowDetailView(); });
    for (QToolButton* button : {FLargeSymbolsButton, FDetailsButton}) {
        button->setFixedSize(ViewButtonSize, ViewButtonSize);
        button->setCheckable(true);
        toolbar->addWidget(button);
    }

    FModel = new TAttachmentModel(this);
    FAttachments = new TAttachmentView(*FModel, FAttachmentGroup);
    layout->addWidget(FAttachments, 1);
    connect(FAttachments, &TAttachmentView::selectionChanged, this, &TContainerForm::RefreshCommandState);
    connect(FAttachments, &TAttachmentView::headerClicked, this, &TContainerForm::SortByColumn);
    connect(FAttachments, &TAttachmentView::rowActivated, this, [this](int row) {
        try {
            FCommands.OpenAttachment(*this, row);
        } catch (const std::exception& error) {
            Dialogs().ShowInfoBox(MsgText(msg::Error), error.what());
        }
    });
    connect(FAttachments, &TAttachmentView::deletePressed, this, [this] {
        if (FAttachments->HasSelection()) {
            Run(&IContainerCommands::DeleteSelectedAttachments);
        }
    });
    connect(FAttachments, &TAttachmentView::pastePressed, this, [this] { PasteFiles(TMemoEdit::ClipboardFiles()); });
    connect(FAttachments, &TAttachmentView::copyPressed, this, [this] {
        if (FAttachments->HasSelection()) {
            TAttachmentHandOver(FSettings, FSession).CopyToClipboard(*this);
        }
    });
    connect(FAttachments, &TAttachmentView::dragRequested, this,
            [this](QWidget* view) { TAttachmentHandOver(FSettings, FSession).Drag(*view, *this); });
    connect(FAttachments, &TAttachmentView::menuRequested, this,
            [this](const QPoint& at) { FAttachmentPopup->popup(at); });
    return FAttachmentGroup;
}

QGroupBox* TContainerForm::BuildContainerGroup()
{
    FContainerGroup = new QGroupBox(this);
    FContainerGroup->setObjectName(QStringLiteral("ContainerGroup"));
    FContainerGroup->setFixedHeight(ContainerGroupHeight);
    auto* layout = new QHBoxLayout(FContainerGroup);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->setSpacing(2);
    FReplyButton =
        AddButton(FContainerGroup, "ReplyButton", "icon-reply", [this] { Run(&IContainerCommands::ReplyContainer); });
    FSendButton =
        AddButton(FContainerGroup, "SendButton", "icon-send", [this] { Run(&IContainerCommands::SendContainer); });
    FForwardButton = AddButton(FContainerGroup, "ForwardButton", "icon-forward",
                               [this] { Run(&IContainerCommands::ForwardContainer); });
    FSaveAsButton =
        AddButton(FContainerGroup, "SaveAsButton", "icon-save", [this] { Run(&IContainerCommands::SaveContainerAs); });
    FExtractAllButton = AddButton(FContainerGroup, "ExtractAllButton", "icon-extract",
                                  [this] { Run(&IContainerCommands::ExtractTextAndAttachments); });
    FCloseButton = AddButton(FContainerGroup, "CloseButton", "icon-close", [this] { RequestClose(); });
    for (QToolButton* button : {FReplyButton, FSendButton, FForwardButton, FSaveAsButton, FExtractAllButton}) {
        layout->addWidget(button);
    }
    layout->addStretch();
    layout->addWidget(FCloseButton);
    for (QToolButton* button :
         {FReplyButton, FSendButton, FForwardButton, FSaveAsButton, FExtractAllButton, FCloseButton}) {
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setIconSize(QSize(24, 24));
        button->setMinimumWidth(ContainerButtonWidth);
        button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
        button->setFont(Fonts::Sans(12));
    }
    return FContainerGroup;
}

QWidget* TContainerForm::BuildStrip()
{
    FStrip = new TDialogStrip(FSettings, this, TDialogStrip::TLogoClick::About);
    FStayOnTop = new QCheckBox(FStrip);
    FStayOnTop->setObjectName(QStringLiteral("StayOnTop"));
    FStayOnTop->setFont(Fonts::Sans(11));
    FStayOnTop->setMinimumWidth(StayOnTopWidth);
    FStrip->AddAtLeft(FStayOnTop);
    connect(FStayOnTop, &QCheckBox::clicked, this, &TContainerForm::SetStayOnTop);
    return FStrip;
}

QAction* TContainerForm::AddAction(QMenu* menu, const char* name, const std::function<void()>& handler)
{
    QAction* action = menu->addAction(QString());
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, handler);
    return action;
}

void TContainerForm::BuildMenus()
{
    const auto addMenu = [this](const char* name) {
        QMenu* menu = menuBar()->addMenu(QString());
        menu->setObjectName(QString::fromLatin1(name));
        return menu;
    };
    menuBar()->setObjectName(QStringLiteral("MenuBar"));
    FContainerMenu = addMenu("ContainerMenu");
    FSendAction = AddAction(FContainerMenu, "SendAction", [this] { Run(&IContainerCommands::SendContainer); });
    FForwardAction = AddAction(FContainerMenu, "ForwardAction", [this] { Run(&IContainerCommands::ForwardContainer); });
    FReplyAction = AddAction(FContainerMenu, "ReplyAction", [this] { Run(&IContainerCommands::ReplyContainer); });
    FContainerMenu->addSeparator();
    FChangePasswordAction =
        AddAction(FContainerMenu, "ChangePasswordAction", [this] { Run(&IContainerCommands::ChangePassword); });
    FContainerMenu->addSeparator();
    FSaveAsAction = AddAction(FContainerMenu, "SaveAsAction", [this] { Run(&IContainerCommands::SaveContainerAs); });
    FExtractAllAction =
        AddAction(FContainerMenu, "ExtractAllAction", [this] { Run(&IContainerCommands::ExtractTextAndAttachments); });
    FCloseAction = AddAction(FContainerMenu, "CloseAction", [this] { RequestClose(); });

    FTextMenu = addMenu("TextMenu");
    FUndoAction = AddAction(FTextMenu, "UndoAction", [this] { CurrentEditor().undo(); });
    FTextMenu->addSeparator();
    FCutAction = AddAction(FTextMenu, "CutAction", [this] { CurrentEditor().cut(); });
    FCopyAction = AddAction(FTextMenu, "CopyAction", [this] { CurrentEditor().copy(); });
    FPasteAction = AddAction(FTextMenu, "PasteAction", [this] { CurrentEditor().PasteOrAttach(); });
    FDeleteTextAction =
        AddAction(FTextMenu, "DeleteTextAction", [this] { CurrentEditor().textCursor().removeSelectedText(); });
    FTextMenu->addSeparator();
    FSelectAllAction = AddAction(FTextMenu, "SelectAllAction", [this] { CurrentEditor().selectAll(); });
    FTextMenu->addSeparator();
    FExtractTextAction = AddAction(FTextMenu, "ExtractTextAction", [this] { Run(&IContainerCommands::ExtractText); });
    // The editor handles these keys itself; the menu only names them.
    const std::pair<QAction*, QKeySequence::StandardKey> keys[] = {{FUndoAction, QKeySequence::Undo},
                                                                   {FCutAction, QKeySequence::Cut},
                                                                   {FCopyAction, QKeySequence::Copy},
                                                                   {FPasteAction, QKeySequence::Paste},
                                                                   {FSelectAllAction, QKeySequence::SelectAll}};
    for (const auto& [action, key] : keys) {
        action->setShortcut(key);
        action->setShortcutContext(Qt::WidgetShortcut);
    }

    FAttachmentMenu = addMenu("AttachmentMenu");
    FAddAttachmentsAction =
        AddAction(FAttachmentMenu, "AddAttachmentsAction", [this] { Run(&IContainerCommands::AddAttachments); });
    FExtractAllAttachmentsAction = AddAction(FAttachmentMenu, "ExtractAllAttachmentsAction",
                                             [this] { Run(&IContainerCommands::ExtractAllAttachments); });
    FExtractSelectedAction = AddAction(FAttachmentMenu, "ExtractSelectedAction",
                                       [this] { Run(&IContainerCommands::ExtractSelectedAttachments); });
    FDeleteSelectedAction = AddAction(FAttachmentMenu, "DeleteSelectedAction",
                                      [this] { Run(&IContainerCommands::DeleteSelectedAttachments); });

    FToolsMenu = addMenu("ToolsMenu");
    FStayOnTopAction =
        AddAction(FToolsMenu, "StayOnTopAction", [this] { SetStayOnTop(FStayOnTopAction->isChecked()); });
    FStayOnTopAction->setCheckable(true);
    FStayOnTopAction->setChecked(true);
    FWipeAction = AddAction(FToolsMenu, "WipeAction", [this] { FAppCommands.WipeFiles(); });
    FOptionsAction = AddAction(FToolsMenu, "OptionsAction", [this] { FAppCommands.ShowOptions(); });

    FLanguageMenu = addMenu("LanguageMenu");
    AddLanguageItems(*FLanguageMenu, FLanguageActions);

    FHelpMenu = addMenu("HelpMenu");
    FHelpAction = AddAction(FHelpMenu, "HelpAction", [this] { OpenLink(UiText(msg::UrlHelp)); });
    FAboutAction = AddAction(FHelpMenu, "AboutAction", [this] { ShowAbout(this, FSettings); });

    FWindowPopup = new QMenu(this);
    FWindowPopup->setObjectName(QStringLiteral("WindowPopup"));
    FWindowPopup->addActions({FSendAction, FForwardAction, FReplyAction});
    FWindowPopup->addSeparator();
    FWindowPopup->addAction(FChangePasswordAction);
    FWindowPopup->addSeparator();
    FWindowPopup->addActions({FSaveAsAction, FExtractAllAction});
    FWindowPopup->addSeparator();
    FStayOnTopPopupAction =
        AddAction(FWindowPopup, "StayOnTopPopupAction", [this] { SetStayOnTop(FStayOnTopPopupAction->isChecked()); });
    FStayOnTopPopupAction->setCheckable(true);
    FStayOnTopPopupAction->setChecked(true);
    FWindowPopup->addActions({FWipeAction, FOptionsAction});
    FPopupLanguageMenu = FWindowPopup->addMenu(QString());
    FPopupLanguageMenu->setObjectName(QStringLiteral("PopupLanguageMenu"));
    FPopupLanguageMenu->addActions(FLanguageMenu->actions());
    FWindowPopup->addSeparator();
    FWindowPopup->addAction(FCloseAction);

    FEditorPopup = new QMenu(this);
    FEditorPopup->setObjectName(QStringLiteral("EditorPopup"));
    FEditorPopup->addAction(FUndoAction);
    FEditorPopup->addSeparator();
    FEditorPopup->addActions({FCutAction, FCopyAction, FPasteAction, FDeleteTextAction});
    FEditorPopup->addSeparator();
    FEditorPopup->addAction(FSelectAllAction);
    FEditorPopup->addSeparator();
    FEditorPopup->addAction(FExtractTextAction);

    FAttachmentPopup = new QMenu(this);
    FAttachmentPopup->setObjectName(QStringLiteral("AttachmentPopup"));
    FAttachmentPopup->addActions(
        {FAddAttachmentsAction, FDeleteSelectedAction, FExtractSelectedAction, FExtractAllAttachmentsAction});
}

void TContainerForm::Relabel()
{
    QString caption;
    QString textCaption = UiText(msg::Text);
    if (Shown().HasContainer()) {
        const QFileInfo file(QString::fromStdString(Shown().Container().FileName()));
        caption = file.fileName();
        if (!Shown().Container().IsWritable()) {
            caption += QLatin1Char(' ') + UiText(msg::ReadOnlyMark);
        }
        if (Shown().State().FModified) {
            caption += QLatin1Char(' ') + UiText(msg::UnsavedMark);
        }
        textCaption += QStringLiteral(" (") + file.completeBaseName() + QStringLiteral(".rtf)");
    }
    setWindowTitle(caption);
    FTextGroup->setTitle(textCaption);
    FAttachmentGroup->setTitle(UiText(msg::Attachments) + QStringLiteral(" (") + QString::number(FModel->rowCount()) +
                               QLatin1Char(')'));
    FContainerGroup->setTitle(UiText(msg::Container));

    FFromLabel->setText(UiText(msg::From));
    SetHint(FAddress, UiText(msg::ReplyAddressHint));
    FAddress->setAccessibleName(UiText(msg::ReplyAddress));
    FEditor->setAccessibleName(UiText(msg::Text));
    FViewer->setAccessibleName(UiText(msg::Text));
    FFormatBar->Relabel();
    FModel->Relabel();
    FAttachments->SetHint(UiText(msg::AddOrDropFilesHere));

    const struct
    {
        QToolButton* FButton;
        const TMessage& FCaption;
        const TMessage* FHint;
    } buttons[] = {
        {FExtractTextButton, msg::ExtractEllipsis, &msg::ExtractTextHint},
        {FAddButton, msg::AddEllipsis, &msg::AddAttachmentsHint},
        {FDeleteButton, msg::Delete, &msg::DeleteSelectedAttachmentsHint},
        {FExtractSelectedButton, msg::ExtractEllipsis, &msg::ExtractSelectedAttachmentsHint},
        {FReplyButton, msg::Reply, &msg::CreateReplyContainerHint},
        {FSendButton, msg::Send, &msg::PrepareMailHint},
        {FForwardButton, msg::Forward, nullptr},
        {FSaveAsButton, msg::SaveAs, &msg::SaveContainerHint},
        {FExtractAllButton, msg::ExtractEllipsis, &msg::ExtractTextAndAttachmentsHint},
        {FCloseButton, msg::Close, &msg::CloseThisContainer},
    };
    for (const auto& button : buttons) {
        button.FButton->setText(UiText(button.FCaption));
        SetHint(button.FButton, button.FHint != nullptr ? UiText(*button.FHint) : QString());
    }
    SetHint(FLargeSymbolsButton, UiText(msg::DisplayLargeSymbols));
    FLargeSymbolsButton->setAccessibleName(UiText(msg::DisplayLargeSymbols));
    SetHint(FDetailsButton, UiText(msg::DisplayDetailView));
    FDetailsButton->setAccessibleName(UiText(msg::DisplayDetailView));
    FStayOnTop->setText(UiText(msg::StayOnTop));
    FStrip->Relabel();

    FContainerMenu->setTitle(UiText(msg::Container));
    FTextMenu->setTitle(UiText(msg::Text));
    FAttachmentMenu->setTitle(UiText(msg::Attachments));
    FToolsMenu->setTitle(UiText(msg::Tools));
    FLanguageMenu->setTitle(UiText(msg::Language));
    FPopupLanguageMenu->setTitle(UiText(msg::Language));
    FHelpMenu->setTitle(UiText(msg::Help));
    const std::pair<QAction*, const TMessage&> actions[] = {
        {FSendAction, msg::Send},
        {FForwardAction, msg::Forward},
        {FReplyAction, msg::Reply},
        {FChangePasswordAction, msg::ChangePassword},
        {FSaveAsAction, msg::SaveAs},
        {FExtractAllAction, msg::ExtractTextAndAttachments},
        {FCloseAction, msg::Close},
        {FUndoAction, msg::Undo},
        {FCutAction, msg::Cut},
        {FCopyAction, msg::Copy},
        {FPasteAction, msg::Paste},
        {FDeleteTextAction, msg::Delete},
        {FSelectAllAction, msg::SelectAll},
        {FExtractTextAction, msg::ExtractText},
        {FAddAttachmentsAction, msg::AddAttachmentsEllipsis},
        {FExtractAllAttachmentsAction, msg::ExtractAllAttachments},
        {FExtractSelectedAction, msg::ExtractSelectedAttachments},
        {FDeleteSelectedAction, msg::DeleteSelectedAttachments},
        {FStayOnTopAction, msg::StayOnTop},
        {FStayOnTopPopupAction, msg::StayOnTop},
        {FWipeAction, msg::WipeFiles},
        {FOptionsAction, msg::OptionsEllipsis},
        {FHelpAction, msg::Contents},
        {FAboutAction, msg::About},
    };
    for (const auto& [action, text] : actions) {
        action->setText(UiText(text));
    }
    // Each language by its own name, whatever the current language.
    for (int language = 0; language < LanguageCount; ++language) {
        FLanguageActions[language]->setText(QString::fromUtf8(msg::OwnLanguageName.Text[language]));
        FLanguageActions[language]->setChecked(language == LanguageHolder().Language());
    }
    FSettings.ActiveLanguage = LanguageHolder().Language();
}

bool TContainerForm::ComposeMode() const
{
    return Shown().State().FNew || (Shown().State().FOwn && Shown().State().FExtraValue == 0);
}

void TContainerForm::RefreshCommandState()
{
    const bool writable = Shown().HasContainer() && Shown().Container().IsWritable();
    const bool textEmpty = EditorEmpty();
    const bool hasAttachments = FModel->rowCount() > 0;
    const bool attachmentsSelected = FAttachments->HasSelection();
    const bool textSelected = CurrentEditor().textCursor().hasSelection();
    const bool compose = ComposeMode();
    const bool somethingToExtract = !textEmpty || hasAttachments;

    FExtractAllButton->setVisible(somethingToExtract);
    FSaveAsButton->setVisible(somethingToExtract);
    FExtractAllAction->setEnabled(somethingToExtract);
    FSaveAsAction->setEnabled(somethingToExtract);

    FExtractTextButton->setVisible(!textEmpty);
    FExtractTextAction->setEnabled(!textEmpty);
    FSelectAllAction->setEnabled(!textEmpty);
    FCopyAction->setEnabled(!textEmpty && textSelected);
    FCutAction->setEnabled(!textEmpty && textSelected && writable);
    FDeleteTextAction->setEnabled(!textEmpty && textSelected && writable);
    FPasteAction->setEnabled(writable);
    FUndoAction->setEnabled(writable && CurrentEditor().document()->isUndoAvailable());

    FExtractAllAttachmentsAction->setEnabled(hasAttachments);
    FExtractSelectedAction->setEnabled(attachmentsSelected);
    FDeleteSelectedAction->setEnabled(attachmentsSelected && writable);
    FExtractSelectedButton->setVisible(attachmentsSelected);
    FDeleteButton->setVisible(attachmentsSelected && writable);

    const bool canSend = compose && somethingToExtract;
    FReplyButton->setVisible(!compose);
    FForwardButton->setVisible(!compose);
    FReplyAction->setEnabled(!compose);
    FForwardAction->setEnabled(!compose);
    FSendButton->setVisible(canSend);
    FSendAction->setEnabled(canSend);
    FAddress->setEnabled(compose);

    FAddAttachmentsAction->setEnabled(writable);
    FChangePasswordAction->setEnabled(writable);
    FAddButton->setVisible(writable);
    FFormatBar->setVisible(writable);
}

void TContainerForm::SortByColumn(int column)
{
    static constexpr std::uint8_t catalogColumns[TAttachmentModel::ColumnCount] = {
        TCatalog::ByFileName, TCatalog::BySize, TCatalog::ByModified};
    if (!Shown().HasContainer() || column < 0 || column >= TAttachmentModel::ColumnCount) {
        return;
    }
    const bool ascending = !(column == FSortColumn && FSortAscending);
    {
        TBusyCursor busy;
        Shown().Container().GetCatalog().SortBy(catalogColumns[column], ascending);
    }
    FSortColumn = column;
    FSortAscending = ascending;
    FAttachments->SetSortMark(column, ascending);
    LoadContent();
    BringToFront();
}

void TContainerForm::ShowLargeSymbols()
{
    if (FAttachments->IsDetailView()) {
        const TAttachmentView::TPercents percents = FAttachments->ColumnPercents();
        FSettings.fContainer_AttachmentViewCol1 = percents[0];
        FSettings.fContainer_AttachmentViewCol2 = percents[1];
        FSettings.fContainer_AttachmentViewCol3 = percents[2];
    }
    FAttachments->ShowLargeSymbols();
    FLargeSymbolsButton->setChecked(true);
    FDetailsButton->setChecked(false);
    FSettings.fContainer_DefaultAttachmentView = 0;
    FSettings.Save(true);
}

void TContainerForm::ShowDetailView()
{
    FAttachments->ShowDetails({FSettings.fContainer_AttachmentViewCol1, FSettings.fContainer_AttachmentViewCol2,
                               FSettings.fContainer_AttachmentViewCol3});
    FLargeSymbolsButton->setChecked(false);
    FDetailsButton->setChecked(true);
    FSettings.fContainer_DefaultAttachmentView = 1;
    FSettings.Save(true);
}

void TContainerForm::SetStayOnTop(bool onTop)
{
    TBusyCursor busy;
    FStayOnTop->setChecked(onTop);
    FStayOnTopAction->setChecked(onTop);
    FStayOnTopPopupAction->setChecked(onTop);
    SetWindowStaysOnTop(*this, onTop);
}

void TContainerForm::SetTemporarilyNotOnTop(bool notOnTop)
{
    SetWindowStaysOnTop(*this, !notOnTop && FStayOnTop->isChecked());
}

void TContainerForm::SetDialogs(IDialogs* dialogs)
{
    FDialogs = dialogs != nullptr ? dialogs : FOwnDialogs.get();
}

void TContainerForm::ChooseEditor()
{
    TMemoEdit* current = !Shown().HasContainer() || Shown().Container().IsWritable() ? FEditor : FViewer;
    if (FEditors->currentWidget() != current) {
        // The text moves to the control that shows it from now on.
        current->setDocument(CurrentEditor().document()->clone(current));
        FEditors->setCurrentWidget(current);
        current->show();
    }
}

void TContainerForm::LoadAddresses(const TExtraString& extra)
{
    const QString typed = FAddress->currentText();
    FAddress->clear();
    for (const std::string& address : SplitSeparated(FSettings.OwnMailAddresses)) {
        const QString trimmed = QString::fromStdString(address).trimmed();
        if (!trimmed.isEmpty()) {
            FAddress->addItem(trimmed);
        }
    }
    // The box is filled once; afterwards it keeps what the user typed or a command put there.
    if (FAddressFilled) {
        FAddress->setEditText(typed);
        return;
    }
    FAddressFilled = true;
    FAddress->setEditText(QString::fromStdString(Shown().State().FNew ? FSettings.LastUsedMailAddress
                                                                      : extra.Field(TExtraString::SenderAddress)));
}

void TContainerForm::LoadMemo()
{
    std::string memo = Shown().Container().GetMemo();
    if (FMemoLoaded && memo == FLoadedMemo) {
        return;
    }
    if (memo.empty()) {
        CurrentEditor().clear();
        CurrentEditor().document()->setModified(false);
    } else if (memo.size() <= RtfStart.size() || memo.compare(0, RtfStart.size(), RtfStart) != 0) {
        SetEditorText(FromStoredText(memo), false);
    } else {
        SetEditorText(memo, true);
    }
    CurrentEditor().moveCursor(QTextCursor::Start);
    FLoadedMemo = std::move(memo);
    FMemoLoaded = true;
}

void TContainerForm::LoadContent()
{
    if (!Shown().HasContainer()) {
        return;
    }
    TExtraString extra;
    extra.Parse(Shown().Container().GetExtra());
    LoadAddresses(extra);
    ChooseEditor();
    LoadMemo();
    FModel->Reload(&Shown().Container().GetCatalog());
    RefreshCommandState();
    Relabel();
}

void TContainerForm::FirstShowing()
{
    FShown = true;
    ChooseEditor();
    ApplyStoredDimensions();
    FFocusTimer.start();
    SetStayOnTop(FSettings.fContainer_StayOntTop);
    LoadContent();
}

void TContainerForm::ApplyStoredDimensions()
{
    if (!FSettings.fContainer_UserDimensions) {
        return;
    }
    if (FSettings.fContainer_Width > 0 && FSettings.fContainer_Height > 0) {
        resize(FSettings.fContainer_Width, FSettings.fContainer_Height);
    }
    // A window stored minimised opens normal.
    if (FSettings.fContainer_WindowState == StateMaximized) {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
}

void TContainerForm::BringToFront()
{
    if (!FShown) {
        FirstShowing();
        show();
        // The column widths follow the list's final width.
        FDetailViewTimer.start();
    } else {
        show();
    }
    if (isMinimized()) {
        showNormal();
    }
    raise();
    activateWindow();
}

void TContainerForm::HideWindow()
{
    hide();
}

std::string TContainerForm::Title() const
{
    return windowTitle().toStdString();
}

void TContainerForm::RequestClose()
{
    close();
}

TMemoEdit& TContainerForm::CurrentEditor() const
{
    return *static_cast<TMemoEdit*>(FEditors->currentWidget());
}

std::string TContainerForm::EditorText(bool rich) const
{
    if (rich) {
        return WriteRtf(RichTextMapping::FromTextDocument(*CurrentEditor().document()));
    }
    return CurrentEditor().toPlainText().toStdString();
}

void TContainerForm::SetEditorText(const std::string& text, bool rich)
{
    if (rich) {
        // Filled while no editor shows it: the editor would lay out the text again at every insertion.
        TMemoEdit& editor = CurrentEditor();
        auto* document = new QTextDocument(&editor);
        document->setDefaultFont(editor.document()->defaultFont());
        document->setUndoRedoEnabled(false);
        RichTextMapping::Fill(*document, ReadRtf(text));
        document->setUndoRedoEnabled(true);
        editor.setDocument(document);
    } else {
        QString plain = QString::fromStdString(text);
        plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        plain.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        CurrentEditor().setPlainText(plain);
    }
    CurrentEditor().document()->setModified(false);
    RefreshCommandState();
}

bool TContainerForm::TextChanged() const
{
    return CurrentEditor().document()->isModified();
}

bool TContainerForm::EditorEmpty() const
{
    return CurrentEditor().document()->isEmpty();
}

void TContainerForm::ApplyDefaultFont()
{
    const QFont font = FontOfStored(FSettings.DefaultFont);
    FEditor->document()->setDefaultFont(font);
    QTextCharFormat format;
    format.setFont(font);
    format.setForeground(ColourOfStored(FSettings.DefaultFont));
    QTextCursor all(FEditor->document());
    all.select(QTextCursor::Document);
    all.mergeCharFormat(format);
    FEditor->mergeCurrentCharFormat(format);
}

void TContainerForm::FocusEditor()
{
    CurrentEditor().setFocus();
}

std::string TContainerForm::ReplyAddress() const
{
    return FAddress->currentText().trimmed().toStdString();
}

void TContainerForm::SetReplyAddress(const std::string& address)
{
    FAddressFilled = true;
    FAddress->setEditText(QString::fromStdString(address));
}

std::vector<int> TContainerForm::SelectedAttachmentRows() const
{
    return FAttachments->SelectedRows();
}

void TContainerForm::StoreGeometry()
{
    if (isMinimized()) {
        return;
    }
    if (FAttachments->IsDetailView()) {
        const TAttachmentView::TPercents percents = FAttachments->ColumnPercents();
        FSettings.fContainer_AttachmentViewCol1 = percents[0];
        FSettings.fContainer_AttachmentViewCol2 = percents[1];
        FSettings.fContainer_AttachmentViewCol3 = percents[2];
    }
    if (FSettings.fContainer_UserDimensions) {
        if (!isMaximized() && !isFullScreen()) {
            FSettings.fContainer_Width = width();
            FSettings.fContainer_Height = height();
        }
        FSettings.fContainer_WindowState = isMaximized() ? StateMaximized : StateNormal;
    }
    FSettings.Save(true);
}

IDialogs& TContainerForm::Dialogs()
{
    return *FDialogs;
}

void TContainerForm::Run(TCommand command)
{
    try {
        (FCommands.*command)(*this);
    } catch (const std::exception& error) {
        Dialogs().ShowInfoBox(MsgText(msg::Error), error.what());
    }
}

void TContainerForm::PasteFiles(const QStringList& files)
{
    if (files.isEmpty()) {
        return;
    }
    std::vector<std::string> names;
    for (const QString& file : files) {
        names.push_back(file.toStdString());
    }
    try {
        FAppCommands.DropFiles(this, names);
    } catch (const std::exception& error) {
        Dialogs().ShowInfoBox(MsgText(msg::Error), error.what());
    }
}

void TContainerForm::OpenLink(const QString& address)
{
    Dialogs().OpenWithShell(address.toStdString());
}

void TContainerForm::closeEvent(QCloseEvent* event)
{
    // A second close while the first one's questions are open waits for the first.
    if (FClosing) {
        event->ignore();
        return;
    }
    FClosing = true;
    bool canClose = false;
    try {
        canClose = FCommands.CloseContainerWindow(*this);
    } catch (const std::exception& error) {
        Dialogs().ShowInfoBox(MsgText(msg::Error), error.what());
    }
    FClosing = false;
    if (canClose) {
        event->accept();
    } else {
        event->ignore();
    }
}

void TContainerForm::contextMenuEvent(QContextMenuEvent* event)
{
    FWindowPopup->popup(event->globalPos());
}
