#pragma once

#include "ui/widgets/FormWatcher.h"
#include "PasswordForm.h"

class TQualityMeter;

// The dialog that asks for a new password twice and rates the first entry.
class TEncryptPasswordForm : public TPasswordForm
{
    Q_OBJECT

public:
    TEncryptPasswordForm(TSettings& settings, QWidget* parent);

    void Relabel() override;
    // Both fields start with the initial password, the first one selected.
    void SetPassword(const QString& password);
    QString Password() const;
    QString Confirmation() const;
    int MeterPosition() const;

protected:
    void ApplyHidePassword() override;

private:
    void Confirm();

    TFieldRow& FPassword;
    TFieldRow& FConfirm;
    QLabel* FQualityLabel;
    TQualityMeter* FMeter;
    QLineEdit* FLastEdited;
    TFormWatcher<TEncryptPasswordForm> FWatcher{*this};
};
