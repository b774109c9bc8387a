#include "PasswordEdit.h"

#include "container/PasswordCheckCode.h"
#include "container/TextCoding.h"

#include <QLineEdit>

TPasswordEdit::TPasswordEdit(QLineEdit* editField) : FEditField(editField)
{
    ShowPlain(false);
}

void TPasswordEdit::ShowPlain(bool plain)
{
    if (FEditField) {
        FEditField->setEchoMode(plain ? QLineEdit::Normal : QLineEdit::Password);
    }
}

QString TPasswordEdit::CheckCode() const
{
    return CheckCodeOf(FieldBytes());
}

QString TPasswordEdit::CheckCodeOf(std::string_view bytes)
{
    return QString::fromLatin1(PasswordCheckCode(bytes));
}

std::string TPasswordEdit::BytesOf(const QString& text)
{
    return ToStoredText(text.toStdString());
}

std::string TPasswordEdit::FieldBytes() const
{
    return FEditField ? BytesOf(FEditField->text()) : std::string();
}
