#include "RecordingCommands.h"
#include "app/EXEVersion.h"
#include "app/Sandbox.h"
#include "app/TemporaryFiles.h"
#include "language/LangWatchable.h"
#include "language/Messages.h"
#include "settings/Settings.h"
#include "settings/UserFolders.h"
#include "ui/AboutForm.h"
#include "ui/DecryptPasswordForm.h"
#include "ui/EncryptPasswordForm.h"
#include "ui/FontDialog.h"
#include "ui/InfoBox.h"
#include "ui/Placement.h"
#include "ui/StartForm.h"
#include "ui/UiText.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace {

class DialogsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        LanguageHolder().SetLanguage(LangEnglish);
        FSettings.ActiveLanguage = LangEnglish;
    }

    Sandbox FSandbox;
    TSettings FSettings{[](const std::string&, const std::string&) {}};
    TTemporaryFiles FTemporaryFiles;
    TRecordingCommands FCommands;
};

QString TextOf(QWidget& window, const char* name)
{
    if (auto* button = window.findChild<QAbstractButton*>(name)) {
        return button->text();
    }
    return window.findChild<QLabel*>(name)->text();
}

// Once the next program message box shows: hands it to look, then presses its OK button.
void OnNextMessageBox(std::function<void(QWidget& box)> look)
{
    QTimer::singleShot(0, [look = std::move(look)] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->objectName() == QLatin1String("fMsgBox") && window->isVisible()) {
                look(*window);
                window->findChild<QPushButton*>("OkButton")->click();
            }
        }
    });
}

// The next program message box as "caption: text", answered with OK.
void RecordNextMessageBox(std::string& shown)
{
    OnNextMessageBox([&shown](QWidget& box) {
        shown = (box.windowTitle() + QStringLiteral(": ") + TextOf(box, "MessageText")).toStdString();
    });
}

void Click(QWidget& window, const char* name)
{
    QTest::mouseClick(window.findChild<QWidget*>(name), Qt::LeftButton);
}

} // namespace

TEST_F(DialogsTest, MessageBoxGrowsInStepsOfThirtyCharacters)
{
    // 8 pixels a character, 12 a line, a button 24 high.
    EXPECT_EQ(TInfoBox::ClientSizeFor(30, 8, 12, 24), QSize(248, 76));
    EXPECT_EQ(TInfoBox::ClientSizeFor(90, 8, 12, 24), QSize(248, 100));
    EXPECT_EQ(TInfoBox::ClientSizeFor(45, 8, 12, 24), QSize(248, 76))
        << "45 characters: one computed line, the label wraps inside it";
    EXPECT_EQ(TInfoBox::ClientSizeFor(10, 8, 12, 24), QSize(88, 76));
    EXPECT_EQ(TInfoBox::ClientSizeFor(0, 8, 12, 24).width(), 8);
}

TEST_F(DialogsTest, EveryMessageFitsItsBoxInEveryLanguage)
{
    for (TLanguage language = LangEnglish; language < LanguageCount; ++language) {
        LanguageHolder().SetLanguage(language);
        FSettings.ActiveLanguage = language;
        for (const TMessage* message : MessageTable()) {
            const QString text = UiText(*message);
            SCOPED_TRACE(text.toStdString());
            TInfoBox box(UiText(msg::Error), text, FSettings);
            box.show();
            const QLabel* label = box.findChild<QLabel*>("MessageText");
            const QWidget* ok = box.findChild<QPushButton*>("OkButton");
            EXPECT_LE(label->heightForWidth(label->width()), label->height()) << "lines cut off at the bottom";
            int widestWord = 0;
            for (const QString& word : text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)) {
                widestWord = std::max(widestWord, label->fontMetrics().horizontalAdvance(word));
            }
            EXPECT_LE(widestWord, label->width()) << "a word cut off at the side";
            EXPECT_TRUE(box.rect().contains(ok->geometry())) << "the OK button cut off";
            box.close();
        }
    }
}

TEST_F(DialogsTest, DialogsStayOnTheScreenAtEveryCorner)
{
    const QSize screen(1024, 768);
    const QSize dialog(360, 160);
    EXPECT_EQ(ClampedToScreen(QPoint(100, 100), dialog, screen), QPoint(100, 100));
    EXPECT_EQ(ClampedToScreen(QPoint(1023, 767), dialog, screen), QPoint(1024 - 360, 768 - 160));
    EXPECT_EQ(ClampedToScreen(QPoint(1023, 0), dialog, screen), QPoint(1024 - 360, 0));
    EXPECT_EQ(ClampedToScreen(QPoint(0, 767), dialog, screen), QPoint(0, 768 - 160));
    EXPECT_EQ(ClampedToScreen(QPoint(500, 500), QSize(2000, 1000), screen), QPoint(0, 0));
}

TEST_F(DialogsTest, AWindowThatGrowsWithTheLanguageStaysOnTheScreen)
{
    TEncryptPasswordForm encrypt(FSettings, nullptr);
    TDecryptPasswordForm decrypt(FSettings, nullptr);
    for (QWidget* window : std::initializer_list<QWidget*>{&encrypt, &decrypt}) {
        SCOPED_TRACE(window->objectName().toStdString());
        LanguageHolder().SetLanguage(LangEnglish);
        window->show();
        const QRect screen = window->screen()->geometry();
        const QSize english = window->frameGeometry().size();
        window->move(screen.right() + 1 - english.width(), screen.bottom() + 1 - english.height());
        LanguageHolder().SetLanguage(LangGerman);
        QApplication::processEvents();
        ASSERT_GT(window->frameGeometry().width(), english.width()) << "the German texts are wider";
        EXPECT_TRUE(screen.contains(window->frameGeometry())) << "the window passes the screen's edge";
        window->close();
    }
}

TEST_F(DialogsTest, EncryptionDialogRatesAndShowsTheCheckCode)
{
    TEncryptPasswordForm form(FSettings, nullptr);
    form.SetPassword(QString());
    auto* password = form.findChild<QLineEdit*>("Password");
    auto* confirmation = form.findChild<QLineEdit*>("Confirmation");
    EXPECT_EQ(password->echoMode(), QLineEdit::Password);
    QTest::keyClicks(password, QStringLiteral("abc"));
    EXPECT_EQ(TextOf(form, "PasswordCheckCode"), QStringLiteral("JO"));
    EXPECT_EQ(form.MeterPosition(), 13);
    QTest::keyClicks(confirmation, QStringLiteral("ab"));
    EXPECT_EQ(form.MeterPosition(), 13) << "the confirmation is not rated";

    form.findChild<QCheckBox*>("HidePassword")->setChecked(false);
    EXPECT_EQ(password->echoMode(), QLineEdit::Normal);
    EXPECT_EQ(confirmation->echoMode(), QLineEdit::Normal);
}

TEST_F(DialogsTest, MismatchedConfirmationWarnsAndKeepsBothTexts)
{
    TEncryptPasswordForm form(FSettings, nullptr);
    form.SetPassword(QStringLiteral("abc"));
    form.findChild<QLineEdit*>("Confirmation")->setText(QStringLiteral("abd"));
    std::string warning;
    RecordNextMessageBox(warning);
    form.findChild<QPushButton*>("OkButton")->click();
    EXPECT_EQ(warning, "Warning: Incorrect password confirmation!");
    EXPECT_NE(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.Password(), QStringLiteral("abc"));
    EXPECT_EQ(form.Confirmation(), QStringLiteral("abd"));

    form.findChild<QLineEdit*>("Confirmation")->setText(QStringLiteral("abc"));
    form.findChild<QPushButton*>("OkButton")->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
}

TEST_F(DialogsTest, EnterConfirmsTheDecryptionDialog)
{
    TDecryptPasswordForm form(FSettings, nullptr);
    form.SetPassword(QStringLiteral("secret"));
    auto* field = form.findChild<QLineEdit*>("Password");
    EXPECT_EQ(field->selectedText(), QStringLiteral("secret"));
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.Password(), QStringLiteral("secret"));
}

TEST_F(DialogsTest, CheckCodeBoxesFollowTheSetting)
{
    FSettings.DisplayTypoFields = false;
    TDecryptPasswordForm form(FSettings, nullptr);
    EXPECT_FALSE(form.findChild<QLabel*>("PasswordCheckCode")->isVisibleTo(&form));
}

TEST_F(DialogsTest, AboutShowsVersionAndBuild)
{
    TEXEVersion version;
    version.VersionText = "1.2.3";
    version.Major = 1;
    version.Minor = 2;
    version.Release = 3;
    version.Build = 40;
    TAboutForm form(version, FSettings, nullptr);
    EXPECT_EQ(TextOf(form, "ProgramVersion"), QStringLiteral("Program version: 1.2.3"));
    EXPECT_EQ(TextOf(form, "BuildNumber"), QStringLiteral("Build number: 1.2.3.40"));
}

TEST_F(DialogsTest, EveryOpenWindowFollowsEachLanguageChangeAndClosedOnesAreLeftAlone)
{
    TStartForm start(FSettings, FTemporaryFiles, FCommands);
    auto box = std::make_unique<TInfoBox>(QStringLiteral("Error"), QStringLiteral("text"), FSettings);
    TEncryptPasswordForm encrypt(FSettings, nullptr);
    TDecryptPasswordForm decrypt(FSettings, nullptr);
    TEXEVersion version;
    TAboutForm about(version, FSettings, nullptr);

    const char* news[] = {"Neu...", "Nouveau...", "Nova...", "New..."};
    const char* hides[] = {"Passwort verbergen", nullptr, nullptr, "Hide password"};
    const char* closes[] = {"Schließen", "Fermer", "Fermi", "Close"};
    const char* oks[] = {"OK", "OK", "Bone", "OK"};
    for (int step = 0; step < 4; ++step) {
        LanguageHolder().NextLanguage();
        EXPECT_EQ(TextOf(start, "NewButton").toStdString(), news[step]);
        EXPECT_EQ(TextOf(about, "CloseButton").toStdString(), closes[step]);
        EXPECT_EQ(TextOf(decrypt, "OkButton").toStdString(), oks[step]);
        if (hides[step] != nullptr) {
            EXPECT_EQ(TextOf(encrypt, "HidePassword").toStdString(), hides[step]);
        }
        if (box) {
            EXPECT_EQ(TextOf(*box, "OkButton").toStdString(), oks[step]);
        }
        if (step == 1) {
            box.reset(); // closed: never touched again
        }
    }

    // A new window switches every open window to the stored language.
    FSettings.ActiveLanguage = LangFrench;
    LanguageHolder().SetLanguage(LangEnglish);
    FSettings.ActiveLanguage = LangFrench;
    TInfoBox another(QStringLiteral("Information"), QStringLiteral("text"), FSettings);
    EXPECT_EQ(LanguageHolder().Language(), LangFrench);
    EXPECT_EQ(TextOf(start, "NewButton").toStdString(), "Nouveau...");
    EXPECT_EQ(TextOf(about, "CloseButton").toStdString(), "Fermer");
}

TEST_F(DialogsTest, AnotherWindowOpeningLeavesTheCaptionsTheirOwnersSet)
{
    FSettings.ActiveLanguage = LangEsperanto;
    LanguageHolder().SetLanguage(LangEsperanto);
    TDecryptPasswordForm decrypt(FSettings, nullptr);
    decrypt.setWindowTitle(QStringLiteral("Container password"));
    TEncryptPasswordForm encrypt(FSettings, nullptr);
    encrypt.setWindowTitle(QStringLiteral("New container password"));
    encrypt.SetPassword(QStringLiteral("abc"));
    encrypt.findChild<QLineEdit*>("Confirmation")->setText(QStringLiteral("abd"));

    std::string seen;
    OnNextMessageBox([&](QWidget& box) {
        seen = (encrypt.windowTitle() + QLatin1Char('|') + decrypt.windowTitle() + QLatin1Char('|') +
                TextOf(box, "OkButton"))
                   .toStdString();
    });
    encrypt.findChild<QPushButton*>("OkButton")->click();
    EXPECT_EQ(seen, "New container password|Container password|Bone") << "the new box still takes its own texts";

    TInfoBox box(QStringLiteral("Information"), QStringLiteral("text"), FSettings);
    EXPECT_EQ(encrypt.windowTitle().toStdString(), "New container password");
    EXPECT_EQ(decrypt.windowTitle().toStdString(), "Container password");
}

TEST_F(DialogsTest, HintsShowWhileTheWindowIsNotActive)
{
    TStartForm start(FSettings, FTemporaryFiles, FCommands);
    TEncryptPasswordForm encrypt(FSettings, nullptr);
    for (QWidget* window : {static_cast<QWidget*>(&start), static_cast<QWidget*>(&encrypt)}) {
        SCOPED_TRACE(window->objectName().toStdString());
        window->show();
        QWidget other; // active, and away from the window so that the mouse stays over the window
        other.setGeometry(QRect(window->geometry().bottomRight() + QPoint(20, 20), QSize(10, 10)));
        other.show();
        other.activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([window] { return !window->isActiveWindow(); }));

        QTest::mouseMove(window->findChild<QWidget*>("LanguageFlag"));
        EXPECT_TRUE(QTest::qWaitFor([] { return QToolTip::isVisible(); }, 3000));
        EXPECT_EQ(QToolTip::text().toStdString(), "Click on flag to change language");
        QToolTip::hideText();
        window->hide();
    }
}

TEST_F(DialogsTest, ASavingThatFailsIsShownWithTheCaptionError)
{
    FSandbox.Install();
    // Root writes anywhere: a file where the settings folder goes stops even root.
    std::filesystem::remove_all(FSandbox.ConfigHome());
    WriteWholeFile(FSandbox.ConfigHome(), "in the way");
    TSettings settings([this](const std::string& caption, const std::string& text) {
        ShowInfoBox(QString::fromStdString(caption), QString::fromStdString(text), FSettings);
    });
    settings.ActiveLanguage = LangEsperanto;
    LanguageHolder().SetLanguage(LangEsperanto);
    TDecryptPasswordForm form(settings, nullptr);
    std::string shown;
    RecordNextMessageBox(shown);
    Click(form, "LanguageFlag"); // to English, saved at once
    EXPECT_EQ(shown.substr(0, shown.find('/')), "Error: ");
    EXPECT_NE(shown.find(SettingsFolder() + ": "), std::string::npos) << shown;
}

TEST_F(DialogsTest, AWebPageThatCannotOpenIsShown)
{
    // No web browser and no opener anywhere.
    FSandbox.SetVariable("PATH", FSandbox.TemporaryFolder());
    FSandbox.SetVariable("BROWSER", std::nullopt);
    FSandbox.SetVariable("DEFAULT_BROWSER", std::nullopt);
    TDecryptPasswordForm form(FSettings, nullptr);
    std::string shown;
    RecordNextMessageBox(shown);
    Click(form, "Logo");
    EXPECT_EQ(shown,
              "Error: Cannot open 'https://www.sealvane.org/'! No web browser or other program is set up to open it.");
}

TEST_F(DialogsTest, FontDialogGivesTheChosenFontOnlyOnOk)
{
    QFont font(QStringLiteral("DejaVu Sans"), 11);
    const auto answer = [](bool ok) {
        QTimer::singleShot(0, [ok] {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                if (auto* dialog = qobject_cast<QFontDialog*>(window); dialog != nullptr && dialog->isVisible()) {
                    QFont chosen = dialog->currentFont();
                    chosen.setPointSize(17);
                    dialog->setCurrentFont(chosen);
                    ok ? dialog->accept() : dialog->reject();
                }
            }
        });
    };
    answer(false);
    EXPECT_FALSE(ExecuteFontDialog(nullptr, font));
    EXPECT_EQ(font.pointSize(), 11);
    answer(true);
    EXPECT_TRUE(ExecuteFontDialog(nullptr, font));
    EXPECT_EQ(font.pointSize(), 17);
}
