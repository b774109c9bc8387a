#include "ui/ContainerForm.h"
#include "RecordingCommands.h"
#include "TempDir.h"
#include "app/ContainerCommands.h"
#include "app/Sandbox.h"
#include "app/Session.h"
#include "app/TemporaryFiles.h"
#include "container/ExtraString.h"
#include "container/RandomCryptoContainer.h"
#include "language/LangWatchable.h"
#include "settings/Settings.h"
#include "ui/AttachmentModel.h"
#include "ui/AttachmentView.h"
#include "ui/FormatBar.h"
#include "ui/MemoEdit.h"
#include "ui/QtDialogs.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTest>
#include <QTextBlock>
#include <QTextList>
#include <QTreeView>

#include <gtest/gtest.h>

#include <map>

namespace {

// The container operations, recorded; the close flow answers as told and takes the window off
// the session's list when it lets the window close.
class TRecordingContainerCommands : public IContainerCommands
{
public:
    explicit TRecordingContainerCommands(TSession& session) : FSession(session) {}

    void SendContainer(IContainerWindow& window) override
    {
        FCalls.push_back("Send");
        window.State().FSaved = FSendSaves;
    }
    void ReplyContainer(IContainerWindow&) override { FCalls.push_back("Reply"); }
    void ForwardContainer(IContainerWindow&) override { FCalls.push_back("Forward"); }
    void ChangePassword(IContainerWindow&) override { FCalls.push_back("ChangePassword"); }
    void SaveContainerAs(IContainerWindow&) override { FCalls.push_back("SaveAs"); }
    void ExtractTextAndAttachments(IContainerWindow&) override { FCalls.push_back("ExtractAll"); }
    void ExtractText(IContainerWindow&) override { FCalls.push_back("ExtractText"); }
    void AddAttachments(IContainerWindow&) override { FCalls.push_back("Add"); }
    void ExtractAllAttachments(IContainerWindow&) override { FCalls.push_back("ExtractAllAttachments"); }
    void ExtractSelectedAttachments(IContainerWindow&) override { FCalls.push_back("ExtractSelected"); }
    void DeleteSelectedAttachments(IContainerWindow&) override { FCalls.push_back("DeleteSelected"); }
    void OpenAttachment(IContainerWindow&, int row) override { FCalls.push_back("Open:" + std::to_string(row)); }
    bool CloseContainerWindow(IContainerWindow& window) override
    {
        FCalls.push_back("Close");
        if (FCloses) {
            window.StoreGeometry();
            FSession.RemoveWindow(window);
        }
        return FCloses;
    }

    TSession& FSession;
    std::vector<std::string> FCalls;
    bool FCloses = true;
    bool FSendSaves = true;
};

// What a row of a table expects of the window: for a button whether it is shown, for a menu
// item whether it is enabled, for another control whether it is enabled.
using TExpected = std::map<std::string, bool>;

struct TContent
{
    bool FWritable = true;
    bool FNew = false;
    bool FOwn = false;
    int FExtraValue = 0;
    std::string FMemo;
    int FAttachments = 0;
};

class ContainerFormTest : public ::testing::Test
{
protected:
    void SetUp() override { LanguageHolder().SetLanguage(LangEnglish); }

    // A window holding a container with the given content, loaded as the flows leave it.
    std::unique_ptr<TContainerForm> MakeWindow(const TContent& content, const std::string& name = "letter.xvt")
    {
        const std::string file = FDir.File(name);
        {
            TRandomCryptoContainer container(Password);
            container.OpenNew(file);
            for (int n = 0; n < content.FAttachments; ++n) {
                const std::string attachment = FDir.File("file" + std::to_string(n) + ".txt");
                WriteWholeFile(attachment, std::string(static_cast<std::size_t>(10 * (n + 1)), 'x'));
                container.AddFile(attachment, FDir.Path());
            }
            container.SetMemo(content.FMemo);
            container.SetExtra(TExtraString(false).Serialize());
            container.Close();
        }
        auto container = std::make_unique<TRandomCryptoContainer>(Password);
        if (content.FWritable) {
            container->Open(file);
        } else {
            container->OpenReadOnly(file);
        }
        auto window = std::make_unique<TContainerForm>(FSettings, FSession, FCommands, FAppCommands);
        window->AssignContainer(std::move(container));
        window->State().FNew = content.FNew;
        window->State().FModified = content.FNew;
        window->State().FSaved = !content.FNew;
        window->State().FOwn = content.FOwn;
        window->State().FExtraValue = content.FExtraValue;
        window->LoadContent();
        return window;
    }

    static bool StateOf(TContainerForm& window, const std::string& name)
    {
        const QString objectName = QString::fromStdString(name);
        if (auto* action = window.findChild<QAction*>(objectName)) {
            return action->isEnabled();
        }
        if (auto* button = window.findChild<QAbstractButton*>(objectName)) {
            return button->isVisibleTo(&window);
        }
        auto* widget = window.findChild<QWidget*>(objectName);
        if (widget == nullptr) {
            ADD_FAILURE() << "no control " << name;
            return false;
        }
        return widget->objectName() == QLatin1String("FormatBar") ? widget->isVisibleTo(&window) : widget->isEnabled();
    }

    static void ExpectStates(TContainerForm& window, const TExpected& expected, const std::string& what)
    {
        for (const auto& [name, state] : expected) {
            EXPECT_EQ(StateOf(window, name), state) << what << ": " << name;
        }
    }

    static TMemoEdit& Editor(TContainerForm& window, const char* name = "Editor")
    {
        return *window.findChild<TMemoEdit*>(name);
    }

    static void SelectAttachment(TContainerForm& window, int row)
    {
        auto* view = window.findChild<TAttachmentView*>("AttachmentList");
        view->Selection()->select(view->DetailView()->model()->index(row, 0),
                                  QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    static std::vector<std::string> ListedNames(TContainerForm& window)
    {
        const QAbstractItemModel* model = window.findChild<TAttachmentView*>("AttachmentList")->DetailView()->model();
        std::vector<std::string> names;
        for (int row = 0; row < model->rowCount(); ++row) {
            names.push_back(model->index(row, 0).data().toString().toStdString());
        }
        return names;
    }

    static constexpr const char* Password = "8bytePWD";
    Sandbox FSandbox;
    TempDir FDir;
    TSettings FSettings{[](const std::string&, const std::string&) {}};
    TTemporaryFiles FTemporaryFiles;
    TSession FSession{FTemporaryFiles};
    TRecordingContainerCommands FCommands{FSession};
    TRecordingCommands FAppCommands;
};

} // namespace

TEST_F(ContainerFormTest, CommandStateFollowsEveryRuleOnBothSides)
{
    const std::string rtf = "{\\rtf1\\ansi Hello}";
    const struct
    {
        const char* FWhat;
        TContent FContent;
        bool FSelectText;
        bool FSelectAttachment;
        TExpected FExpected;
    } cases[] = {
        {"new and empty: nothing to extract, send or save",
         {true, true, false, 0, "", 0},
         false,
         false,
         {{"ExtractAllButton", false},
          {"SaveAsButton", false},
          {"ExtractAllAction", false},
          {"SaveAsAction", false},
          {"SendButton", false},
          {"SendAction", false},
          {"ReplyButton", false},
          {"ForwardAction", false},
          {"ExtractTextButton", false},
          {"ExtractTextAction", false},
          {"SelectAllAction", false},
          {"CopyAction", false},
          {"ExtractAllAttachmentsAction", false},
          {"ReplyAddress", true},
          {"AddButton", true},
          {"FormatBar", true},
          {"AddAttachmentsAction", true},
          {"ChangePasswordAction", true},
          {"PasteAction", true}}},
        {"new with text, nothing selected",
         {true, true, false, 0, "Hello", 0},
         false,
         false,
         {{"ExtractAllButton", true},
          {"SaveAsButton", true},
          {"SendButton", true},
          {"SendAction", true},
          {"ExtractTextButton", true},
          {"ExtractTextAction", true},
          {"SelectAllAction", true},
          {"CopyAction", false},
          {"CutAction", false},
          {"DeleteTextAction", false}}},
        {"new with text selected",
         {true, true, false, 0, "Hello", 0},
         true,
         false,
         {{"CopyAction", true}, {"CutAction", true}, {"DeleteTextAction", true}}},
        {"attachments without text, none selected",
         {true, true, false, 0, "", 2},
         false,
         false,
         {{"SendButton", true},
          {"SaveAsButton", true},
          {"ExtractTextButton", false},
          {"ExtractAllAttachmentsAction", true},
          {"ExtractSelectedAction", false},
          {"DeleteSelectedAction", false},
          {"DeleteButton", false},
          {"ExtractSelectedButton", false}}},
        {"an attachment selected",
         {true, true, false, 0, "", 2},
         false,
         true,
         {{"ExtractSelectedAction", true},
          {"DeleteSelectedAction", true},
          {"DeleteButton", true},
          {"ExtractSelectedButton", true}}},
        {"received: reply mode",
         {true, false, false, 0, rtf, 1},
         false,
         false,
         {{"ReplyButton", true},
          {"ForwardButton", true},
          {"ReplyAction", true},
          {"ForwardAction", true},
          {"SendButton", false},
          {"SendAction", false},
          {"ReplyAddress", false}}},
        {"read only, with an attachment and the text selected",
         {false, false, false, 0, rtf, 1},
         true,
         true,
         {{"AddButton", false},
          {"DeleteButton", false},
          {"FormatBar", false},
          {"AddAttachmentsAction", false},
          {"DeleteSelectedAction", false},
          {"ChangePasswordAction", false},
          {"PasteAction", false},
          {"CutAction", false},
          {"DeleteTextAction", false},
          {"CopyAction", true},
          {"ExtractSelectedButton", true},
          {"ExtractSelectedAction", true}}},
    };
    for (const auto& row : cases) {
        const auto window = MakeWindow(row.FContent);
        if (row.FSelectText) {
            TMemoEdit& editor = Editor(*window, row.FContent.FWritable ? "Editor" : "ReadOnlyView");
            editor.selectAll();
        }
        if (row.FSelectAttachment) {
            SelectAttachment(*window, 0);
        }
        ExpectStates(*window, row.FExpected, row.FWhat);
    }
}

TEST_F(ContainerFormTest, CaptionMarksReadOnlyAndUnsaved)
{
    const struct
    {
        bool FWritable;
        bool FNew;
        const char* FCaption;
    } cases[] = {
        {true, false, "letter.xvt"},
        {false, false, "letter.xvt (read only)"},
        {true, true, "letter.xvt (unsaved)"},
    };
    for (const auto& row : cases) {
        const auto window = MakeWindow({row.FWritable, row.FNew, false, 0, "", 2});
        EXPECT_EQ(window->windowTitle().toStdString(), row.FCaption);
        EXPECT_EQ(window->findChild<QGroupBox*>("TextGroup")->title().toStdString(), "Text (letter.rtf)");
        EXPECT_EQ(window->findChild<QGroupBox*>("AttachmentGroup")->title().toStdString(), "Attachments (2)");
        EXPECT_EQ(window->findChild<TMemoEdit*>("ReadOnlyView")->isVisibleTo(window.get()), !row.FWritable)
            << "a read-only container shows its text in the read-only view";
    }
}

TEST_F(ContainerFormTest, ComposeModeForNewOrOwnUnflaggedContainers)
{
    const struct
    {
        bool FNew;
        bool FOwn;
        int FExtraValue;
        bool FCompose;
    } cases[] = {
        {true, false, 7, true},
        {false, true, 0, true},
        {false, true, 1, false},
        {false, false, 0, false},
    };
    for (const auto& row : cases) {
        const auto window = MakeWindow({true, row.FNew, row.FOwn, row.FExtraValue, "Hi", 0});
        EXPECT_EQ(window->ComposeMode(), row.FCompose) << row.FNew << row.FOwn << row.FExtraValue;
        EXPECT_EQ(StateOf(*window, "SendButton"), row.FCompose);
        EXPECT_EQ(StateOf(*window, "ReplyButton"), !row.FCompose);
    }
}

TEST_F(ContainerFormTest, HeaderClicksSortAscendingThenDescendingThenAscending)
{
    const auto window = MakeWindow({true, false, false, 0, "", 3});
    window->show();
    window->ShowDetailView();
    const std::vector<std::string> ascending = {"file0.txt", "file1.txt", "file2.txt"};
    const std::vector<std::string> descending = {"file2.txt", "file1.txt", "file0.txt"};
    auto* header = window->findChild<TAttachmentView*>("AttachmentList")->DetailView()->header();
    const struct
    {
        int FColumn;
        const std::vector<std::string>& FOrder;
    } clicks[] = {{0, ascending}, {0, descending}, {0, ascending}, {1, ascending}, {1, descending}, {0, ascending}};
    // The catalog starts in the order of adding: sorted descending by size first, so that the
    // first ascending click on the name shows a change.
    window->SortByColumn(1);
    window->SortByColumn(1);
    EXPECT_EQ(ListedNames(*window), descending);
    for (const auto& click : clicks) {
        const QPoint middle(header->sectionViewportPosition(click.FColumn) + header->sectionSize(click.FColumn) / 2,
                            header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, middle);
        EXPECT_EQ(ListedNames(*window), click.FOrder) << "column " << click.FColumn;
    }
}

TEST_F(ContainerFormTest, ColumnPercentagesAreStoredAndRestored)
{
    const auto window = MakeWindow({true, false, false, 0, "", 1});
    window->show();
    auto* details = window->findChild<TAttachmentView*>("AttachmentList")->DetailView();
    FSettings.fContainer_AttachmentViewCol1 = 50;
    FSettings.fContainer_AttachmentViewCol2 = 20;
    FSettings.fContainer_AttachmentViewCol3 = 30;
    window->ShowDetailView();
    EXPECT_EQ(FSettings.fContainer_DefaultAttachmentView, 1);
    const int width = details->viewport()->width();
    EXPECT_NEAR(details->columnWidth(0), width * 0.5, 1);
    EXPECT_NEAR(details->columnWidth(1), width * 0.2, 1);

    details->setColumnWidth(0, width * 70 / 100);
    details->setColumnWidth(1, width * 10 / 100);
    window->ShowLargeSymbols();
    EXPECT_EQ(FSettings.fContainer_DefaultAttachmentView, 0);
    EXPECT_EQ(FSettings.fContainer_AttachmentViewCol1, 70);
    EXPECT_EQ(FSettings.fContainer_AttachmentViewCol2, 10);
    EXPECT_EQ(FSettings.fContainer_AttachmentViewCol3, 30);

    FSettings.fContainer_AttachmentViewCol1 = 0;
    window->ShowLargeSymbols();
    EXPECT_EQ(FSettings.fContainer_AttachmentViewCol1, 0) << "large symbols stores nothing when not in details";
}

TEST_F(ContainerFormTest, LanguageChangeRelabelsAnOpenWindow)
{
    const auto window = MakeWindow({false, false, false, 0, "Hi", 2});
    LanguageHolder().SetLanguage(LangGerman);
    EXPECT_EQ(window->findChild<QAbstractButton*>("ReplyButton")->text().toStdString(), "Antworten...");
    EXPECT_EQ(window->findChild<QAbstractButton*>("SaveAsButton")->text().toStdString(), "Speichern unter...");
    EXPECT_EQ(window->findChild<QGroupBox*>("AttachmentGroup")->title().toStdString(), "Anhänge (2)");
    EXPECT_EQ(window->windowTitle().toStdString(), "letter.xvt (schreibgeschützt)");
    EXPECT_EQ(window->findChild<QTreeView*>("AttachmentDetails")->model()->headerData(0, Qt::Horizontal).toString(),
              QStringLiteral("Dateiname"));
    for (int step = 0; step < 3; ++step) {
        LanguageHolder().NextLanguage();
    }
    EXPECT_EQ(window->findChild<QAbstractButton*>("ReplyButton")->text().toStdString(), "Reply...");
    EXPECT_EQ(FSettings.ActiveLanguage, LangEnglish);
}

TEST_F(ContainerFormTest, MemoOfSixCharactersIsPlainText)
{
    const struct
    {
        const char* FMemo;
        const char* FShown;
    } cases[] = {
        {"{\\rtf1", "{\\rtf1"},
        {"{\\rtf1\\ansi Hello}", "Hello"},
        {"Plain\r\nlines", "Plain\nlines"},
    };
    for (const auto& row : cases) {
        const auto window = MakeWindow({true, false, false, 0, row.FMemo, 0});
        EXPECT_EQ(Editor(*window).toPlainText().toStdString(), row.FShown) << row.FMemo;
    }
}

TEST_F(ContainerFormTest, CloseQueryRunsTheCloseFlowAndTheWindowLeavesTheSession)
{
    const auto first = MakeWindow({true, false, false, 0, "", 0});
    const auto second = MakeWindow({true, false, false, 0, "", 0}, "second.xvt");
    ASSERT_EQ(FSession.Windows().size(), 2u);
    FCommands.FCloses = false;
    EXPECT_FALSE(first->close());
    EXPECT_EQ(FSession.Windows().size(), 2u);
    FCommands.FCloses = true;
    EXPECT_TRUE(first->close());
    ASSERT_EQ(FSession.Windows().size(), 1u);
    EXPECT_EQ(second->State().FIndex, 0) << "the window after the closed one is renumbered";
}

TEST_F(ContainerFormTest, EffectsToggleOnTheWholeSelection)
{
    const auto window = MakeWindow({true, true, false, 0, "", 0});
    TMemoEdit& editor = Editor(*window);
    TFormatBar& bar = *window->findChild<TFormatBar*>("FormatBar");
    editor.setPlainText(QStringLiteral("one two"));
    QTextCursor firstWord(editor.document());
    firstWord.movePosition(QTextCursor::EndOfWord, QTextCursor::KeepAnchor);
    editor.setTextCursor(firstWord);
    bar.ToggleBold();
    const auto boldAt = [&](int position) {
        QTextCursor at(editor.document());
        at.setPosition(position);
        return at.charFormat().fontWeight() >= QFont::Bold;
    };
    EXPECT_TRUE(boldAt(2));
    editor.selectAll();
    bar.ToggleBold();
    EXPECT_TRUE(boldAt(2) && boldAt(7)) << "part bold: the whole selection becomes bold";
    bar.ToggleBold();
    EXPECT_FALSE(boldAt(2) || boldAt(7)) << "all bold: cleared";

    const auto listStyle = [&] {
        const QTextList* list = editor.textCursor().currentList();
        return list != nullptr ? list->format().style() : QTextListFormat::ListStyleUndefined;
    };
    const struct
    {
        void (TFormatBar::*FToggle)();
        QTextListFormat::Style FAfter;
    } steps[] = {{&TFormatBar::ToggleBullets, QTextListFormat::ListDisc},
                 {&TFormatBar::ToggleNumbering, QTextListFormat::ListStyleUndefined},
                 {&TFormatBar::ToggleNumbering, QTextListFormat::ListDecimal},
                 {&TFormatBar::ToggleBullets, QTextListFormat::ListDisc},
                 {&TFormatBar::ToggleBullets, QTextListFormat::ListStyleUndefined}};
    for (const auto& step : steps) {
        (bar.*step.FToggle)();
        EXPECT_EQ(listStyle(), step.FAfter);
    }
}

TEST_F(ContainerFormTest, AddressesThatALinkIsPrefilledFrom)
{
    const struct
    {
        const char* FText;
        bool FAddress;
    } cases[] = {
        {"https://example.org/a", true}, {"http://x", true},   {"mailto:a@b.c", true}, {"www.example.org", true},
        {"example.org", false},          {"see www.x", false}, {"ftp://x", false}};
    for (const auto& row : cases) {
        EXPECT_EQ(TFormatBar::LooksLikeAddress(QString::fromUtf8(row.FText)), row.FAddress) << row.FText;
    }
    EXPECT_EQ(TFormatBar::LinkTarget(QStringLiteral(" www.example.org ")), QStringLiteral("http://www.example.org"));
}

TEST_F(ContainerFormTest, FiltersOfTheMessageTableBecomeFileDialogFilters)
{
    const struct
    {
        const char* FFilter;
        const char* FQt;
        const char* FSuffix;
    } cases[] = {
        {"Container files (*.xvt)|*.xvt", "Container files (*.xvt)", "xvt"},
        {"RTF files (*.rtf) | *.rtf", "RTF files (*.rtf)", "rtf"},
        {"Containers|*.xvt;*.bwk|All files (*.*)|*.*", "Containers (*.xvt *.bwk);;All files (*.*)", "xvt"},
        {"", "", ""},
    };
    for (const auto& row : cases) {
        EXPECT_EQ(TQtDialogs::QtFilter(row.FFilter).toStdString(), row.FQt);
        EXPECT_EQ(TQtDialogs::DefaultSuffix(row.FFilter).toStdString(), row.FSuffix);
    }
}

TEST_F(ContainerFormTest, SizesAreGroupedAndDatesShowTheStoredWallClock)
{
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(TAttachmentModel::SizeText(1234567, english), QStringLiteral("1,234,567"));
    EXPECT_EQ(TAttachmentModel::SizeText(0, english), QStringLiteral("0"));
    EXPECT_EQ(TAttachmentModel::SizeText(1234567, QLocale(QLocale::German, QLocale::Germany)),
              QStringLiteral("1.234.567"));
    // 2024-03-05 14:07:00 on the wall clock, whatever the zone of this machine.
    const QString date = TAttachmentModel::DateText(1709647620, english);
    EXPECT_TRUE(date.contains(QStringLiteral("2:07")) && date.contains(QStringLiteral("3/5/24"))) << date.toStdString();
}
