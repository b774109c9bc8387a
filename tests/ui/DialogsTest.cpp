#include "RecordingCommands.h"
#include "WindowTest.h"
#include "app/EXEVersion.h"
#include "language/Messages.h"
#include "settings/UserFolders.h"
#include "ui/start/AboutForm.h"
#include "ui/password/DecryptPasswordForm.h"
#include "ui/password/EncryptPasswordForm.h"
#include "ui/widgets/Fonts.h"
#include "ui/widgets/InfoBox.h"
#include "ui/start/StartForm.h"
#include "ui/widgets/UiText.h"

#include <QCheckBox>
#include <QRegularExpression>
#include <QScreen>
#include <QToolTip>

#include <filesystem>

using DialogsTest = WindowTest;

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
            EXPECT_LE(label->heightForWidth(label->width()), label->height()) << "lines cut off at the bottom";
            int widestWord = 0;
            for (const QString& word : text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)) {
                widestWord = std::max(widestWord, label->fontMetrics().horizontalAdvance(word));
            }
            EXPECT_LE(widestWord, label->width()) << "a word cut off at the side";
            EXPECT_TRUE(box.rect().contains(box.findChild<QPushButton*>("OkButton")->geometry()))
                << "the OK button cut off";
        }
    }
}

TEST_F(DialogsTest, AWindowThatGrowsWithTheLanguageStaysOnTheScreen)
{
    TEncryptPasswordForm encrypt(FSettings, nullptr);
    TDecryptPasswordForm decrypt(FSettings, nullptr);
    for (QWidget* window : std::initializer_list<QWidget*>{&encrypt, &decrypt}) {
        SCOPED_TRACE(window->objectName().toStdString());
        // Whether the German captions outgrow the English ones at the dialog's own font depends on
        // the fonts installed; at this size the longer German texts make the window wider with
        // any font.
        for (const char* name : {"HidePassword", "CancelButton"}) {
            window->findChild<QWidget*>(name)->setFont(Fonts::Sans(40));
        }
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

TEST_F(DialogsTest, EncryptionDialogRatesShowsTheCheckCodeAndWantsTheSameConfirmation)
{
    TEncryptPasswordForm form(FSettings, nullptr);
    form.SetPassword(QString());
    auto* password = form.findChild<QLineEdit*>("Password");
    auto* confirmation = form.findChild<QLineEdit*>("Confirmation");
    QTest::keyClicks(password, QStringLiteral("abc"));
    EXPECT_EQ(TextOf(form, "PasswordCheckCode"), QStringLiteral("JO"));
    QTest::keyClicks(confirmation, QStringLiteral("ab"));
    EXPECT_EQ(form.MeterPosition(), 13) << "the confirmation is not rated";
    form.findChild<QCheckBox*>("HidePassword")->setChecked(false);
    EXPECT_EQ(password->echoMode(), QLineEdit::Normal);
    EXPECT_EQ(confirmation->echoMode(), QLineEdit::Normal);

    std::string warning;
    RecordNextMessageBox(warning);
    form.findChild<QPushButton*>("OkButton")->click();
    EXPECT_EQ(warning, "Warning: Incorrect password confirmation!");
    EXPECT_NE(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.Password() + '|' + form.Confirmation(), QStringLiteral("abc|ab")) << "both texts are kept";
    confirmation->setText(QStringLiteral("abc"));
    form.findChild<QPushButton*>("OkButton")->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
}

TEST_F(DialogsTest, DecryptionDialogTakesEnterAndHidesTheCheckCodeAsSet)
{
    FSettings.DisplayTypoFields = false;
    TDecryptPasswordForm form(FSettings, nullptr);
    EXPECT_FALSE(form.findChild<QLabel*>("PasswordCheckCode")->isVisibleTo(&form));
    form.SetPassword(QStringLiteral("secret"));
    auto* field = form.findChild<QLineEdit*>("Password");
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.Password(), QStringLiteral("secret"));
}

TEST_F(DialogsTest, EveryOpenWindowFollowsEachLanguageChangeAndClosedOnesAreLeftAlone)
{
    TRecordingCommands commands;
    TStartForm start(FSettings, FTemporaryFiles, commands);
    auto box = std::make_unique<TInfoBox>(QStringLiteral("Error"), QStringLiteral("text"), FSettings);
    TEncryptPasswordForm encrypt(FSettings, nullptr);
    TDecryptPasswordForm decrypt(FSettings, nullptr);
    const TEXEVersion version{"1.2.3", 1, 2, 3, 40};
    TAboutForm about(version, FSettings, nullptr);
    // The start window's New, the about window's Close, the OK buttons, the encryption dialog's
    // check box and, while it is open, the message box's OK.
    const auto captions = [&] {
        const QString shown = TextOf(start, "NewButton") + '|' + TextOf(about, "CloseButton") + '|' +
                              TextOf(decrypt, "OkButton") + '|' + TextOf(encrypt, "HidePassword");
        return (box ? shown + '|' + TextOf(*box, "OkButton") : shown).toStdString();
    };
    const char* const steps[] = {"Neu...|Schließen|OK|Passwort verbergen|OK",
                                 "Nouveau...|Fermer|OK|Masquer le mot de passe|OK",
                                 "Nova...|Fermi|Bone|Kashi pasvorton", "New...|Close|OK|Hide password"};
    for (const char* step : steps) {
        LanguageHolder().NextLanguage();
        EXPECT_EQ(captions(), step);
        if (step == steps[1]) {
            box.reset(); // closed: never touched again
        }
    }

    // A new window switches every open window to the stored language.
    FSettings.ActiveLanguage = LangFrench;
    TInfoBox another(QStringLiteral("Information"), QStringLiteral("text"), FSettings);
    EXPECT_EQ(LanguageHolder().Language(), LangFrench);
    EXPECT_EQ(captions(), "Nouveau...|Fermer|OK|Masquer le mot de passe");
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
    const auto captions = [&] { return (encrypt.windowTitle() + '|' + decrypt.windowTitle()).toStdString(); };
    std::string seen;
    OnNextWindow("fMsgBox", [&](QWidget& box) {
        seen = captions() + '|' + TextOf(box, "OkButton").toStdString();
        box.findChild<QPushButton*>("OkButton")->click();
    });
    encrypt.findChild<QPushButton*>("OkButton")->click();
    EXPECT_EQ(seen, "New container password|Container password|Bone") << "the new box still takes its own texts";
    TInfoBox box(QStringLiteral("Information"), QStringLiteral("text"), FSettings);
    EXPECT_EQ(captions(), "New container password|Container password");
}

TEST_F(DialogsTest, HintsShowWhileTheWindowIsNotActive)
{
    TRecordingCommands commands;
    TStartForm start(FSettings, FTemporaryFiles, commands);
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
    QTest::mouseClick(form.findChild<QWidget*>("LanguageFlag"), Qt::LeftButton); // to English, saved at once
    EXPECT_EQ(shown.substr(0, shown.find('/')), "Error: ");
    EXPECT_NE(shown.find(SettingsFolder() + ": "), std::string::npos) << shown;
}
