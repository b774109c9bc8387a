#pragma once

#include <QPointer>
#include <QString>

#include <string>
#include <string_view>

class QLineEdit;

// Attached to a password field it does not own: masks and unmasks the field and gives the
// two-letter check code of its text, so that typing errors show while the characters stay hidden.
// The field's text is rated as the bytes it becomes as a key (see ToStoredText). Once the field
// is gone, the text counts as empty.
class TPasswordEdit
{
public:
    // Masks the field.
    explicit TPasswordEdit(QLineEdit* editField);
    virtual ~TPasswordEdit() = default;
    TPasswordEdit(const TPasswordEdit&) = delete;
    TPasswordEdit& operator=(const TPasswordEdit&) = delete;

    // True shows the characters as typed, false masks every one.
    void ShowPlain(bool plain);
    // The check code of the field's text; empty for an empty field.
    QString CheckCode() const;

    // The check code of key bytes (see PasswordCheckCode).
    static QString CheckCodeOf(std::string_view bytes);
    // The bytes a text of a password field stands for.
    static std::string BytesOf(const QString& text);

protected:
    // The field's text as bytes.
    std::string FieldBytes() const;

private:
    QPointer<QLineEdit> FEditField;
};
