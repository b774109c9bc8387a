#include "ContainerCommandTable.h"

#include "AttachmentModel.h"
#include "ContainerForm.h"
#include "MemoEdit.h"
#include "app/AppCommands.h"
#include "app/AttachmentCommands.h"
#include "app/ContainerFlows.h"
#include "app/MailFlows.h"
#include "language/Messages.h"
#include "ui/start/AboutForm.h"
#include "ui/widgets/UiText.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>

#include <stdexcept>
#include <string>

namespace {

using TParts = TWindowFlowParts;
using TWindow = IContainerWindow;

// The rows as the list shows them onto the clipboard: a line each, the columns separated by tabs.
void CopyRows(const TAttachmentModel& model, const std::vector<int>& rows)
{
    QString text;
    for (const int row : rows) {
        QStringList columns;
        for (int column = 0; column < TAttachmentModel::ColumnCount; ++column) {
            columns << model.index(row, column).data().toString();
        }
        text += columns.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    QGuiApplication::clipboard()->setText(text);
}

} // namespace

std::span<const TWindowCommand> TContainerCommandTable::Commands()
{
    // The actions of the window's own reach into the window: this table is its friend.
    static constexpr TWindowCommand commands[] = {
        {.FName = "Send",
         .FCaption = &msg::Send,
         .FAvailable = Available::Send,
         .FFlow = [](TParts& app, TWindow& window) { app.FMail.SendContainer(window); },
         .FIcon = "icon-send",
         .FHint = &msg::PrepareMailHint},
        {.FName = "Forward",
         .FCaption = &msg::Forward,
         .FAvailable = Available::ReplyMode,
         .FFlow = [](TParts& app, TWindow& window) { app.FMail.ForwardContainer(window); },
         .FIcon = "icon-forward"},
        {.FName = "Reply",
         .FCaption = &msg::Reply,
         .FAvailable = Available::ReplyMode,
         .FFlow = [](TParts& app, TWindow& window) { app.FMail.ReplyContainer(window); },
         .FIcon = "icon-reply",
         .FHint = &msg::CreateReplyContainerHint},
        {.FName = "ChangePassword",
         .FCaption = &msg::ChangePassword,
         .FAvailable = Available::Writable,
         .FFlow = [](TParts& app, TWindow& window) { app.FMail.ChangePassword(window); }},
        {.FName = "SaveAs",
         .FCaption = &msg::SaveAs,
         .FAvailable = Available::Content,
         .FFlow = [](TParts& app, TWindow& window) { app.FFlows.SaveContainerAs(window); },
         .FIcon = "icon-save",
         .FHint = &msg::SaveContainerHint},
        {.FName = "ExtractAll",
         .FCaption = &msg::ExtractTextAndAttachments,
         .FAvailable = Available::Content,
         .FFlow = [](TParts& app, TWindow& window) { app.FAttachments.ExtractTextAndAttachments(window); },
         .FIcon = "icon-extract",
         .FButtonCaption = &msg::ExtractEllipsis,
         .FHint = &msg::ExtractTextAndAttachmentsHint},
        {.FName = "Close",
         .FCaption = &msg::Close,
         .FAction = [](TContainerForm& window) { window.RequestClose(); },
         .FIcon = "icon-close",
         .FHint = &msg::CloseThisContainer},

        {.FName = "Undo",
         .FCaption = &msg::Undo,
         .FAvailable = Available::Undo,
         .FAction = [](TContainerForm& window) { window.CurrentEditor().undo(); },
         .FShortcut = QKeySequence::Undo},
        {.FName = "Cut",
         .FCaption = &msg::Cut,
         .FAvailable = Available::WritableTextSelected,
         .FAction = [](TContainerForm& window) { window.CurrentEditor().cut(); },
         .FShortcut = QKeySequence::Cut},
        {.FName = "Copy",
         .FCaption = &msg::Copy,
         .FAvailable = Available::TextSelected,
         .FAction = [](TContainerForm& window) { window.CurrentEditor().copy(); },
         .FShortcut = QKeySequence::Copy},
        {.FName = "Paste",
         .FCaption = &msg::Paste,
         .FAvailable = Available::Writable,
         .FAction = [](TContainerForm& window) { window.CurrentEditor().PasteOrAttach(); },
         .FShortcut = QKeySequence::Paste},
        {.FName = "DeleteText",
         .FCaption = &msg::Delete,
         .FAvailable = Available::WritableTextSelected,
         .FAction = [](TContainerForm& window) { window.CurrentEditor().textCursor().removeSelectedText(); }},
        {.FName = "SelectAll",
         .FCaption = &msg::SelectAll,
         .FAvailable = Available::Text,
         .FAction = [](TContainerForm& window) { window.CurrentEditor().selectAll(); },
         .FShortcut = QKeySequence::SelectAll},
        {.FName = "ExtractText",
         .FCaption = &msg::ExtractText,
         .FAvailable = Available::Text,
         .FFlow = [](TParts& app, TWindow& window) { app.FAttachments.ExtractText(window); },
         .FIcon = "icon-extract",
         .FButtonCaption = &msg::ExtractEllipsis,
         .FHint = &msg::ExtractTextHint},

        {.FName = "AddAttachments",
         .FCaption = &msg::AddAttachmentsEllipsis,
         .FAvailable = Available::Writable,
         .FFlow = [](TParts& app, TWindow& window) { app.FAttachments.AddAttachments(window); },
         .FIcon = "icon-add",
         .FButtonCaption = &msg::AddEllipsis,
         .FHint = &msg::AddAttachmentsHint},
        {.FName = "ExtractAllAttachments",
         .FCaption = &msg::ExtractAllAttachments,
         .FAvailable = Available::Attachments,
         .FFlow = [](TParts& app, TWindow& window) { app.FAttachments.ExtractAllAttachments(window); }},
        {.FName = "ExtractSelected",
         .FCaption = &msg::ExtractSelectedAttachments,
         .FAvailable = Available::AttachmentsSelected,
         .FFlow = [](TParts& app, TWindow& window) { app.FAttachments.ExtractSelectedAttachments(window); },
         .FIcon = "icon-extract",
         .FButtonCaption = &msg::ExtractEllipsis,
         .FHint = &msg::ExtractSelectedAttachmentsHint},
        {.FName = "DeleteSelected",
         .FCaption = &msg::DeleteSelectedAttachments,
         .FAvailable = Available::WritableAttachmentsSelected,
         .FFlow = [](TParts& app, TWindow& window) { app.FAttachments.DeleteSelectedAttachments(window); },
         .FIcon = "icon-delete",
         .FButtonCaption = &msg::Delete,
         .FHint = &msg::DeleteSelectedAttachmentsHint},
        {.FName = "CopyText",
         .FCaption = &msg::CopyText,
         .FAvailable = Available::AttachmentsSelected,
         .FAction = [](TContainerForm& window) { CopyRows(*window.FModel, window.SelectedAttachmentRows()); }},

        {.FName = "StayOnTop",
         .FCaption = &msg::StayOnTop,
         .FAction = [](TContainerForm& window) { window.SetStayOnTop(!window.FStayOnTop->isChecked()); },
         .FCheckable = true},
        {.FName = "Wipe",
         .FCaption = &msg::WipeFiles,
         .FAction = [](TContainerForm& window) { window.FAppCommands.WipeFiles(); }},
        {.FName = "Options",
         .FCaption = &msg::OptionsEllipsis,
         .FAction = [](TContainerForm& window) { window.FAppCommands.ShowOptions(); }},
        {.FName = "Help",
         .FCaption = &msg::Contents,
         .FAction = [](TContainerForm& window) { window.OpenLink(UiText(msg::UrlHelp)); }},
        {.FName = "About",
         .FCaption = &msg::About,
         .FAction = [](TContainerForm& window) { ShowAbout(&window, window.FSettings); }},
    };
    return commands;
}

int TContainerCommandTable::IndexOf(std::string_view name)
{
    const std::span<const TWindowCommand> commands = Commands();
    for (std::size_t index = 0; index < commands.size(); ++index) {
        if (commands[index].FName == name) {
            return static_cast<int>(index);
        }
    }
    throw std::logic_error("no window command " + std::string(name));
}

std::span<const TCommandMenu> TContainerCommandTable::MenuBar()
{
    static constexpr TCommandMenu menus[] = {
        {"ContainerMenu", &msg::Container, "Send Forward Reply | ChangePassword | SaveAs ExtractAll Close"},
        {"TextMenu", &msg::Text, "Undo | Cut Copy Paste DeleteText | SelectAll | ExtractText"},
        {"AttachmentMenu", &msg::Attachments,
         "AddAttachments ExtractAllAttachments ExtractSelected DeleteSelected | CopyText"},
        {"ToolsMenu", &msg::Tools, "StayOnTop Wipe Options"},
        {"LanguageMenu", &msg::Language, "Languages"},
        {"HelpMenu", &msg::Help, "Help About"},
    };
    return menus;
}

const char* const TContainerCommandTable::WindowPopup =
    "Send Forward Reply | ChangePassword | SaveAs ExtractAll | StayOnTop Wipe Options LanguageMenu | Close";
const char* const TContainerCommandTable::EditorPopup = "Undo | Cut Copy Paste DeleteText | SelectAll | ExtractText";
const char* const TContainerCommandTable::AttachmentPopup =
    "AddAttachments DeleteSelected ExtractSelected ExtractAllAttachments | CopyText";
const char* const TContainerCommandTable::TextButtons = "ExtractText";
const char* const TContainerCommandTable::AttachmentButtons = "AddAttachments DeleteSelected ExtractSelected";
const char* const TContainerCommandTable::ContainerButtons = "Reply Send Forward SaveAs ExtractAll | Close";
