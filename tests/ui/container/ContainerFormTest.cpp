#include "ui/container/ContainerForm.h"
#include "ui/RecordingCommands.h"
#include "ui/WindowTest.h"
#include "app/OpenContainer.h"
#include "app/ScriptedQuestions.h"
#include "container/ExtraString.h"
#include "container/RandomCryptoContainer.h"
#include "ui/container/AttachmentModel.h"
#include "ui/container/AttachmentView.h"
#include "ui/container/ContainerCommandTable.h"
#include "ui/container/MemoEdit.h"
#include "ui/services/QtDialogs.h"

#include <QClipboard>
#include <QDir>
#include <QGroupBox>
#include <QHelpEvent>
#include <QItemSelectionModel>
#include <QTextDocument>
#include <QToolTip>
#include <QTreeView>

#include <filesystem>
#include <sstream>

namespace {

struct TContent
{
    bool FWritable = true;
    bool FNew = false;
    bool FOwn = false;
    int FExtraValue = 0;
    std::string FMemo = "";
    int FAttachments = 0;
    std::string FName = "file";
    bool FSelectText = false;
    bool FSelectAttachment = false;
};

class ContainerFormTest : public WindowTest
{
protected:
    // A window holding a container with the given content, loaded as the flows leave it, then
    // the selections made.
    std::unique_ptr<TContainerForm> MakeWindow(const TContent& content)
    {
        const std::string file = FDir.File("letter.xvt");
        std::filesystem::remove(file); // the container of the window made before
        {
            TRandomCryptoContainer container{TContainerKey(Password)};
            container.OpenNew(file);
            for (int n = 0; n < content.FAttachments; ++n) {
                const std::string attachment = FDir.File(content.FName + std::to_string(n) + ".txt");
                WriteWholeFile(attachment, std::string(static_cast<std::size_t>(10 * (n + 1)), 'x'));
                container.AddFile(attachment, FDir.Path());
            }
            container.SetMemo(content.FMemo);
            container.SetExtra(TExtraString(false).Serialize());
            container.Close();
        }
        auto container = std::make_unique<TRandomCryptoContainer>(TContainerKey(Password));
        content.FWritable ? container->Open(file) : container->OpenReadOnly(file);
        auto window = std::make_unique<TContainerForm>(FSettings, FSession, FCommands, FCommands);
        window->Shown().Assign(std::move(container));
        window->Shown().State().FNew = window->Shown().State().FModified = content.FNew;
        window->Shown().State().FSaved = !content.FNew;
        window->Shown().State().FOwn = content.FOwn;
        window->Shown().State().FExtraValue = content.FExtraValue;
        window->LoadContent();
        if (content.FSelectText) {
            Editor(*window, content.FWritable ? "Editor" : "ReadOnlyView").selectAll();
        }
        if (content.FSelectAttachment) {
            window->findChild<TAttachmentView*>("AttachmentList")
                ->Selection()
                ->select(Details(*window)->model()->index(0, 0),
                         QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
        return window;
    }

    // The states as "+Name -Name ...": for a button whether it is shown, for the format bar too, for a
    // menu item or another control whether it is enabled.
    static void ExpectStates(TContainerForm& window, const std::string& expected)
    {
        std::istringstream words(expected);
        for (std::string word; words >> word;) {
            const QString name = QString::fromStdString(word.substr(1));
            const auto* action = window.findChild<QAction*>(name);
            const auto* widget = window.findChild<QWidget*>(name);
            ASSERT_TRUE(action != nullptr || widget != nullptr) << "no control " << word;
            const bool shown = qobject_cast<const QAbstractButton*>(widget) != nullptr || name == "FormatBar";
            const bool state = action != nullptr ? action->isEnabled()
                               : shown           ? widget->isVisibleTo(&window)
                                                 : widget->isEnabled();
            EXPECT_EQ(state, word[0] == '+') << word;
        }
    }

    static TMemoEdit& Editor(TContainerForm& window, const char* name = "Editor")
    {
        return *window.findChild<TMemoEdit*>(name);
    }

    static QTreeView* Details(TContainerForm& window)
    {
        return window.findChild<TAttachmentView*>("AttachmentList")->DetailView();
    }

    static constexpr const char* Password = "8bytePWD";
    TempDir FDir;
    TSession FSession{FTemporaryFiles};
    TRecordingCommands FCommands{&FSession};
};

} // namespace

// The commands available in each state, in the table's order (those always available left out).
TEST(ContainerCommandTable, EachCommandIsAvailableExactlyByItsRule)
{
    const struct
    {
        TCommandState FState;
        const char* FAvailable;
    } cases[] = {
        {{.FWritable = true, .FCompose = true}, "ChangePassword Paste AddAttachments"},
        {{.FWritable = true, .FTextEmpty = false, .FUndoAvailable = true, .FCompose = true},
         "Send ChangePassword SaveAs ExtractAll Undo Paste SelectAll ExtractText AddAttachments"},
        {{.FWritable = true, .FTextEmpty = false, .FTextSelected = true},
         "Forward Reply ChangePassword SaveAs ExtractAll Cut Copy Paste DeleteText SelectAll ExtractText "
         "AddAttachments"},
        {{.FTextEmpty = false,
          .FTextSelected = true,
          .FUndoAvailable = true,
          .FHasAttachments = true,
          .FAttachmentsSelected = true},
         "Forward Reply SaveAs ExtractAll Copy SelectAll ExtractText ExtractAllAttachments ExtractSelected CopyText"},
        {{.FWritable = true, .FHasAttachments = true, .FAttachmentsSelected = true, .FCompose = true},
         "Send ChangePassword SaveAs ExtractAll Paste AddAttachments ExtractAllAttachments ExtractSelected "
         "DeleteSelected CopyText"},
    };
    for (const auto& [state, expected] : cases) {
        std::string available;
        for (const TWindowCommand& command : TContainerCommandTable::Commands()) {
            if (command.FAvailable != Available::Always && command.FAvailable(state)) {
                available += (available.empty() ? "" : " ") + std::string(command.FName);
            }
        }
        EXPECT_EQ(available, expected);
    }
}

TEST_F(ContainerFormTest, CommandStateFollowsTheWindowOnButtonsAndMenus)
{
    const struct
    {
        const char* FExpected;
        TContent FContent;
    } cases[] = {
        {"-ExtractAllButton -SaveAsButton -SendButton -ExtractTextButton -CopyAction -ExtractAllAttachmentsAction "
         "+ReplyAddress +AddAttachmentsButton +FormatBar +PasteAction",
         {.FNew = true}},
        {"+SendButton +SaveAsButton -ExtractTextButton +ExtractAllAttachmentsAction -ExtractSelectedButton",
         {.FNew = true, .FAttachments = 2}},
        {"-AddAttachmentsButton -DeleteSelectedButton -FormatBar -PasteAction -DeleteSelectedAction +CopyAction "
         "+ExtractSelectedButton +ReplyButton -SendButton -ReplyAddress",
         {.FWritable = false, .FMemo = "Hi", .FAttachments = 1, .FSelectText = true, .FSelectAttachment = true}},
    };
    for (const auto& row : cases) {
        ExpectStates(*MakeWindow(row.FContent), row.FExpected);
    }
}

// A sender's control characters and directional overrides in a name become the list's box: one line per selected
// attachment, its columns as the list shows them.
TEST_F(ContainerFormTest, CopyTextPutsTheSelectedRowsAsShownOnTheClipboard)
{
    const auto window = MakeWindow({.FAttachments = 2, .FName = "a\tb\nc\rd\x01" "e\u2028" "f\u202E", .FSelectAttachment = true});
    window->findChild<QAction*>("CopyTextAction")->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("a\u25A1b\u25A1c\u25A1d\u25A1e\u25A1f\u25A11.txt\t20\t") +
                                                     Details(*window)->model()->index(0, 2).data().toString() + '\n');
}

TEST_F(ContainerFormTest, CaptionMarksReadOnlyAndUnsavedAndFollowsTheLanguage)
{
    for (const auto& [writable, isNew, caption] : {std::tuple{true, false, "letter.xvt"},
                                                   {false, false, "letter.xvt (read only)"},
                                                   {true, true, "letter.xvt (unsaved)"}}) {
        const auto window = MakeWindow({.FWritable = writable, .FNew = isNew});
        EXPECT_EQ(window->windowTitle().toStdString(), caption);
        EXPECT_EQ(window->findChild<QGroupBox*>("TextGroup")->title().toStdString(), "Text (letter.rtf)");
        EXPECT_EQ(Editor(*window, "ReadOnlyView").isVisibleTo(window.get()), !writable)
            << "a read-only container shows its text in the read-only view";
    }
    const auto window = MakeWindow({.FWritable = false, .FMemo = "Hi", .FAttachments = 2});
    const auto captions = [&] {
        return (TextOf(*window, "ReplyButton") + '|' + window->findChild<QGroupBox*>("AttachmentGroup")->title() + '|' +
                window->windowTitle() + '|' + Details(*window)->model()->headerData(0, Qt::Horizontal).toString())
            .toStdString();
    };
    LanguageHolder().SetLanguage(LangGerman);
    EXPECT_EQ(captions(), "Antworten...|Anhänge (2)|letter.xvt (schreibgeschützt)|Dateiname");
    for (int step = 0; step < 3; ++step) {
        LanguageHolder().NextLanguage();
    }
    EXPECT_EQ(captions(), "Reply...|Attachments (2)|letter.xvt (read only)|Filename");
    EXPECT_EQ(FSettings.ActiveLanguage, LangEnglish);
}

TEST_F(ContainerFormTest, MemoOfSixCharactersIsPlainText)
{
    for (const auto& [memo, shown] : {std::pair{"{\\rtf1", "{\\rtf1"},
                                      {"{\\rtf1\\ansi Hello}", "Hello"},
                                      {"Plain\r\nlines", "Plain\nlines"},
                                      {" {\\rtf1 x}", " {\\rtf1 x}"}}) {
        EXPECT_EQ(Editor(*MakeWindow({.FMemo = memo})).toPlainText().toStdString(), shown) << memo;
    }
}

TEST_F(ContainerFormTest, CloseQueryRunsTheCloseFlowAndTheWindowLeavesTheSession)
{
    const auto window = MakeWindow({});
    FCommands.FCloses = false;
    EXPECT_FALSE(window->close());
    EXPECT_EQ(FSession.Windows().size(), 1u);
    FCommands.FCloses = true;
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(FSession.Windows().empty());
}

TEST_F(ContainerFormTest, FiltersOfTheMessageTableBecomeFileDialogFilters)
{
    // Whether the last filter shows a file without a dot in its name, read from its parentheses
    // as the file dialog reads them.
    for (const auto& [filter, qt, suffix, showsReadme] :
         {std::tuple{"Container files (*.xvt)|*.xvt", "Container files (*.xvt)", "xvt", false},
          {"Containers|*.xvt;*.bwk|All files (*.*)|*.*", "Containers (*.xvt *.bwk);;All files (*)", "xvt", true},
          {"Texts|*.txt; *.*x", "Texts (*.txt *.*x)", "txt", false}}) {
        const QString built = TQtDialogs::QtFilter(filter);
        EXPECT_EQ(built.toStdString(), qt);
        EXPECT_EQ(TQtDialogs::DefaultSuffix(filter).toStdString(), suffix);
        const QString patterns = built.section(QLatin1Char('('), -1).chopped(1);
        EXPECT_EQ(QDir::match(patterns.split(QLatin1Char(' ')), QStringLiteral("README")), showsReadme) << filter;
    }
    EXPECT_TRUE(TQtDialogs::QtFilter("").isEmpty());
}

TEST_F(ContainerFormTest, StoredSizeIsTakenOnlyWhenComplete)
{
    FSettings.fContainer_UserDimensions = true;
    for (const auto& [height, taken] : {std::pair{511, true}, {0, false}}) {
        FSettings.fContainer_Width = 733;
        FSettings.fContainer_Height = height;
        const auto window = MakeWindow({});
        window->BringToFront();
        EXPECT_EQ(window->size() == QSize(733, 511), taken) << height;
        EXPECT_EQ(window->width() == 733, taken) << "a stored width without a height is left alone";
    }
}

TEST_F(ContainerFormTest, OnlyWebAndPlainMailLinksOpenOnAClickAndShowThePointingHandAndEveryLinkItsTarget)
{
    // A received memo's links and addresses written as plain text (no link target), each with the
    // address a click hands to the opener and its tooltip shows (none: it stays text, and a link's
    // tooltip says so).
    const struct
    {
        const char* FTarget;
        const char* FShown;
        const char* FOpened;
    } links[] = {
        {"https://example.org/", "link0", "https://example.org/"},
        {"mailto:a@example.org?subject=Hi&attach=/home/u/.ssh/id_rsa", "link1", "mailto:a@example.org?subject=Hi"},
        {"file:///tmp/x.desktop", "link2", nullptr},
        {"/usr/bin/xterm", "link3", nullptr},
        {"smb://server/share/x.exe", "link4", nullptr},
        {"", "www.example.org/plain", "http://www.example.org/plain"},
        {"", "someone@example.org", "mailto:someone@example.org"},
        {"", "file:///etc/passwd", nullptr},
    };
    std::string rtf = "{\\rtf1\\ansi ";
    for (const auto& link : links) {
        rtf += *link.FTarget == 0 ? "(" + std::string(link.FShown) + ").\\par "
                                  : "{\\field{\\*\\fldinst HYPERLINK \"" + std::string(link.FTarget) +
                                        "\"}{\\fldrslt " + link.FShown + "}}\\par ";
    }
    ScriptedQuestions user;
    const auto window = MakeWindow({.FWritable = false, .FMemo = rtf + "}"});
    window->SetDialogs(&user);
    window->BringToFront();
    TMemoEdit& view = Editor(*window, "ReadOnlyView");
    for (const auto& [target, shown, opened] : links) {
        SCOPED_TRACE(shown);
        QTextCursor text = view.document()->find(QString::fromLatin1(shown));
        text.setPosition(text.selectionStart() + 2);
        view.setTextCursor(text);
        view.ensureCursorVisible();
        const QPoint at = view.cursorRect(text).center();
        ASSERT_EQ(view.anchorAt(at).toStdString(), target) << "the text itself is left as it is";
        QTest::mouseMove(view.viewport(), at);
        EXPECT_EQ(view.viewport()->cursor().shape(), opened ? Qt::PointingHandCursor : Qt::IBeamCursor);
        if (opened != nullptr || *target != 0) {
            QHelpEvent hover(QEvent::ToolTip, at, view.viewport()->mapToGlobal(at));
            QApplication::sendEvent(view.viewport(), &hover);
            EXPECT_EQ(QToolTip::text().toStdString(),
                      opened ? opened
                             : "'" + std::string(target) +
                                   "' is not opened: links in the text open only web pages and mail addresses.");
        }
        user.FShellOpened.clear();
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, at);
        EXPECT_EQ(user.FShellOpened, opened ? std::vector<std::string>{opened} : std::vector<std::string>{});
    }
}
