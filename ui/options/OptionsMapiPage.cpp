#include "OptionsMapiPage.h"

#include "OptionRules.h"
#include "ui/widgets/UiText.h"
#include "language/Messages.h"
#include "settings/Settings.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// The text field shows line breaks as lines; the setting keeps them as CR LF, as the program's
// own texts have them.
QString ShownText(const std::string& stored)
{
    return QString::fromStdString(stored).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

std::string StoredText(const QString& shown)
{
    return QString(shown).replace(QLatin1Char('\n'), QStringLiteral("\r\n")).toStdString();
}

// Copies are kept up to about 27 years; a longer age is taken as the default.
constexpr std::int32_t MostSentCopiesDays = 9999;
constexpr std::int32_t DefaultSentCopiesDays = 30;

} // namespace

TOptionsMapiPage::TOptionsMapiPage(QWidget* parent)
    : TOptionsPage(parent), FInstructionGroup(Make<QGroupBox>(this, "InstructionGroup")),
      FSubjectLabel(Make<QLabel>(FInstructionGroup, "SubjectLabel")),
      FSubject(Make<QLineEdit>(FInstructionGroup, "SubjectEdit")),
      FTextLabel(Make<QLabel>(FInstructionGroup, "TextLabel")),
      FText(Make<QPlainTextEdit>(FInstructionGroup, "TextEdit")),
      FRestoreButton(Make<QPushButton>(FInstructionGroup, "RestoreDefaultButton")),
      FSentGroup(Make<QGroupBox>(this, "SentGroup")), FSentFolderLabel(Make<QLabel>(FSentGroup, "SentFolderLabel")),
      FSentFolder(Make<QLineEdit>(FSentGroup, "SentFolderEdit")),
      FSentFolderButton(Make<QPushButton>(FSentGroup, "SentFolderButton")),
      FSentDaysLabel(Make<QLabel>(FSentGroup, "SentDaysLabel")), FSentDays(Make<QLineEdit>(FSentGroup, "SentDaysEdit")),
      FAddressTypeGroup(Make<QGroupBox>(this, "AddressTypeGroup")),
      FAutomatic(Make<QRadioButton>(FAddressTypeGroup, "AutomaticRadio")),
      FHttp(Make<QRadioButton>(FAddressTypeGroup, "HttpRadio")),
      FSmtp(Make<QRadioButton>(FAddressTypeGroup, "SmtpRadio")), FAddressType(new QButtonGroup(this)),
      FProfileGroup(Make<QGroupBox>(this, "ProfileGroup")),
      FProfileNameLabel(Make<QLabel>(FProfileGroup, "ProfileNameLabel")),
      FProfileName(Make<QLineEdit>(FProfileGroup, "ProfileNameEdit")),
      FProfilePasswordLabel(Make<QLabel>(FProfileGroup, "ProfilePasswordLabel")),
      FProfilePassword(Make<QLineEdit>(FProfileGroup, "ProfilePasswordEdit")),
      FUnusedNote(Make<QLabel>(this, "UnusedOnThisSystemNote"))
{
    setObjectName(QStringLiteral("MapiPage"));
    FSubjectLabel->setBuddy(FSubject);
    FTextLabel->setBuddy(FText);
    FText->setTabChangesFocus(true);
    // The text grows with the dialog but asks only for a few lines: with every group of the page
    // the dialog still fits a screen 768 pixels high.
    FText->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    FText->setMinimumHeight(FText->fontMetrics().lineSpacing() * 7);
    FRestoreButton->setAutoDefault(false);
    connect(FRestoreButton, &QPushButton::clicked, this, &TOptionsMapiPage::RestoreDefaultText);
    FSentFolderLabel->setBuddy(FSentFolder);
    FSentFolder->setReadOnly(true);
    FSentFolderButton->setText(QStringLiteral("..."));
    FSentFolderButton->setAutoDefault(false);
    FSentFolderButton->setFixedWidth(32);
    connect(FSentFolderButton, &QPushButton::clicked, this, &TOptionsMapiPage::ChooseSentFolder);
    FSentDaysLabel->setBuddy(FSentDays);
    FSentDays->setFixedWidth(48);
    FAddressType->setObjectName(QStringLiteral("AddressTypeButtons"));
    FAddressType->addButton(FAutomatic, static_cast<int>(TAddressType::Automatic));
    FAddressType->addButton(FHttp, static_cast<int>(TAddressType::Http));
    FAddressType->addButton(FSmtp, static_cast<int>(TAddressType::Smtp));
    FProfileNameLabel->setBuddy(FProfileName);
    FProfilePasswordLabel->setBuddy(FProfilePassword);
    FProfilePassword->setEchoMode(QLineEdit::Password);
    FUnusedNote->setWordWrap(true);
    QFont small = FUnusedNote->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    FUnusedNote->setFont(small);

    auto* instruction = new QGridLayout(FInstructionGroup);
    instruction->addWidget(FSubjectLabel, 0, 0);
    instruction->addWidget(FSubject, 0, 1);
    instruction->addWidget(FTextLabel, 1, 0, Qt::AlignTop);
    instruction->addWidget(FText, 1, 1);
    instruction->addWidget(FRestoreButton, 2, 1, Qt::AlignRight);
    auto* sent = new QGridLayout(FSentGroup);
    sent->addWidget(FSentFolderLabel, 0, 0, 1, 3);
    sent->addWidget(FSentFolder, 1, 0, 1, 2);
    sent->addWidget(FSentFolderButton, 1, 2);
    sent->addWidget(FSentDaysLabel, 2, 0);
    sent->addWidget(FSentDays, 2, 1, 1, 2, Qt::AlignLeft);
    sent->setColumnStretch(1, 1);
    auto* addressType = new QHBoxLayout(FAddressTypeGroup);
    addressType->addWidget(FAutomatic);
    addressType->addWidget(FHttp);
    addressType->addWidget(FSmtp);
    addressType->addStretch();
    auto* profile = new QGridLayout(FProfileGroup);
    profile->addWidget(FProfileNameLabel, 0, 0);
    profile->addWidget(FProfileName, 0, 1);
    profile->addWidget(FProfilePasswordLabel, 1, 0);
    profile->addWidget(FProfilePassword, 1, 1);
    auto* page = new QVBoxLayout(this);
    page->addWidget(FInstructionGroup, 1);
    page->addWidget(FSentGroup);
    page->addWidget(FAddressTypeGroup);
    page->addWidget(FProfileGroup);
    page->addWidget(FUnusedNote);
}

void TOptionsMapiPage::Load(const TSettings& settings)
{
    FSubject->setText(QString::fromStdString(settings.fContainer_DecryptInstructionSubject));
    FText->setPlainText(ShownText(settings.fContainer_DecryptInstructionText));
    FSentFolder->setText(QString::fromStdString(settings.SentCopiesFolder));
    FSentDays->setText(QString::number(settings.SentCopiesDays));
    FAddressType->button(static_cast<int>(AddressTypeOf(settings.MapiMailTypeTrailer)))->setChecked(true);
    FProfileName->setText(QString::fromStdString(settings.MapiProfileName));
    FProfilePassword->setText(QString::fromStdString(settings.MapiLogonPWD));
}

void TOptionsMapiPage::Save(TSettings& settings) const
{
    settings.fContainer_DecryptInstructionSubject = FSubject->text().toStdString();
    settings.fContainer_DecryptInstructionText = StoredText(FText->toPlainText());
    settings.SentCopiesFolder = FSentFolder->text().toStdString();
    settings.SentCopiesDays =
        InRangeOr(ReadLeadingInteger(FSentDays->text().toStdString()), 0, MostSentCopiesDays, DefaultSentCopiesDays);
    settings.MapiMailTypeTrailer = MailTypeTrailerOf(static_cast<TAddressType>(FAddressType->checkedId()));
    settings.MapiProfileName = FProfileName->text().toStdString();
    settings.MapiLogonPWD = FProfilePassword->text().toStdString();
}

void TOptionsMapiPage::Relabel()
{
    FInstructionGroup->setTitle(UiText(msg::SubjectAndTextForRecipients));
    FSubjectLabel->setText(UiText(msg::SubjectLabel));
    FTextLabel->setText(UiText(msg::TextLabel));
    FText->setAccessibleName(FTextLabel->text());
    FSubject->setAccessibleName(FSubjectLabel->text());
    FRestoreButton->setText(UiText(msg::RestoreDefaultText));
    FSentGroup->setTitle(UiText(msg::SentContainers));
    FSentFolderLabel->setText(UiText(msg::SentCopiesFolder));
    FSentFolder->setAccessibleName(FSentFolderLabel->text());
    FSentFolderButton->setAccessibleName(FSentFolderLabel->text());
    FSentFolderButton->setToolTip(FSentFolderLabel->text());
    FSentDaysLabel->setText(UiText(msg::SentCopiesDays));
    FSentDays->setAccessibleName(FSentDaysLabel->text());
    FAddressTypeGroup->setTitle(UiText(msg::AddressType));
    FAutomatic->setText(UiText(msg::Automatic));
    FHttp->setText(UiText(msg::Http));
    FSmtp->setText(UiText(msg::Smtp));
    FProfileGroup->setTitle(UiText(msg::Profile));
    FProfileNameLabel->setText(UiText(msg::NameLabel));
    FProfilePasswordLabel->setText(UiText(msg::PasswordLabel));
    FProfileName->setAccessibleName(UiText(msg::Profile) + QLatin1Char(' ') + FProfileNameLabel->text());
    FProfilePassword->setAccessibleName(UiText(msg::Profile) + QLatin1Char(' ') + FProfilePasswordLabel->text());
    FUnusedNote->setText(UiText(msg::MapiSettingsUnusedHere));
}

void TOptionsMapiPage::RestoreDefaultText()
{
    FSubject->setText(UiText(msg::SecureMessageSubject));
    FText->setPlainText(ShownText(TSettings::DefaultDecryptInstructionText()));
}

void TOptionsMapiPage::ChooseSentFolder()
{
    const QString chosen = AskFolder(UiText(msg::SentContainers), FSentFolder->text());
    if (!chosen.isEmpty()) {
        FSentFolder->setText(chosen);
    }
}
