#pragma once

#include "ui/widgets/FormWatcher.h"
#include "PasswordForm.h"

// The dialog that asks for the password of a container once.
class TDecryptPasswordForm : public TPasswordForm
{
    Q_OBJECT

public:
    TDecryptPasswordForm(TSettings& settings, QWidget* parent);

    void Relabel() override;
    // The field starts with the initial password, all of it selected.
    void SetPassword(const QString& password);
    QString Password() const;

private:
    TFieldRow& FPassword;
    TFormWatcher<TDecryptPasswordForm> FWatcher{*this};
};
