#include "ui/OptionsForm.h"
#include "TempDir.h"
#include "app/Sandbox.h"
#include "container/ExtraString.h"
#include "language/LangWatchable.h"
#include "language/Messages.h"
#include "settings/InstallRecord.h"
#include "settings/Settings.h"
#include "settings/UserFolders.h"
#include "ui/OptionsGeneralPage.h"
#include "ui/StoredFont.h"
#include "ui/UiText.h"

#include <QApplication>
#include <QColorDialog>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <ostream>

// Readable texts in failure messages.
void PrintTo(const QString& text, std::ostream* stream)
{
    *stream << '"' << text.toStdString() << '"';
}

namespace {

class OptionsFormTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        LanguageHolder().SetLanguage(LangEnglish);
        FSandbox.Install();
        FSettings.Load();
        FSettings.ActiveLanguage = LangEnglish;
    }

    template <typename TControl = QWidget> TControl* Find(QWidget& form, const char* name)
    {
        auto* control = form.findChild<TControl*>(QLatin1String(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }

    // A dialog over the settings, with its saved signal recorded.
    std::unique_ptr<TOptionsForm> Open()
    {
        auto form = std::make_unique<TOptionsForm>(FSettings, nullptr);
        QObject::connect(form.get(), &TOptionsForm::settingsSaved, [this](int ms) { FSavedIntervals.push_back(ms); });
        return form;
    }

    // What the settings file holds after the dialog's save, read by a settings object of its own.
    TSettings Reloaded()
    {
        return TSettings([](const std::string&, const std::string&) {});
    }

    Sandbox FSandbox;
    TSettings FSettings{[](const std::string&, const std::string&) {}};
    std::vector<int> FSavedIntervals;
};

// Once the next window named objectName shows: hands it to act, which has to close it.
void OnNextWindow(const char* objectName, std::function<void(QWidget&)> act)
{
    QTimer::singleShot(0, [objectName, act = std::move(act)] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->objectName() == QLatin1String(objectName) && window->isVisible()) {
                act(*window);
                return;
            }
        }
        ADD_FAILURE() << "no window " << objectName;
    });
}

} // namespace

TEST_F(OptionsFormTest, NumberFieldsAreReadByTheirLeadingDigitsAndCorrected)
{
    struct TRow
    {
        const char* Field;
        const char* Typed;
        std::int32_t TSettings::*Setting;
        std::int32_t Saved;
    };
    const TRow rows[] = {
        {"WipeCyclesTempEdit", "9", &TSettings::WipeCyclesTemp, 1},
        {"WipeCyclesTempEdit", "0", &TSettings::WipeCyclesTemp, 1},
        {"WipeCyclesTempEdit", "-3", &TSettings::WipeCyclesTemp, 1},
        {"WipeCyclesTempEdit", "many", &TSettings::WipeCyclesTemp, 1},
        {"WipeCyclesTempEdit", "8", &TSettings::WipeCyclesTemp, 8},
        {"WipeCyclesUserEdit", "+3 runs", &TSettings::WipeCyclesUser, 3},
        {"WipeCyclesUserEdit", " 5", &TSettings::WipeCyclesUser, 1},
        {"WipeCyclesUserEdit", "99999999999999999999999", &TSettings::WipeCyclesUser, 1},
        {"RememberTimeEdit", "100", &TSettings::SaveLastPWDTime, 0},
        {"RememberTimeEdit", "-1", &TSettings::SaveLastPWDTime, 0},
        {"RememberTimeEdit", "99", &TSettings::SaveLastPWDTime, 99},
        {"RememberTimeEdit", " 20", &TSettings::SaveLastPWDTime, 0},
        {"RememberTimeEdit", "7min", &TSettings::SaveLastPWDTime, 7},
        {"RememberTimeEdit", "", &TSettings::SaveLastPWDTime, 0},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(std::string(row.Field) + " \"" + row.Typed + "\"");
        FSettings.*row.Setting = 4;
        FSettings.Save(true);
        auto form = Open();
        Find<QLineEdit>(*form, row.Field)->setText(QString::fromLatin1(row.Typed));
        Find<QPushButton>(*form, "SaveButton")->click();
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
        form.findChild<QAbstractButton*>("TrayModeCheck")->click();
        form.findChild<QAbstractButton*>("StartOnTopCheck")->click();
        form.findChild<QPushButton*>("SaveButton")->click();
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
        Find<QAbstractButton>(*form, "TrayModeCheck")->click();
        Find<QAbstractButton>(*form, "AutostartCheck")->click();
        Find<QLineEdit>(*form, "NameBeginEdit")->setText(QStringLiteral("Mail"));
        Find<QLineEdit>(*form, "WipeCyclesUserEdit")->setText(QStringLiteral("5"));
        Find<QListWidget>(*form, "AddressList")->selectAll();
        Find<QPushButton>(*form, "DeleteButton")->click();
        Find<QAbstractButton>(*form, "HttpRadio")->click();
        Find<QPushButton>(*form, "CancelButton")->click();
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
    const struct
    {
        const char* Stored;
        const char* Checked;
    } loads[] = {{"SMTP:", "SmtpRadio"},
                 {"HTTP:", "HttpRadio"},
                 {"", "AutomaticRadio"},
                 {"smtp:", "AutomaticRadio"},
                 {"X400:", "AutomaticRadio"}};
    for (const auto& row : loads) {
        SCOPED_TRACE(row.Stored);
        FSettings.MapiMailTypeTrailer = row.Stored;
        auto form = Open();
        EXPECT_TRUE(Find<QRadioButton>(*form, row.Checked)->isChecked());
    }
    const struct
    {
        const char* Clicked;
        const char* Saved;
    } saves[] = {{"SmtpRadio", "SMTP:"}, {"AutomaticRadio", ""}, {"HttpRadio", "HTTP:"}};
    for (const auto& row : saves) {
        SCOPED_TRACE(row.Clicked);
        auto form = Open();
        Find<QRadioButton>(*form, row.Clicked)->click();
        Find<QPushButton>(*form, "SaveButton")->click();
        EXPECT_EQ(Reloaded().MapiMailTypeTrailer, row.Saved);
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
    EXPECT_FALSE(add->isEnabled());
    EXPECT_FALSE(remove->isEnabled());

    field->setText(QStringLiteral("   "));
    EXPECT_FALSE(add->isEnabled()) << "blank text adds nothing";
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
    Find<QPushButton>(*form, "SaveButton")->click();
    EXPECT_EQ(Reloaded().OwnMailAddresses, "a@example.org\x7F");

    auto second = Open();
    Find<QListWidget>(*second, "AddressList")->selectAll();
    Find<QPushButton>(*second, "DeleteButton")->click();
    Find<QPushButton>(*second, "SaveButton")->click();
    EXPECT_EQ(Reloaded().OwnMailAddresses, "");
}

TEST_F(OptionsFormTest, NamePartsRefuseCharactersAndShowTheExample)
{
    auto form = Open();
    auto* begin = Find<QLineEdit>(*form, "NameBeginEdit");
    auto* end = Find<QLineEdit>(*form, "NameEndEdit");
    auto* example = Find<QLabel>(*form, "ExampleText");
    const QRegularExpression stamp(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d_\\d\\d-\\d\\d-\\d\\d_\\d{3}\\.xvt$"));
    EXPECT_TRUE(stamp.match(example->text()).hasMatch()) << example->text().toStdString();

    QTest::keyClicks(begin, QStringLiteral("Ma.il*/\\?<>\"=[]+,;:|"));
    EXPECT_EQ(begin->text(), QStringLiteral("Mail"));
    end->insert(QStringLiteral("to.Anna "));
    EXPECT_EQ(end->text(), QStringLiteral("toAnna ")) << "pasted text loses the refused characters too";
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Mail \\d{4}-\\S+ toAnna\\.xvt$")).match(example->text()).hasMatch())
        << example->text().toStdString();

    begin->setText(QStringLiteral("  Mail "));
    Find<QPushButton>(*form, "SaveButton")->click();
    EXPECT_EQ(FSettings.DefaultContainerNameBegin, "Mail");
    EXPECT_EQ(FSettings.DefaultContainerNameEnd, "toAnna");
}

TEST_F(OptionsFormTest, DefaultFolderTakesExistingFoldersOnly)
{
    const std::string folder = FSandbox.File("home");
    FSettings.DefaultCurrentDirectory = FSandbox.File("gone");
    auto form = Open();
    auto* page = Find<TOptionsGeneralPage>(*form, "GeneralPage");
    auto* field = Find<QLineEdit>(*form, "FolderEdit");
    QString asked;
    QString answer = QString::fromStdString(FSandbox.File("missing"));
    page->SetFolderChooser([&](QWidget*, const QString& start) {
        asked = start;
        return answer;
    });
    std::string shown;
    OnNextWindow("fMsgBox", [&shown](QWidget& box) {
        shown =
            (box.windowTitle() + QStringLiteral(": ") + box.findChild<QLabel*>("MessageText")->text()).toStdString();
        box.findChild<QPushButton*>("OkButton")->click();
    });
    Find<QPushButton>(*form, "FolderButton")->click();
    EXPECT_EQ(shown, "Options: Invalid folder!");
    EXPECT_EQ(asked.toStdString(), FSandbox.File("gone"));
    EXPECT_EQ(field->text().toStdString(), FSandbox.File("gone"));

    answer.clear();
    Find<QPushButton>(*form, "FolderButton")->click();
    EXPECT_EQ(field->text().toStdString(), FSandbox.File("gone")) << "a cancelled choice changes nothing";

    Find<QPushButton>(*form, "SaveButton")->click();
    EXPECT_EQ(FSettings.DefaultCurrentDirectory, "") << "a folder that does not exist is saved empty";

    auto second = Open();
    Find<TOptionsGeneralPage>(*second, "GeneralPage")->SetFolderChooser([&](QWidget*, const QString&) {
        return QString::fromStdString(folder);
    });
    Find<QPushButton>(*second, "FolderButton")->click();
    Find<QPushButton>(*second, "SaveButton")->click();
    EXPECT_EQ(Reloaded().DefaultCurrentDirectory, folder);
}

TEST_F(OptionsFormTest, WithoutInstallationOnlyTheDownloadIsOffered)
{
    FSandbox.RemoveRecord();
    ResetInstalledCache();
    auto form = Open();
    EXPECT_FALSE(Find(*form, "OptionsPages")->isVisibleTo(form.get()));
    EXPECT_FALSE(Find(*form, "SaveButton")->isVisibleTo(form.get()));
    EXPECT_TRUE(Find(*form, "NotInstalledText")->isVisibleTo(form.get()));
    EXPECT_TRUE(Find(*form, "DownloadButton")->isVisibleTo(form.get()));
    EXPECT_TRUE(Find(*form, "CancelButton")->isVisibleTo(form.get()));
    EXPECT_TRUE(Find<QPlainTextEdit>(*form, "NotInstalledText")->isReadOnly());
    form->SaveOptions();
    EXPECT_FALSE(std::filesystem::exists(SettingsFileName())) << "nothing is saved without an installation";

    FSandbox.Install();
    ResetInstalledCache();
    auto installed = Open();
    EXPECT_TRUE(Find(*installed, "OptionsPages")->isVisibleTo(installed.get()));
    EXPECT_FALSE(Find(*installed, "DownloadButton")->isVisibleTo(installed.get()));
}

TEST_F(OptionsFormTest, FontAndColourDialogsOpenBelowTheOptionsAndSetThePreview)
{
    auto form = Open();
    form->show();
    ASSERT_TRUE(form->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    const double dotsPerInch = form->screen()->logicalDotsPerInchY();
    bool onTopMeanwhile = true;
    QWindow* handle = form->windowHandle();
    OnNextWindow("FontDialog", [&](QWidget& dialog) {
        onTopMeanwhile = handle->flags().testFlag(Qt::WindowStaysOnTopHint);
        QFont chosen(QStringLiteral("DejaVu Serif"));
        chosen.setPointSizeF(18);
        static_cast<QFontDialog&>(dialog).setCurrentFont(chosen);
        static_cast<QFontDialog&>(dialog).accept();
    });
    Find<QAbstractButton>(*form, "FontButton")->click();
    EXPECT_FALSE(onTopMeanwhile) << "the font dialog must not open behind the options";
    EXPECT_TRUE(handle->flags().testFlag(Qt::WindowStaysOnTopHint)) << "on top again afterwards";

    onTopMeanwhile = true;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        onTopMeanwhile = handle->flags().testFlag(Qt::WindowStaysOnTopHint);
        dialog->setCurrentColor(QColor(0x12, 0x34, 0x56));
        dialog->accept();
    });
    Find<QAbstractButton>(*form, "ColourButton")->click();
    EXPECT_FALSE(onTopMeanwhile);
    EXPECT_TRUE(handle->flags().testFlag(Qt::WindowStaysOnTopHint));

    auto* preview = Find<QLabel>(*form, "FontPreview");
    EXPECT_EQ(preview->palette().color(QPalette::WindowText), QColor(0x12, 0x34, 0x56));
    Find<QPushButton>(*form, "SaveButton")->click();
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
    auto* text = Find<QPlainTextEdit>(*form, "TextEdit");
    EXPECT_EQ(text->toPlainText(), QStringLiteral("line one\nline two"));
    Find<QPushButton>(*form, "RestoreDefaultButton")->click();
    EXPECT_EQ(Find<QLineEdit>(*form, "SubjectEdit")->text(), UiText(msg::SecureMessageSubject));
    Find<QPushButton>(*form, "SaveButton")->click();
    EXPECT_EQ(FSettings.fContainer_DecryptInstructionText,
              FormatText(msg::DecryptLinkInstruction.Text[LangGerman], {MsgText(msg::UrlDecrypt)}))
        << "CR LF line breaks and the decryption page's address";
}

TEST_F(OptionsFormTest, EveryCaptionFollowsTheLanguage)
{
    auto form = Open();
    auto* pages = Find<QTabWidget>(*form, "OptionsPages");
    for (TLanguage language = LangEnglish; language < LanguageCount; ++language) {
        SCOPED_TRACE(static_cast<int>(language));
        LanguageHolder().SetLanguage(language);
        EXPECT_EQ(form->windowTitle(), UiText(msg::Options));
        EXPECT_EQ(pages->tabText(3), UiText(msg::Mapi));
        EXPECT_EQ(pages->tabText(4), UiText(msg::Security));
        EXPECT_EQ(Find<QLabel>(*form, "Part2Label")->text(), UiText(msg::PartNumber, {std::int64_t{2}}));
        EXPECT_EQ(Find<QLabel>(*form, "UnusedOnThisSystemNote")->text(), UiText(msg::MapiSettingsUnusedHere));
        EXPECT_EQ(Find<QPushButton>(*form, "SaveButton")->text(), UiText(msg::SaveSettingsAndClose));
        for (QWidget* control : form->findChildren<QWidget*>()) {
            if (control->objectName().isEmpty() && control->isVisibleTo(form.get()) &&
                (qobject_cast<QAbstractButton*>(control) || qobject_cast<QLineEdit*>(control))) {
                ADD_FAILURE() << "a control without a name: " << control->metaObject()->className();
            }
        }
    }
}
