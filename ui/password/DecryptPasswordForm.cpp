#include "DecryptPasswordForm.h"

#include "ui/widgets/LanguageSwitch.h"
#include "ui/widgets/UiText.h"
#include "language/Messages.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int FieldFontPixels = 14;
constexpr int CodeFontPixels = 12;

} // namespace

TDecryptPasswordForm::TDecryptPasswordForm(TSettings& settings, QWidget* parent)
    : TPasswordForm(settings, parent),
      FPassword(AddFieldRow(QStringLiteral("Password"), FieldFontPixels, CodeFontPixels))
{
    setObjectName(QStringLiteral("fDecryptPwd"));
    FinishLayout(129, 73);
    connect(FOkButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(FPassword.Field, &QLineEdit::returnPressed, this, &QDialog::accept);
    SwitchToStoredLanguage(FSettings, FWatcher);
}

void TDecryptPasswordForm::Relabel()
{
    TPasswordForm::Relabel();
    setWindowTitle(UiText(msg::Password));
    FPassword.Label->setText(UiText(msg::PasswordLabel));
}

void TDecryptPasswordForm::SetPassword(const QString& password)
{
    FPassword.Field->setText(password);
    FPassword.Field->selectAll();
    FPassword.Field->setFocus();
}

QString TDecryptPasswordForm::Password() const
{
    return FPassword.Field->text();
}
