#pragma once

#include "OptionsPage.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The page "General": start-up and extraction options, the default container name with an
// example, and the default folder.
class TOptionsGeneralPage : public TOptionsPage
{
    Q_OBJECT

public:
    TOptionsGeneralPage(TSettings& settings, QWidget* parent);

    void Load(const TSettings& settings) override;
    void Save(TSettings& settings) const override;
    void Relabel() override;

private:
    void ShowExample();
    void ChooseFolder();

    TSettings& FSettings;
    QGroupBox* FGroup;
    QCheckBox* FAutostart;
    QCheckBox* FTrayMode;
    QCheckBox* FCheckOutlook;
    QCheckBox* FExplore;
    QCheckBox* FSubfolders;
    QLabel* FNameLabel;
    QLabel* FPart1Label;
    QLineEdit* FNameBegin;
    QLabel* FPart2Label;
    QLineEdit* FNameEnd;
    QLabel* FExampleLabel;
    QLabel* FExample;
    QLabel* FFolderLabel;
    QLineEdit* FFolder;
    QPushButton* FFolderButton;
};
