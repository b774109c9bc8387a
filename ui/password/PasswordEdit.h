#pragma once

#include "container/ContainerKey.h"

#include <QPointer>
#include <QString>

class QLineEdit;

// Attached to a password field it does not own: masks and unmasks the field and gives the
// two-letter check code of its text, so that typing errors show while the characters stay hidden.
// The field's text is rated, and its check code computed, as the key it becomes (TContainerKey),
// the key every front end makes of the same text. Once the field is gone, the text counts as
// empty.
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
    // The check code of the field's key; empty for an empty field.
    QString CheckCode() const;

    // The key a text of a password field stands for.
    static TContainerKey KeyOf(const QString& text);

protected:
    TContainerKey FieldKey() const;

private:
    QPointer<QLineEdit> FEditField;
};
