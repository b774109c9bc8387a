#include "PasswordEdit.h"

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
    return QString::fromLatin1(FieldKey().CheckCode());
}

TContainerKey TPasswordEdit::KeyOf(const QString& text)
{
    return TContainerKey(text.toStdString());
}

TContainerKey TPasswordEdit::FieldKey() const
{
    return KeyOf(FEditField ? FEditField->text() : QString());
}
