#include "ui/start/StartForm.h"
#include "ui/RecordingCommands.h"
#include "ui/WindowTest.h"
#include "app/ScriptedQuestions.h"
#include "ui/password/DecryptPasswordForm.h"

#include <QSignalSpy>
#include <QToolButton>

namespace {

using Calls = std::vector<std::string>;

class StartFormTest : public WindowTest
{
protected:
    // The start window, shown, and the signal that ends the program, recorded.
    std::unique_ptr<TStartForm> MakeForm(bool show = true)
    {
        auto form = std::make_unique<TStartForm>(FSettings, FTemporaryFiles, FCommands);
        form->SetUserInterface(&FUser);
        if (show) {
            form->show();
        }
        FEnding = std::make_unique<QSignalSpy>(form.get(), &TStartForm::programEnding);
        return form;
    }

    TSession FSession{FTemporaryFiles};
    TRecordingCommands FCommands{&FSession};
    ScriptedQuestions FUser;
    std::unique_ptr<QSignalSpy> FEnding;
};

} // namespace

TEST_F(StartFormTest, PlacementIsTheCornerOfTheWorkAreaKeptOnTheScreen)
{
    // A taskbar on the left moves the origin; a tiny screen never to negative coordinates.
    EXPECT_EQ(TStartForm::DefaultPosition(QRect(48, 0, 1232, 800), QSize(1280, 800), QSize(249, 140)).x(),
              48 + 1232 - 249 - 60);
    EXPECT_EQ(TStartForm::DefaultPosition(QRect(0, 0, 200, 100), QSize(200, 100), QSize(249, 140)), QPoint(0, 0));

    FSettings.fStart_UserPositioning = true;
    FSettings.fStart_Left = 5000;
    FSettings.fStart_Top = -30;
    const auto form = MakeForm(false);
    EXPECT_GE(form->x(), 0);
    EXPECT_LE(form->x() + form->width(), 5000);
    EXPECT_EQ(form->y(), 0);
}

TEST_F(StartFormTest, TrayClicksCountWithinHalfASecondAndOutlookShowsItsButton)
{
    const auto form = MakeForm(false);
    const auto* outlook = form->findChild<QToolButton*>("OutlookButton");
    EXPECT_FALSE(outlook->isVisibleTo(form.get()));
    // Clicks, then the calls once the tray-click timer has decided (half a second after the last
    // click) and nothing more comes.
    const auto clicks = [&](int count, std::size_t calls) {
        FCommands.FCalls.clear();
        for (int n = 0; n < count; ++n) {
            form->CountTrayClick();
        }
        EXPECT_TRUE(QTest::qWaitFor([&] { return FCommands.FCalls.size() >= calls; }, 5000));
        QTest::qWait(600);
        return FCommands.FCalls;
    };
    EXPECT_EQ(clicks(1, 1), (Calls{"NewContainer"})) << "one click: a new container";
    EXPECT_EQ(clicks(2, 1), (Calls{"OpenContainerFile:"})) << "two clicks: a file, Outlook being absent";
    FCommands.FOutlook = true;
    form->RefreshStatus();
    EXPECT_TRUE(outlook->isVisibleTo(form.get()));
    EXPECT_EQ(clicks(3, 1), (Calls{"Outlook:loud"}));
    EXPECT_EQ(clicks(1, 1), (Calls{"NewContainer"})) << "the count never carries over";
}

TEST_F(StartFormTest, TrayModeHidesOnCloseAndTheMenuCloseEndsTheProgram)
{
    FSettings.fStart_TrayMode = true;
    const auto form = MakeForm();
    form->close();
    EXPECT_TRUE(FEnding->isEmpty());
    EXPECT_TRUE(form->IsHiddenInTray() || form->isMinimized()) << "no tray offscreen: minimised instead";
    EXPECT_TRUE(FCommands.FCalls.empty());
    form->CloseForReal();
    EXPECT_EQ(FEnding->size(), 1);
    EXPECT_EQ(FCommands.FCalls, (Calls{"CloseContainerWindows"}));
}

TEST_F(StartFormTest, HandOversAndEndingDuringAFlowWaitForItsEndInOrder)
{
    const auto form = MakeForm();
    const std::string container = FSandbox.File("mail.xvt");
    WriteWholeFile(container, "x");
    {
        const TSession::TFlowGuard flow(FSession);
        form->HandleForwardedText(QString::fromStdString(container));
        form->close();
        form->CloseForReal();
        EXPECT_TRUE(FCommands.FCalls.empty() && FEnding->isEmpty() && form->isVisible());
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(FCommands.FCalls, (Calls{"DropFile:" + container, "CloseContainerWindows"}));
    EXPECT_EQ(FEnding->size(), 1) << "ended once";
}

TEST_F(StartFormTest, HomeAndUpdatePagesThatCannotOpenAreShown)
{
    FSandbox.Install();
    RemoveWebBrowsers();
    const auto form = MakeForm(false);
    const auto cannotOpen = [](const std::string& address) {
        return "Cannot open '" + address + "'! No web browser or other program is set up to open it.";
    };
    FUser.ExpectInfoBox("Error", cannotOpen("https://www.sealvane.org/download/"))
        .ExpectInfoBox("Error", cannotOpen("https://www.sealvane.org/"));
    form->findChild<QAction*>("UpdateAction")->trigger();
    QTest::mouseDClick(form->findChild<QWidget*>("DropZone"), Qt::LeftButton);
    EXPECT_TRUE(FUser.AllAsked());
    // The password dialog's logo opens the home page too, with the program's own message box.
    TDecryptPasswordForm decrypt(FSettings, nullptr);
    std::string shown;
    RecordNextMessageBox(shown);
    QTest::mouseClick(decrypt.findChild<QWidget*>("Logo"), Qt::LeftButton);
    EXPECT_EQ(shown, "Error: " + cannotOpen("https://www.sealvane.org/"));
}
