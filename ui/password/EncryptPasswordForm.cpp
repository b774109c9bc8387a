#include "EncryptPasswordForm.h"

#include "ui/widgets/Fonts.h"
#include "ui/widgets/InfoBox.h"
#include "ui/widgets/LanguageSwitch.h"
#include "PasswordMeter.h"
#include "QualityMeter.h"
#include "ui/widgets/UiText.h"
#include "language/Messages.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int FieldFontPixels = 14;
constexpr int CodeFontPixels = 10;

} // namespace

TEncryptPasswordForm::TEncryptPasswordForm(TSettings& settings, QWidget* parent)
    : TPasswordForm(settings, parent),
      FPassword(AddFieldRow(QStringLiteral("Password"), FieldFontPixels, CodeFontPixels)),
      FConfirm(AddFieldRow(QStringLiteral("Confirmation"), FieldFontPixels, CodeFontPixels)),
      FQualityLabel(new QLabel(this)), FMeter(new TQualityMeter(this)), FLastEdited(FPassword.Field)
{
    setObjectName(QStringLiteral("fEncryptPwd"));
    FQualityLabel->setFont(Fonts::Sans(FieldFontPixels));
    FGrid->addWidget(FQualityLabel, 2, 0);
    FGrid->addWidget(FMeter, 2, 1, 1, 2);
    FinishLayout(189, 77);

    connect(FPassword.Field, &QLineEdit::textChanged, this, [this] {
        FMeter->SetPosition(TPasswordMeter::BarPosition(FPassword.Meter->Quality()));
        FLastEdited = FPassword.Field;
    });
    connect(FConfirm.Field, &QLineEdit::textChanged, this, [this] { FLastEdited = FConfirm.Field; });
    connect(FOkButton, &QPushButton::clicked, this, &TEncryptPasswordForm::Confirm);
    FMeter->SetPosition(TPasswordMeter::BarPosition(FPassword.Meter->Quality()));
    SwitchToStoredLanguage(FSettings, FWatcher);
}

void TEncryptPasswordForm::Relabel()
{
    TPasswordForm::Relabel();
    setWindowTitle(UiText(msg::Password));
    FPassword.Label->setText(UiText(msg::PasswordLabel));
    FConfirm.Label->setText(UiText(msg::Confirm));
    FQualityLabel->setText(UiText(msg::Quality));
    FMeter->Relabel();
}

void TEncryptPasswordForm::SetPassword(const QString& password)
{
    FPassword.Field->setText(password);
    FConfirm.Field->setText(password);
    FPassword.Field->selectAll();
    FPassword.Field->setFocus();
    FLastEdited = FPassword.Field;
}

QString TEncryptPasswordForm::Password() const
{
    return FPassword.Field->text();
}

QString TEncryptPasswordForm::Confirmation() const
{
    return FConfirm.Field->text();
}

int TEncryptPasswordForm::MeterPosition() const
{
    return FMeter->Position();
}

void TEncryptPasswordForm::ApplyHidePassword()
{
    TPasswordForm::ApplyHidePassword();
    // Back to where the user typed last, caret at the end, nothing selected.
    FLastEdited->setFocus();
    FLastEdited->deselect();
    FLastEdited->end(false);
}

void TEncryptPasswordForm::Confirm()
{
    // Compared as the bytes that become the key.
    if (TPasswordEdit::KeyOf(Password()) != TPasswordEdit::KeyOf(Confirmation())) {
        ShowInfoBox(UiText(msg::Warning), UiText(msg::IncorrectPasswordConfirmation), FSettings, this);
        return;
    }
    accept();
}
