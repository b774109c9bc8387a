#include "ui/options/OptionsForm.h"
#include "ui/WindowTest.h"
#include "language/Messages.h"
#include "settings/InstallRecord.h"
#include "settings/UserFolders.h"
#include "ui/options/OptionsGeneralPage.h"
#include "ui/options/OptionsMapiPage.h"
#include "ui/widgets/StoredFont.h"
#include "ui/widgets/UiText.h"

#include <QColorDialog>
#include <QFontDialog>
#include <QGroupBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QWindow>

#include <filesystem>
#include <sstream>

namespace {

class OptionsFormTest : public WindowTest
{
protected:
    void SetUp() override
    {
        FSandbox.Install();
        FSettings.Load();
        FSettings.ActiveLanguage = LangEnglish;
    }

    template <typename TControl = QWidget> static TControl* Find(QWidget& form, const char* name)
    {
        auto* control = form.findChild<TControl*>(QLatin1String(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }

    static void Click(QWidget& form, const char* name) { Find<QAbstractButton>(form, name)->click(); }

    // A dialog over the settings, with its saved signal recorded.
    std::unique_ptr<TOptionsForm> Open()
    {
        auto form = std::make_unique<TOptionsForm>(FSettings, nullptr);
        QObject::connect(form.get(), &TOptionsForm::settingsSaved, [this](int ms) { FSavedIntervals.push_back(ms); });
        return form;
    }

    // What the settings file holds after the dialog's save, read by a settings object of its own.
    static TSettings Reloaded()
    {
        return TSettings([](const std::string&, const std::string&) {});
    }

    std::vector<int> FSavedIntervals;
};

} // namespace

TEST_F(OptionsFormTest, NumberFieldsAreReadByTheirLeadingDigitsAndCorrected)
{
    const struct
    {
        const char* Field;
        const char* Typed;
        std::int32_t TSettings::*Setting;
        std::int32_t Saved;
    } rows[] = {
        {"WipeCyclesTempEdit", "0", &TSettings::WipeCyclesTemp, 1},
        {"WipeCyclesTempEdit", "8", &TSettings::WipeCyclesTemp, 8},
        {"WipeCyclesUserEdit", "+3 runs", &TSettings::WipeCyclesUser, 3},
        {"WipeCyclesUserEdit", " 5", &TSettings::WipeCyclesUser, 1},
        {"WipeCyclesUserEdit", "99999999999999999999999", &TSettings::WipeCyclesUser, 1},
        {"RememberTimeEdit", "100", &TSettings::SaveLastPWDTime, 0},
        {"RememberTimeEdit", "-1", &TSettings::SaveLastPWDTime, 0},
        {"RememberTimeEdit", "99", &TSettings::SaveLastPWDTime, 99},
        {"RememberTimeEdit", "", &TSettings::SaveLastPWDTime, 0},
        {"SentDaysEdit", "0", &TSettings::SentCopiesDays, 0},
        {"SentDaysEdit", "365 days", &TSettings::SentCopiesDays, 365},
        {"SentDaysEdit", "10000", &TSettings::SentCopiesDays, 30},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.Field) + " \"" + row.Typed + "\"");
        FSettings.*row.Setting = 4;
        FSettings.Save(true);
        auto form = Open();
        Find<QLineEdit>(*form, row.Field)->setText(QString::fromLatin1(row.Typed));
        Click(*form, "SaveButton");
        EXPECT_EQ(form->result(), QDialog::Accepted);
        EXPECT_EQ(FSettings.*row.Setting, row.Saved);
        EXPECT_EQ(Reloaded().*row.Setting, row.Saved);
    }
}

TEST_F(OptionsFormTest, SavingWritesReloadsAndRestartsThePasswordTimer)
{
    FSettings.fStart_TrayMode = false;
    OnNextWindow("fOptions", [](QWidget& form) {
        form.findChild<QLineEdit*>("RememberTimeEdit")->setText(QStringLiteral("7"));
        for (const char* name : {"TrayModeCheck", "StartOnTopCheck", "SaveButton"}) {
            Click(form, name);
        }
    });
    int interval = -1;
    EXPECT_TRUE(ShowOptions(nullptr, FSettings, [&interval](int ms) { interval = ms; }));
    EXPECT_EQ(interval, 70'000) << "units of 10 seconds";
    const TSettings file = Reloaded();
    EXPECT_EQ(file.SaveLastPWDTime, 7);
    EXPECT_TRUE(file.fStart_TrayMode);
    EXPECT_FALSE(file.fStart_StayOnTop);
}

TEST_F(OptionsFormTest, CancelLeavesTheSettingsFileAsItWas)
{
    FSettings.OwnMailAddresses = "a@example.org\x7F";
    ASSERT_TRUE(FSettings.Save(true));
    const std::string before = ReadWholeFile(SettingsFileName());
    {
        auto form = Open();
        Find<QLineEdit>(*form, "NameBeginEdit")->setText(QStringLiteral("Mail"));
        Find<QLineEdit>(*form, "WipeCyclesUserEdit")->setText(QStringLiteral("5"));
        Find<QListWidget>(*form, "AddressList")->selectAll();
        for (const char* name : {"TrayModeCheck", "AutostartCheck", "DeleteButton", "HttpRadio", "CancelButton"}) {
            Click(*form, name);
        }
        EXPECT_EQ(form->result(), QDialog::Rejected);
    }
    EXPECT_EQ(ReadWholeFile(SettingsFileName()), before);
    EXPECT_FALSE(std::filesystem::exists(FSandbox.ConfigHome() + "/autostart/Sealvane.desktop"));
    EXPECT_FALSE(FSettings.fStart_TrayMode);
    EXPECT_EQ(FSettings.OwnMailAddresses, "a@example.org\x7F");
    EXPECT_TRUE(FSavedIntervals.empty());
}

TEST_F(OptionsFormTest, AddressTypeLoadsAndSavesItsPrefix)
{
    // What is stored checks one button; another clicked saves its prefix.
    for (const auto& [stored, checked, clicked, saved] : {std::tuple{"SMTP:", "SmtpRadio", "HttpRadio", "HTTP:"},
                                                          {"HTTP:", "HttpRadio", "AutomaticRadio", ""},
                                                          {"", "AutomaticRadio", "SmtpRadio", "SMTP:"},
                                                          {"smtp:", "AutomaticRadio", "HttpRadio", "HTTP:"}}) {
        FSettings.MapiMailTypeTrailer = stored;
        auto form = Open();
        EXPECT_TRUE(Find<QRadioButton>(*form, checked)->isChecked()) << stored;
        Click(*form, clicked);
        Click(*form, "SaveButton");
        EXPECT_EQ(Reloaded().MapiMailTypeTrailer, saved) << clicked;
    }
}

TEST_F(OptionsFormTest, FormatOfNewContainersLoadsSavesAndFollowsTheLanguage)
{
    // What is stored checks one button (a value other than 4 or 5 reads as 4); the one clicked is
    // saved.
    for (const auto& [stored, checked, clicked, saved] : {std::tuple{4, "ClassicFormatRadio", "SealedFormatRadio", 5},
                                                          {5, "SealedFormatRadio", "ClassicFormatRadio", 4},
                                                          {7, "ClassicFormatRadio", "ClassicFormatRadio", 4}}) {
        FSettings.NewContainerFormat = stored;
        auto form = Open();
        EXPECT_TRUE(Find<QRadioButton>(*form, checked)->isChecked()) << stored;
        Click(*form, clicked);
        Click(*form, "SaveButton");
        EXPECT_EQ(Reloaded().NewContainerFormat, saved) << stored;
    }
    // The open dialog takes every language's captions as the language switches.
    auto form = Open();
    auto* sealed = Find<QRadioButton>(*form, "SealedFormatRadio");
    for (TLanguage language = LanguageCount; language-- > 0;) {
        LanguageHolder().SetLanguage(language);
        const auto text = [language](const TMessage& message) { return QString::fromUtf8(message.Text[language]); };
        EXPECT_EQ(std::tuple(Find<QGroupBox>(*form, "FormatGroup")->title(), TextOf(*form, "ClassicFormatRadio"),
                             sealed->text(), TextOf(*form, "FormatExplanation")),
                  std::tuple(text(msg::NewContainerFormat), text(msg::ClassicFormatChoice),
                             text(msg::SealedFormatChoice), text(msg::SealedFormatExplanation)))
            << int{language};
        EXPECT_EQ(std::pair(sealed->accessibleName(), sealed->accessibleDescription()),
                  std::pair(text(msg::NewContainerFormat) + ' ' + text(msg::SealedFormatChoice),
                            text(msg::SealedFormatExplanation)));
    }
}

TEST_F(OptionsFormTest, OwnAddressesAreAddedSelectedAndDeleted)
{
    FSettings.OwnMailAddresses = "a@example.org\x7F"
                                 "b@example.org\x7F"
                                 "ignored after the last separator";
    auto form = Open();
    auto* list = Find<QListWidget>(*form, "AddressList");
    auto* field = Find<QLineEdit>(*form, "AddressEdit");
    auto* add = Find<QPushButton>(*form, "AddButton");
    auto* remove = Find<QPushButton>(*form, "DeleteButton");
    ASSERT_EQ(list->count(), 2);
    EXPECT_FALSE(remove->isEnabled());
    field->setText(QStringLiteral("  c@example.org\x7F "));
    ASSERT_TRUE(add->isEnabled());
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_NE(form->result(), QDialog::Accepted) << "Enter adds, it does not save";
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(2)->text(), QStringLiteral("c@example.org")) << "trimmed, without the list separator";

    list->item(2)->setSelected(true);
    list->item(1)->setSelected(true);
    EXPECT_EQ(field->text(), QStringLiteral("b@example.org")) << "the first selected entry in list order";
    EXPECT_TRUE(remove->isEnabled());
    remove->click();
    ASSERT_EQ(list->count(), 1);
    EXPECT_FALSE(remove->isEnabled());
    Click(*form, "SaveButton");
    EXPECT_EQ(Reloaded().OwnMailAddresses, "a@example.org\x7F");
}

TEST_F(OptionsFormTest, NamePartsRefuseCharactersAndShowTheExample)
{
    auto form = Open();
    auto* begin = Find<QLineEdit>(*form, "NameBeginEdit");
    auto* end = Find<QLineEdit>(*form, "NameEndEdit");
    const auto exampleMatches = [&](const char* pattern) {
        const QString example = Find<QLabel>(*form, "ExampleText")->text();
        EXPECT_TRUE(QRegularExpression(QString::fromLatin1(pattern)).match(example).hasMatch())
            << example.toStdString();
    };
    exampleMatches("^\\d{4}-\\d\\d-\\d\\d_\\d\\d-\\d\\d-\\d\\d_\\d{3}\\.xvt$");
    QTest::keyClicks(begin, QStringLiteral("Ma.il*/\\?<>\"=[]+,;:|"));
    EXPECT_EQ(begin->text(), QStringLiteral("Mail"));
    end->insert(QStringLiteral("to.Anna "));
    EXPECT_EQ(end->text(), QStringLiteral("toAnna ")) << "pasted text loses the refused characters too";
    exampleMatches("^Mail \\d{4}-\\S+ toAnna\\.xvt$");
    begin->setText(QStringLiteral("  Mail "));
    Click(*form, "SaveButton");
    EXPECT_EQ(FSettings.DefaultContainerNameBegin, "Mail");
    EXPECT_EQ(FSettings.DefaultContainerNameEnd, "toAnna");
}

TEST_F(OptionsFormTest, DefaultFolderTakesExistingFoldersOnly)
{
    const std::string gone = FSandbox.File("gone");
    FSettings.DefaultCurrentDirectory = gone;
    auto form = Open();
    QString asked;
    QString answer = QString::fromStdString(FSandbox.File("missing"));
    Find<TOptionsGeneralPage>(*form, "GeneralPage")->SetFolderChooser([&](QWidget*, const QString& start) {
        asked = start;
        return answer;
    });
    std::string shown;
    RecordNextMessageBox(shown);
    Click(*form, "FolderButton");
    EXPECT_EQ(shown, "Options: Invalid folder!");
    EXPECT_EQ(asked.toStdString(), gone);
    EXPECT_EQ(Find<QLineEdit>(*form, "FolderEdit")->text().toStdString(), gone);
    Click(*form, "SaveButton");
    EXPECT_EQ(FSettings.DefaultCurrentDirectory, "") << "a folder that does not exist is saved empty";
    answer = QString::fromStdString(FSandbox.File("home"));
    Click(*form, "FolderButton");
    Click(*form, "SaveButton");
    EXPECT_EQ(Reloaded().DefaultCurrentDirectory, answer.toStdString());
}

TEST_F(OptionsFormTest, SentCopiesFolderIsShownAndChosen)
{
    FSettings.SentCopiesFolder = FSandbox.File("sent");
    auto form = Open();
    EXPECT_EQ(Find<QLineEdit>(*form, "SentFolderEdit")->text().toStdString(), FSettings.SentCopiesFolder);
    std::vector<QString> asked;
    for (const std::string& answer : {FSandbox.File("chosen"), std::string()}) { // the second is cancelled
        Find<TOptionsMapiPage>(*form, "MapiPage")->SetFolderChooser([&](QWidget*, const QString& start) {
            asked.push_back(start);
            return QString::fromStdString(answer);
        });
        Click(*form, "SentFolderButton");
    }
    Click(*form, "SaveButton");
    EXPECT_EQ(asked, (std::vector<QString>{QString::fromStdString(FSandbox.File("sent")),
                                           QString::fromStdString(FSandbox.File("chosen"))}));
    EXPECT_EQ(Reloaded().SentCopiesFolder, FSandbox.File("chosen"));
}

TEST_F(OptionsFormTest, WithoutInstallationOnlyTheDownloadIsOffered)
{
    // Whether each control is shown: "+Name -Name ...".
    const auto expectShown = [this](QWidget& form, const std::string& expected) {
        std::istringstream words(expected);
        for (std::string word; words >> word;) {
            EXPECT_EQ(Find(form, word.c_str() + 1)->isVisibleTo(&form), word[0] == '+') << word;
        }
    };
    FSandbox.RemoveRecord();
    ResetInstalledCache();
    auto form = Open();
    expectShown(*form, "-OptionsPages -SaveButton +NotInstalledText +DownloadButton +CancelButton");
    EXPECT_TRUE(Find<QPlainTextEdit>(*form, "NotInstalledText")->isReadOnly());
    form->SaveOptions();
    EXPECT_FALSE(std::filesystem::exists(SettingsFileName())) << "nothing is saved without an installation";
    FSandbox.Install();
    ResetInstalledCache();
    expectShown(*Open(), "+OptionsPages -DownloadButton");
}

TEST_F(OptionsFormTest, FontAndColourDialogsOpenBelowTheOptionsAndSetThePreview)
{
    auto form = Open();
    form->show();
    QWindow* handle = form->windowHandle();
    ASSERT_TRUE(handle->flags().testFlag(Qt::WindowStaysOnTopHint));
    const double dotsPerInch = form->screen()->logicalDotsPerInchY();
    // Each dialog, answered by choose and then OK or Cancel; the options must not stay on top of it
    // meanwhile, and are on top again afterwards.
    const auto answered = [&](const char* button, bool ok, std::function<void(QDialog&)> choose) {
        bool onTopMeanwhile = true;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            onTopMeanwhile = handle->flags().testFlag(Qt::WindowStaysOnTopHint);
            choose(*dialog);
            ok ? dialog->accept() : dialog->reject();
        });
        Click(*form, button);
        EXPECT_FALSE(onTopMeanwhile) << button;
        EXPECT_TRUE(handle->flags().testFlag(Qt::WindowStaysOnTopHint)) << button;
    };
    const auto serif = [](QDialog& dialog) {
        QFont chosen(QStringLiteral("DejaVu Serif"));
        chosen.setPointSizeF(18);
        qobject_cast<QFontDialog*>(&dialog)->setCurrentFont(chosen);
    };
    auto* preview = Find<QLabel>(*form, "FontPreview");
    answered("FontButton", true, serif);
    answered("ColourButton", true,
             [](QDialog& dialog) { qobject_cast<QColorDialog*>(&dialog)->setCurrentColor(QColor(0x12, 0x34, 0x56)); });
    EXPECT_EQ(preview->palette().color(QPalette::WindowText), QColor(0x12, 0x34, 0x56));
    Click(*form, "SaveButton");
    const TFontData font = Reloaded().DefaultFont;
    EXPECT_EQ(font.FName, "DejaVu Serif");
    EXPECT_EQ(font.FHeight, -PixelsOfPoints(18, dotsPerInch));
    EXPECT_EQ(font.FColor, 0x563412) << "stored as 0x00BBGGRR";
    EXPECT_EQ(preview->font().pixelSize(), PixelsOfPoints(18, dotsPerInch));
}

TEST_F(OptionsFormTest, RestoreDefaultTextAndStoredLineBreaks)
{
    FSettings.fContainer_DecryptInstructionSubject = "mine";
    FSettings.fContainer_DecryptInstructionText = "line one\r\nline two";
    LanguageHolder().SetLanguage(LangGerman);
    FSettings.ActiveLanguage = LangGerman;
    auto form = Open();
    EXPECT_EQ(Find<QPlainTextEdit>(*form, "TextEdit")->toPlainText(), QStringLiteral("line one\nline two"));
    Click(*form, "RestoreDefaultButton");
    EXPECT_EQ(Find<QLineEdit>(*form, "SubjectEdit")->text(), UiText(msg::SecureMessageSubject));
    Click(*form, "SaveButton");
    EXPECT_EQ(FSettings.fContainer_DecryptInstructionText,
              FormatText(msg::DecryptLinkInstruction.Text[LangGerman], {MsgText(msg::UrlDecrypt)}) + "\r\n\r\n" +
                  msg::BrowserPageInstruction.Text[LangGerman])
        << "CR LF line breaks, the decryption page's address and where the browser page is";
}
