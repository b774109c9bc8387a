// The container window work end to end: the program's objects wired as the program wires them,
// the real windows offscreen, the user scripted, the saved container read by the real
// command-line tool.
#include "ContainerFixture.h"
#include "app/ApplicationCommands.h"
#include "app/OpenContainer.h"
#include "app/Sandbox.h"
#include "app/ScriptedQuestions.h"
#include "app/Session.h"
#include "app/TemporaryFiles.h"
#include "cli/RunProgram.h"
#include "container/ExtraString.h"
#include "language/LangWatchable.h"
#include "language/Messages.h"
#include "language/MsgText.h"
#include "mail/DesktopMailClient.h"
#include "settings/Settings.h"
#include "ui/container/AttachmentModel.h"
#include "ui/container/ContainerForm.h"
#include "ui/container/ContainerWindowFactory.h"
#include "ui/password/PasswordDialogs.h"
#include "ui/start/StartForm.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QApplication>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <stdexcept>
#include <sys/stat.h>
#include <utime.h>

namespace {

using Kind = ScriptedQuestions::Kind;

// The program's window factory, each window it makes given the scripted user's dialogs.
class TScriptedWindowFactory : public IContainerWindowFactory
{
public:
    TScriptedWindowFactory(TSettings& settings, TSession& session, IDialogs& dialogs)
        : FFactory(settings, session), FDialogs(dialogs)
    {
    }

    void SetCommands(IContainerCommands& commands, IAppCommands& appCommands)
    {
        FFactory.SetCommands(commands, appCommands);
    }

    IContainerWindow& CreateContainerWindow() override
    {
        auto& window = dynamic_cast<TContainerForm&>(FFactory.CreateContainerWindow());
        window.SetDialogs(&FDialogs);
        FWindows.emplace_back(&window);
        return window;
    }

    // Every window made, null once it has been freed.
    std::vector<QPointer<TContainerForm>> FWindows;

private:
    TContainerWindowFactory FFactory;
    IDialogs& FDialogs;
};

// The scripted user, who answers a password question in the program's own dialog while texts
// wait in FTyping: the first one is typed, key by key, into every field of the dialog, then OK.
class TUserAtTheDialogs : public ScriptedQuestions
{
public:
    explicit TUserAtTheDialogs(TSettings& settings) : FSettings(settings) {}

    bool AskPassword(TText caption, TText initial, std::string& password) override
    {
        return FTyping.empty() ? ScriptedQuestions::AskPassword(caption, initial, password)
                               : TypeInto([&] { return ::AskPassword(Text(caption), initial, password, FSettings); });
    }
    bool AskNewPassword(TText caption, TText initial, std::string& password) override
    {
        return FTyping.empty()
                   ? ScriptedQuestions::AskNewPassword(caption, initial, password)
                   : TypeInto([&] { return ::AskNewPassword(nullptr, Text(caption), initial, password, FSettings); });
    }

    std::vector<QString> FTyping;

private:
    static QString Text(TText text) { return QString::fromStdString(text); }

    template <typename TAsk> bool TypeInto(TAsk ask)
    {
        const QString typed = FTyping.front();
        FTyping.erase(FTyping.begin());
        QTimer::singleShot(0, [typed] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (dialog == nullptr) {
                ADD_FAILURE() << "no password dialog to type into";
                return;
            }
            for (QLineEdit* field : dialog->findChildren<QLineEdit*>()) {
                field->clear();
                for (const QChar character : typed) {
                    QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(character), Qt::NoModifier);
                }
            }
            QTest::mouseClick(dialog->findChild<QAbstractButton*>(QStringLiteral("OkButton")), Qt::LeftButton);
        });
        return ask();
    }

    TSettings& FSettings;
};

struct TUserFile
{
    std::string FName;
    std::string FBytes;
    std::time_t FModified;
};

std::time_t ModifiedOf(const std::string& fileName)
{
    struct stat status = {};
    return ::stat(fileName.c_str(), &status) == 0 ? status.st_mtime : -1;
}

// The session, the start dialogs, the mail program, the window factory, the commands and the
// start window, built and wired as the program does; one scripted user answers for the start
// window and every container window.
class EndToEndTest : public ContainerFixture
{
protected:
    static constexpr const char* Password = "Tr0ub4dor&3";

    EndToEndTest()
    {
        LanguageHolder().SetLanguage(LangEnglish);
        FSettings.TempPath = FDir.File("work");
        std::filesystem::create_directory(FSettings.TempPath);
        FSettings.DefaultCurrentDirectory = FDir.Path();
        // The scratch folder stands for the user's own folders, the sandbox's for the temporary ones.
        FSession.SetTemporaryFolders({FSandbox.TemporaryFolder()});
        FFactory.SetCommands(FCommands, FCommands);
        FStartForm.show();
    }

    ~EndToEndTest() override
    {
        for (const QPointer<TContainerForm>& window : FFactory.FWindows) {
            delete window.data();
        }
    }

    // The files written below "originals", each with its modification time.
    std::vector<std::string> MakeUserFiles(const std::vector<TUserFile>& files)
    {
        std::vector<std::string> names;
        for (const TUserFile& file : files) {
            names.push_back(MakeFile("originals/" + file.FName, file.FBytes));
            const utimbuf times{file.FModified, file.FModified};
            EXPECT_EQ(::utime(names.back().c_str(), &times), 0);
        }
        return names;
    }

    static void Click(QWidget& window, const char* name)
    {
        auto* button = window.findChild<QAbstractButton*>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        ASSERT_TRUE(button->isVisible() && button->isEnabled()) << name << " cannot be clicked";
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // The window made last; ends the test when there is none.
    TContainerForm& LastWindow()
    {
        if (FFactory.FWindows.empty() || FFactory.FWindows.back().isNull()) {
            throw std::logic_error("no container window");
        }
        return *FFactory.FWindows.back();
    }

    static QTextEdit& Editor(TContainerForm& window)
    {
        return *qobject_cast<QTextEdit*>(window.findChild<QStackedWidget*>("Editors")->currentWidget());
    }

    static std::string FileName(TContainerForm& window) { return window.Shown().Container().FileName(); }

    void AddFiles(TContainerForm& window, const std::vector<std::string>& fileNames)
    {
        FUser.ExpectChoice(Kind::OpenFiles, MsgText(msg::AddAttachmentsEllipsis), fileNames);
        Click(window, "AddAttachmentsButton");
    }

    void SaveAs(TContainerForm& window, const std::string& fileName)
    {
        FUser.ExpectChoice(Kind::SaveFile, MsgText(msg::SaveContainer), {fileName},
                           std::filesystem::path(FileName(window)).filename().string());
        FUser.ExpectPassword(Kind::NewPassword, MsgText(msg::Password), "", Password);
        Click(window, "SaveAsButton");
    }

    // Closes the window with its close button; true when it has closed and been freed.
    bool Close(TContainerForm& window)
    {
        const QPointer<TContainerForm> closing(&window);
        Click(window, "CloseButton");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return closing.isNull();
    }

    // The file opened through the start window's Load button, in a window of its own.
    TContainerForm& Open(const std::string& fileName)
    {
        FUser.ExpectChoice(Kind::OpenFile, MsgText(msg::Open), {fileName});
        FUser.ExpectPassword(Kind::Password, MsgText(msg::Password), FSession.RememberedPassword(), Password);
        Click(FStartForm, "LoadButton");
        return LastWindow();
    }

    static void ExpectListed(TContainerForm& window, const std::vector<TUserFile>& files)
    {
        const auto* model = window.findChild<TAttachmentModel*>();
        ASSERT_EQ(model->rowCount(), static_cast<int>(files.size()));
        for (int row = 0; row < model->rowCount(); ++row) {
            const TUserFile& file = files[static_cast<std::size_t>(row)];
            EXPECT_EQ(model->index(row, TAttachmentModel::ColumnName).data().toString().toStdString(), file.FName);
            const QString size = model->index(row, TAttachmentModel::ColumnSize).data().toString();
            EXPECT_EQ(QString(size).remove(QRegularExpression(QStringLiteral("\\D"))).toStdString(),
                      std::to_string(file.FBytes.size()))
                << file.FName;
        }
    }

    TProgramRun Cli(const std::vector<std::string>& arguments, const std::string& password = Password)
    {
        const std::string passwordFile = FDir.File("password.txt");
        WriteWholeFile(passwordFile, password + "\n");
        std::vector<std::string> withPassword = arguments;
        withPassword.insert(withPassword.begin() + 1, {"--password-file", passwordFile});
        return RunProgram(SEALVANE_CLI_PATH, withPassword, "", FDir.Path(), {"LANG=C.UTF-8"});
    }

    Sandbox FSandbox;
    TSettings FSettings{[](const std::string& caption, const std::string& text) {
        ADD_FAILURE() << "settings error [" << caption << "] " << text;
    }};
    TTemporaryFiles FTemporaryFiles;
    TSession FSession{FTemporaryFiles};
    TUserAtTheDialogs FUser{FSettings};
    TDesktopMailClient FMail{
        [this](const std::string& caption, const std::string& text) { FUser.ShowInfoBox(caption, text); }};
    TScriptedWindowFactory FFactory{FSettings, FSession, FUser};
    TApplicationCommands FCommands{FSettings, FSession, FFactory, FUser, FMail};
    TStartForm FStartForm{FSettings, FTemporaryFiles, FCommands};
};

} // namespace

TEST_F(EndToEndTest, ComposedContainerComesBackWhole)
{
    const std::vector<TUserFile> files = {
        {"empty.dat", "", 1'000'000'000},
        {"Łódź-Привет.txt", "Zażółć gęślą jaźń\n", 1'300'000'000},
        {"random.bin", PatternBytes(1 << 20, 7), 1'600'000'000},
    };
    const std::vector<std::string> originals = MakeUserFiles(files);

    Click(FStartForm, "NewButton");
    TContainerForm& composed = LastWindow();
    QTextEdit& editor = Editor(composed);
    QTest::keyClicks(&editor, "Greetings from the bold window");
    editor.setTextCursor(editor.document()->find("bold"));
    Click(composed, "BoldButton");
    editor.moveCursor(QTextCursor::End);
    QTest::keyClick(&editor, Qt::Key_Return);
    QTest::keyClicks(&editor, "Apples");
    Click(composed, "BulletsButton");
    QTest::keyClick(&editor, Qt::Key_Return);
    QTest::keyClicks(&editor, "Pears");
    AddFiles(composed, originals);
    const std::string saved = FDir.File("letter.xvt");
    SaveAs(composed, saved);
    ASSERT_TRUE(FUser.AllAsked());
    ASSERT_EQ(FileName(composed), saved);
    const std::string savedBytes = ReadWholeFile(saved);
    EXPECT_TRUE(Close(composed)) << "a saved window closes without a question";
    EXPECT_EQ(ReadWholeFile(saved), savedBytes) << "closing a saved window leaves its file alone";

    TContainerForm& opened = Open(saved);
    // One paragraph with its bold word, then one bulleted list ("-" is the disc) of two items.
    EXPECT_EQ(Editor(opened).document()->toMarkdown().toStdString(),
              "Greetings from the **bold** window\n\n- Apples\n- Pears\n");
    ExpectListed(opened, files);

    const std::string extracted = FDir.File("extracted");
    std::filesystem::create_directory(extracted);
    FUser.ExpectChoice(Kind::Folder, MsgText(msg::ExtractTextAndAttachments), {extracted});
    Click(opened, "ExtractAllButton");
    // In a folder named after the container, with the text beside the files.
    EXPECT_NE(ReadWholeFile(extracted + "/letter/letter.rtf").find("Pears"), std::string::npos);
    for (const TUserFile& file : files) {
        const std::string copy = extracted + "/letter/" + file.FName;
        EXPECT_TRUE(ReadWholeFile(copy) == file.FBytes) << file.FName;
        EXPECT_EQ(ModifiedOf(copy), file.FModified) << file.FName;
    }

    ASSERT_TRUE(Close(opened));
    const TProgramRun list = Cli({"list", saved});
    EXPECT_EQ(list.ExitCode, 0) << list.Err;
    for (const TUserFile& file : files) {
        EXPECT_NE(list.Out.find(file.FName), std::string::npos) << list.Out;
    }
    const TProgramRun memo = Cli({"memo", saved, "--plain"});
    EXPECT_EQ(memo.ExitCode, 0) << memo.Err;
    EXPECT_EQ(memo.Out, "Greetings from the bold window\n\xE2\x80\xA2 Apples\n\xE2\x80\xA2 Pears\n");
}

TEST_F(EndToEndTest, CancelledLargeAddLeavesTheSavedContainerAsItWas)
{
    const std::vector<TUserFile> kept = {{"note.txt", "kept\n", 1'500'000'000}};
    Click(FStartForm, "NewButton");
    TContainerForm& window = LastWindow();
    AddFiles(window, MakeUserFiles(kept));
    const std::string saved = FDir.File("kept.xvt");
    SaveAs(window, saved);
    ASSERT_EQ(FileName(window), saved);
    const std::string before = ReadWholeFile(saved);

    // A sparse file of 1 GiB; the user cancels right after the first step of its progress.
    const std::string large = FDir.File("large.img");
    WriteWholeFile(large, "");
    std::filesystem::resize_file(large, std::uintmax_t{1} << 30);
    FUser.FCancelAtStep = FUser.FProgressSteps + 2;
    AddFiles(window, {large});
    EXPECT_TRUE(FUser.AllAsked());
    EXPECT_GE(FUser.FProgressSteps, FUser.FCancelAtStep) << "the add never reached its Cancel";
    EXPECT_TRUE(ReadWholeFile(saved) == before) << "the cancelled add changed the container";
    ExpectListed(window, kept);
    EXPECT_TRUE(Close(window));
    EXPECT_TRUE(ReadWholeFile(saved) == before) << "the window's close changed the container";
    ExpectListed(Open(saved), kept);
}

// The user closes the window at work and ends the program while its save runs: the window
// closes, and the program ends, once the save is done.
TEST_F(EndToEndTest, ClosingAndEndingDuringASaveWaitForIt)
{
    Click(FStartForm, "NewButton");
    TContainerForm& window = LastWindow();
    AddFiles(window, MakeUserFiles({{"large.bin", PatternBytes(1 << 20), 1'500'000'000}}));
    const QPointer<TContainerForm> saving(&window);
    const QSignalSpy ending(&FStartForm, &TStartForm::programEnding);
    bool closedInside = true;
    FUser.FDuringProgress = [&] {
        window.close();
        FStartForm.CloseForReal();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        closedInside = saving.isNull() || !window.isVisible() || !ending.isEmpty();
    };
    const std::string saved = FDir.File("saved.xvt");
    SaveAs(window, saved);
    EXPECT_FALSE(closedInside);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(saving.isNull() && ending.size() == 1);
    const TProgramRun list = Cli({"list", saved});
    EXPECT_NE(list.Out.find("large.bin"), std::string::npos) << list.Err;
}

// A container written by another program, opened and closed, stays byte for byte as it was: in
// the user's own folder (where the window could write it) with rich text the window cannot show
// whole (a picture, a table) and with plain text, and in a temporary folder, where the window only
// reads it. What the user types is written.
TEST_F(EndToEndTest, OpeningAndClosingChangesNothingAndTypingWrites)
{
    // As a word processor writes it: a picture, then a table of two cells.
    const std::string pictureAndTable =
        "{\\rtf1\\ansi\\deff0\\adeflang1025{\\fonttbl{\\f0\\froman\\fprq2\\fcharset0 Liberation Serif;}}"
        "{\\*\\generator LibreOffice/7.4.7.2$Linux_X86_64 LibreOffice_project/40$Build-2}\\deftab709\r\n"
        "\\pard\\plain \\s0\\loch\\f0\\fs24{\\loch A picture:}\r\n"
        "\\par \\pard\\plain \\s0{\\*\\shppict{\\pict\\picscalex100\\picscaley100\\picw1\\pich1\\picwgoal15\\pichgoal15"
        "\\pngblip\r\n89504e470d0a1a0a0000000d49484452000000010000000108060000001f15c489}}\r\n"
        "\\par \\trowd\\trql\\trleft0\\ltrrow\\cellx4819\\cellx9638\\pard\\plain \\s0\\intbl{\\loch One}\\cell"
        "\\pard\\plain \\s0\\intbl{\\loch Two}\\cell\\row\\pard\\plain \\s0{\\loch After the table.}\r\n\\par }";
    FSettings.OwnMailAddresses = JoinSeparated({"me@example.org"});
    TExtraString own(true);
    own.SetField(TExtraString::SenderAddress, "me@example.org");
    const struct
    {
        std::string FFile;
        std::string FMemo;
        bool FReadOnly;
    } cases[] = {{FDir.File("picture.xvt"), pictureAndTable, false},
                 {FDir.File("plain.xvt"), "Plain text\r\nof another program", false},
                 {FSandbox.TemporaryFolder() + "/dropped.xvt", pictureAndTable, true}};
    for (const auto& [file, memo, readOnly] : cases) {
        SCOPED_TRACE(file);
        MakeContainer(file, Password, {{"a.txt", "alpha"}}, memo, own.Serialize());
        const std::string before = ReadWholeFile(file);
        TContainerForm& window = Open(file);
        EXPECT_EQ(window.windowTitle().contains(QStringLiteral("(read only)")), readOnly);
        EXPECT_EQ(Editor(window).objectName() == QStringLiteral("ReadOnlyView"), readOnly);
        ASSERT_TRUE(Close(window));
        EXPECT_TRUE(ReadWholeFile(file) == before) << "opening and closing changed the container";
    }

    // Compose mode: the user's own container with extra value 0.
    TContainerForm& composed = Open(cases[1].FFile);
    ASSERT_TRUE(composed.ComposeMode());
    Editor(composed).moveCursor(QTextCursor::End);
    QTest::keyClicks(&Editor(composed), " and mine");
    ASSERT_TRUE(Close(composed));
    const TProgramRun memo = Cli({"memo", cases[1].FFile, "--plain"});
    EXPECT_EQ(memo.Out, "Plain text\nof another program and mine\n") << memo.Err;
}

// A password typed in the program's dialogs and one given to the command-line tool become the
// same key: what either makes, the other opens. "Äpfel €-café" is all Windows-1252 (€ is 0x80);
// ✓ is not, so "Schlüssel ✓ 7" stays UTF-8. With SEALVANE_KEEP_TYPED_CONTAINERS naming a folder,
// the containers saved through the dialog are left there as typed-N.xvt for the browser page's
// test.
TEST_F(EndToEndTest, APasswordTypedInTheDialogsIsTheToolsPassword)
{
    const char* keep = std::getenv("SEALVANE_KEEP_TYPED_CONTAINERS");
    const std::vector<TUserFile> files = {{"note.txt", "kept\n", 1'500'000'000}};
    const std::vector<std::string> originals = MakeUserFiles(files);
    const std::string passwords[] = {"\xC3\x84pfel \xE2\x82\xAC-caf\xC3\xA9", "Schl\xC3\xBCssel \xE2\x9C\x93 7"};
    // The first in format 4, the second in format 5, chosen in the settings and on the command line.
    const std::string formats[] = {"4", "5"};
    for (std::size_t n = 0; n < std::size(passwords); ++n) {
        const std::string& password = passwords[n];
        SCOPED_TRACE(password);
        FSettings.NewContainerFormat = std::stoi(formats[n]);
        Click(FStartForm, "NewButton");
        TContainerForm& composed = LastWindow();
        AddFiles(composed, originals);
        const std::string saved = FDir.File("typed-" + std::to_string(n) + ".xvt");
        FUser.ExpectChoice(Kind::SaveFile, MsgText(msg::SaveContainer), {saved},
                           std::filesystem::path(FileName(composed)).filename().string());
        FUser.FTyping = {QString::fromStdString(password)};
        Click(composed, "SaveAsButton");
        ASSERT_EQ(FileName(composed), saved);
        ASSERT_TRUE(Close(composed));
        const TProgramRun list = Cli({"list", saved}, password);
        EXPECT_EQ(list.ExitCode, 0) << list.Err;
        EXPECT_NE(list.Out.find("note.txt"), std::string::npos) << list.Out;
        EXPECT_NE(Cli({"info", saved}, password).Out.find("Format:           " + formats[n] + "\n"), std::string::npos);
        if (keep != nullptr) {
            std::filesystem::copy_file(saved, std::filesystem::path(keep) / std::filesystem::path(saved).filename(),
                                       std::filesystem::copy_options::overwrite_existing);
        }

        const std::string made = FDir.File("made-" + std::to_string(n) + ".xvt");
        const TProgramRun create = Cli({"create", "--format", formats[n], made, originals[0]}, password);
        ASSERT_EQ(create.ExitCode, 0) << create.Err;
        FUser.ExpectChoice(Kind::OpenFile, MsgText(msg::Open), {made});
        FUser.FTyping = {QString::fromStdString(password)};
        Click(FStartForm, "LoadButton");
        EXPECT_TRUE(FUser.AllAsked());
        ASSERT_EQ(FileName(LastWindow()), made) << "the dialog's password did not open the tool's container";
        ASSERT_TRUE(Close(LastWindow()));
    }
}

// "Send..." through the desktop's mail program, a recording stand-in for Thunderbird found on the
// search path: an own address in the box goes to nobody and is stored as the sender; another
// address (a reply's) is the recipient while the sender stays the user's. The copies handed over
// lie in the folder of sent copies and outlive the program's end, which a draft still needs.
TEST_F(EndToEndTest, SendingAddressesTheRightPersonAndKeepsTheCopyPastTheEnd)
{
    namespace fs = std::filesystem;
    const std::string bin = FDir.File("bin"), recorded = bin + "/thunderbird.args";
    fs::create_directories(FDir.File("data/applications"));
    MakeFile("bin/xdg-mime", "#!/bin/sh\necho thunderbird.desktop\n");
    MakeFile("bin/thunderbird", "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$0.tmp\" && /bin/mv \"$0.tmp\" \"$0.args\"\n");
    fs::permissions(bin + "/xdg-mime", fs::perms::owner_exec, fs::perm_options::add);
    fs::permissions(bin + "/thunderbird", fs::perms::owner_exec, fs::perm_options::add);
    MakeFile("data/applications/thunderbird.desktop", "[Desktop Entry]\nType=Application\nExec=thunderbird %u\n");
    const QByteArray path = qgetenv("PATH"), dataDirs = qgetenv("XDG_DATA_DIRS");
    qputenv("PATH", QByteArray::fromStdString(bin));
    qputenv("XDG_DATA_DIRS", QByteArray::fromStdString(FDir.File("data")));
    FSettings.LastUsedMailAddress = "me@example.org";
    FSettings.SentCopiesFolder = FDir.File("sent");

    const struct
    {
        const char* FBox;
        const char* FTo; // the compose field handed over, or nullptr for none
    } rows[] = {{"Me@Example.org", nullptr}, {"bob@example.net", "to=bob%40example.net"}};
    for (const auto& [box, to] : rows) {
        SCOPED_TRACE(box);
        Click(FStartForm, "NewButton");
        TContainerForm& composed = LastWindow();
        QTest::keyClicks(&Editor(composed), "Meet at noon");
        composed.findChild<QComboBox*>("ReplyAddress")->setEditText(QString::fromLatin1(box));
        FUser.ExpectPassword(Kind::NewPassword, MsgText(msg::Password), "", Password);
        Click(composed, "SendButton");
        ASSERT_TRUE(FUser.AllAsked());
        for (int waited = 0; !fs::exists(recorded) && waited < 5000; waited += 20) {
            QTest::qWait(20);
        }
        const std::string arguments = ReadWholeFile(recorded);
        fs::remove(recorded);
        EXPECT_EQ(arguments.find("to="), to == nullptr ? std::string::npos : arguments.find(to)) << arguments;
    }
    qputenv("PATH", path);
    qputenv("XDG_DATA_DIRS", dataDirs);

    // The program's end wipes its temporary files; the copies are no such files.
    FTemporaryFiles.WipeTemporaryFiles(1);
    std::vector<std::string> copies;
    for (const fs::directory_entry& entry : fs::directory_iterator(FSettings.SentCopiesFolder)) {
        copies.push_back(entry.path().string());
    }
    ASSERT_EQ(copies.size(), std::size(rows));
    for (const std::string& copy : copies) {
        const TProgramRun info = Cli({"info", copy});
        EXPECT_EQ(info.ExitCode, 0) << info.Err;
        const std::string sender = QString::fromStdString(info.Out).toLower().toStdString();
        EXPECT_NE(sender.find("sender address: me@example.org\n"), std::string::npos) << info.Out;
    }
}
