#pragma once

#include "OptionsPage.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

// The page "MAPI": subject and text of the instructions mail for recipients, the folder of the
// copies handed to the mail program and their age, the address type and the mail profile. The
// last two are kept for other systems; a note says that they are not used here.
class TOptionsMapiPage : public TOptionsPage
{
    Q_OBJECT

public:
    explicit TOptionsMapiPage(QWidget* parent);

    void Load(const TSettings& settings) override;
    void Save(TSettings& settings) const override;
    void Relabel() override;

private:
    // The subject and text in the current language, with the decryption page's address.
    void RestoreDefaultText();
    void ChooseSentFolder();

    QGroupBox* FInstructionGroup;
    QLabel* FSubjectLabel;
    QLineEdit* FSubject;
    QLabel* FTextLabel;
    QPlainTextEdit* FText;
    QPushButton* FRestoreButton;
    QGroupBox* FSentGroup;
    QLabel* FSentFolderLabel;
    QLineEdit* FSentFolder;
    QPushButton* FSentFolderButton;
    QLabel* FSentDaysLabel;
    QLineEdit* FSentDays;
    QGroupBox* FAddressTypeGroup;
    QRadioButton* FAutomatic;
    QRadioButton* FHttp;
    QRadioButton* FSmtp;
    QButtonGroup* FAddressType;
    QGroupBox* FProfileGroup;
    QLabel* FProfileNameLabel;
    QLineEdit* FProfileName;
    QLabel* FProfilePasswordLabel;
    QLineEdit* FProfilePassword;
    QLabel* FUnusedNote;
};
