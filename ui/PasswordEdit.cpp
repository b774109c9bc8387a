#include "PasswordEdit.h"

#include "container/TextCoding.h"

#include <QLineEdit>

#include <cstdint>

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
    if (bytes.empty()) {
        return {};
    }
    static constexpr char Digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    // The sum wraps at 32 bits on very long texts; the code is its lowest twelve bits either way.
    std::uint32_t sum = 0;
    std::uint32_t position = 0;
    for (const char byte : bytes) {
        sum += static_cast<unsigned char>(byte) * ++position;
    }
    const char code[] = {Digits[(sum >> 6) & 63], Digits[sum & 63]};
    return QString::fromLatin1(code, 2);
}

std::string TPasswordEdit::BytesOf(const QString& text)
{
    return ToStoredText(text.toStdString());
}

std::string TPasswordEdit::FieldBytes() const
{
    return FEditField ? BytesOf(FEditField->text()) : std::string();
}
