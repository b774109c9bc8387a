#include "ContainerForm.h"

#include "ui/widgets/Artwork.h"
#include "AttachmentModel.h"
#include "AttachmentView.h"
#include "ContainerCommandTable.h"
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
#include "dragdrop/AttachmentHandOver.h"
#include "dragdrop/DropZone.h"
#include "dragdrop/RichTextMapping.h"
#include "language/LangWatchable.h"
#include "language/Messages.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"
#include "settings/Settings.h"
#include "text/StoredText.h"

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

void AsToolbarButtons(const std::vector<QToolButton*>& buttons)
{
    for (QToolButton* button : buttons) {
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setMinimumWidth(ToolbarButtonWidth);
    }
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
    BuildActions();
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

QToolButton* TContainerForm::AddViewButton(QWidget* parent, const char* name, const char* icon,
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
    AsToolbarButtons(AddCommandButtons(FTextGroup, toolbar, TContainerCommandTable::TextButtons));
    FFormatBar = new TFormatBar(*FEditor, FTextGroup);
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
    AsToolbarButtons(AddCommandButtons(FAttachmentGroup, toolbar, TContainerCommandTable::AttachmentButtons));
    toolbar->addStretch();
    FLargeSymbolsButton =
        AddViewButton(FAttachmentGroup, "LargeSymbolsButton", "icon-large-symbols", [this] { ShowLargeSymbols(); });
    FDetailsButton = AddViewButton(FAttachmentGroup, "DetailViewButton", "icon-details", [this] { ShowDetailView(); });
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
        // Read-only, the command says why it cannot delete.
        if (FAttachments->HasSelection()) {
            Execute(TContainerCommandTable::Commands()[TContainerCommandTable::IndexOf("DeleteSelected")]);
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
    for (QToolButton* button : AddCommandButtons(FContainerGroup, layout, TContainerCommandTable::ContainerButtons)) {
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

void TContainerForm::BuildActions()
{
    for (const TWindowCommand& command : TContainerCommandTable::Commands()) {
        auto* action = new QAction(this);
        action->setObjectName(QString::fromLatin1(command.FName) + QStringLiteral("Action"));
        if (command.FIcon != nullptr) {
            action->setIcon(Artwork::Icon(QString::fromLatin1(command.FIcon)));
            action->setIconVisibleInMenu(false);
        }
        if (command.FShortcut != QKeySequence::UnknownKey) {
            action->setShortcut(command.FShortcut);
            action->setShortcutContext(Qt::WidgetShortcut);
        }
        action->setCheckable(command.FCheckable);
        connect(action, &QAction::triggered, this, [this, &command] { Execute(command); });
        FActions.push_back(action);
    }
    FButtons.assign(FActions.size(), nullptr);
}

std::vector<QToolButton*> TContainerForm::AddCommandButtons(QWidget* group, QHBoxLayout* row, const char* items)
{
    std::vector<QToolButton*> buttons;
    for (const QString& item : QString::fromLatin1(items).split(QLatin1Char(' '))) {
        if (item == QLatin1String("|")) {
            row->addStretch();
            continue;
        }
        const int index = TContainerCommandTable::IndexOf(item.toStdString());
        auto* button = new QToolButton(group);
        button->setObjectName(item + QStringLiteral("Button"));
        button->setAutoRaise(true);
        button->setDefaultAction(FActions[index]);
        row->addWidget(button);
        FButtons[index] = button;
        buttons.push_back(button);
    }
    return buttons;
}

void TContainerForm::FillMenu(QMenu& menu, const char* items)
{
    for (const QString& item : QString::fromLatin1(items).split(QLatin1Char(' '))) {
        if (item == QLatin1String("|")) {
            menu.addSeparator();
        } else if (item == QLatin1String("Languages")) {
            AddLanguageItems(menu, FLanguageActions);
        } else if (item == QLatin1String("LanguageMenu")) {
            QMenu* languages = menu.addMenu(QString());
            languages->setObjectName(QStringLiteral("PopupLanguageMenu"));
            for (QAction* language : FLanguageActions) {
                languages->addAction(language);
            }
            FMenus.emplace_back(languages, &msg::Language);
        } else {
            menu.addAction(FActions[TContainerCommandTable::IndexOf(item.toStdString())]);
        }
    }
}

void TContainerForm::BuildMenus()
{
    menuBar()->setObjectName(QStringLiteral("MenuBar"));
    for (const TCommandMenu& layout : TContainerCommandTable::MenuBar()) {
        QMenu* menu = menuBar()->addMenu(QString());
        menu->setObjectName(QString::fromLatin1(layout.FName));
        FMenus.emplace_back(menu, layout.FTitle);
        FillMenu(*menu, layout.FItems);
    }
    const auto popup = [this](const char* name, const char* items) {
        auto* menu = new QMenu(this);
        menu->setObjectName(QString::fromLatin1(name));
        FillMenu(*menu, items);
        return menu;
    };
    FWindowPopup = popup("WindowPopup", TContainerCommandTable::WindowPopup);
    FEditorPopup = popup("EditorPopup", TContainerCommandTable::EditorPopup);
    FAttachmentPopup = popup("AttachmentPopup", TContainerCommandTable::AttachmentPopup);
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

    const std::span<const TWindowCommand> commands = TContainerCommandTable::Commands();
    for (std::size_t index = 0; index < commands.size(); ++index) {
        const TWindowCommand& command = commands[index];
        QAction& action = *FActions[index];
        action.setText(UiText(*command.FCaption));
        action.setIconText(UiText(command.FButtonCaption != nullptr ? *command.FButtonCaption : *command.FCaption));
        action.setToolTip(command.FHint != nullptr ? UiText(*command.FHint) : QString());
    }
    SetHint(FLargeSymbolsButton, UiText(msg::DisplayLargeSymbols));
    FLargeSymbolsButton->setAccessibleName(UiText(msg::DisplayLargeSymbols));
    SetHint(FDetailsButton, UiText(msg::DisplayDetailView));
    FDetailsButton->setAccessibleName(UiText(msg::DisplayDetailView));
    FStayOnTop->setText(UiText(msg::StayOnTop));
    FStrip->Relabel();

    for (const auto& [menu, title] : FMenus) {
        menu->setTitle(UiText(*title));
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

TCommandState TContainerForm::CommandState() const
{
    const bool writable = Shown().HasContainer() && Shown().Container().IsWritable();
    return {.FWritable = writable,
            .FTextEmpty = EditorEmpty(),
            .FTextSelected = CurrentEditor().textCursor().hasSelection(),
            .FUndoAvailable = CurrentEditor().document()->isUndoAvailable(),
            .FHasAttachments = FModel->rowCount() > 0,
            .FAttachmentsSelected = FAttachments->HasSelection(),
            .FCompose = ComposeMode()};
}

void TContainerForm::RefreshCommandState()
{
    const TCommandState state = CommandState();
    const std::span<const TWindowCommand> commands = TContainerCommandTable::Commands();
    for (std::size_t index = 0; index < commands.size(); ++index) {
        const bool available = commands[index].FAvailable(state);
        FActions[index]->setEnabled(available);
        if (FButtons[index] != nullptr) {
            FButtons[index]->setVisible(available);
        }
    }
    FAddress->setEnabled(state.FCompose);
    FFormatBar->setVisible(state.FWritable);
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
    FActions[TContainerCommandTable::IndexOf("StayOnTop")]->setChecked(onTop);
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

void TContainerForm::Execute(const TWindowCommand& command)
{
    try {
        if (command.FFlow != nullptr) {
            FCommands.Run(command.FName, command.FFlow, *this);
        } else {
            command.FAction(*this);
        }
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
