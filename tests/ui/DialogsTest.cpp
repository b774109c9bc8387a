#include "RecordingCommands.h"
#include "app/EXEVersion.h"
#include "app/Sandbox.h"
#include "app/TemporaryFiles.h"
#include "language/LangWatchable.h"
#include "settings/Settings.h"
#include "ui/AboutForm.h"
#include "ui/DecryptPasswordForm.h"
#include "ui/EncryptPasswordForm.h"
#include "ui/FontDialog.h"
#include "ui/InfoBox.h"
#include "ui/Placement.h"
#include "ui/StartForm.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class DialogsTest : public ::testing::Test
{
protected:
    void SetUp() override { LanguageHolder().SetLanguage(LangEnglish); }

    Sandbox FSandbox;
    TSettings FSettings{[](const std::string&, const std::string&) {}};
};

QString TextOf(QWidget& window, const char* name)
{
    if (auto* button = window.findChild<QAbstractButton*>(name)) {
        return button->text();
    }
    return window.findChild<QLabel*>(name)->text();
}

} // namespace

TEST_F(DialogsTest, MessageBoxGrowsInStepsOfThirtyCharacters)
{
    const int cw = 8;
    const int line = 12;
    const int button = 24;
    EXPECT_EQ(TInfoBox::ClientSizeFor(30, cw, line, button), QSize(30 * cw + 28, button + 40 + line));
    EXPECT_EQ(TInfoBox::ClientSizeFor(90, cw, line, button), QSize(30 * cw + 28, button + 40 + 3 * line));
    EXPECT_EQ(TInfoBox::ClientSizeFor(45, cw, line, button), QSize(30 * cw + 28, button + 40 + line))
        << "45 characters: one computed line, the label wraps inside it";
    EXPECT_EQ(TInfoBox::ClientSizeFor(10, cw, line, button), QSize(10 * cw + 28, button + 40 + line));
    EXPECT_EQ(TInfoBox::ClientSizeFor(0, cw, line, button).width(), 28);
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
    QString warning;
    QTimer::singleShot(0, [&warning] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->objectName() == QLatin1String("fMsgBox") && window->isVisible()) {
                warning =
                    window->windowTitle() + QStringLiteral(": ") + window->findChild<QLabel*>("MessageText")->text();
                window->findChild<QPushButton*>("OkButton")->click();
            }
        }
    });
    form.findChild<QPushButton*>("OkButton")->click();
    EXPECT_EQ(warning.toStdString(), "Warning: Incorrect password confirmation!");
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
    TTemporaryFiles temporaryFiles;
    TRecordingCommands commands;
    TStartForm start(FSettings, temporaryFiles, commands);
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
