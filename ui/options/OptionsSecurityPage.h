#pragma once

#include "OptionsPage.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

// The page "Security": how long a password is remembered, the check-code boxes, the number of
// wipe cycles and the format of new containers. The numbers are read by their leading digits and
// corrected when out of range; a stored format other than 4 or 5 is shown, and saved, as 4.
class TOptionsSecurityPage : public TOptionsPage
{
    Q_OBJECT

public:
    explicit TOptionsSecurityPage(QWidget* parent);

    void Load(const TSettings& settings) override;
    void Save(TSettings& settings) const override;
    void Relabel() override;

private:
    // A number row: its label, its field and the range it accepts.
    struct TNumberRow
    {
        QLabel* FLabel;
        QLineEdit* FField;
        QLabel* FRange;
    };
    // A group whose rows are laid out in a grid.
    static QGroupBox* MakeGridGroup(QWidget* parent, const char* name);
    static TNumberRow AddNumberRow(QGroupBox* group, int row, const char* name);
    static void Relabel(const TNumberRow& row, const QString& label, const QString& range);

    QGroupBox* FPasswordGroup;
    TNumberRow FRememberTime;
    QCheckBox* FTypoFields;
    QGroupBox* FWipeGroup;
    TNumberRow FTempCycles;
    TNumberRow FUserCycles;
    QGroupBox* FFormatGroup;
    QRadioButton* FClassicFormat;
    QRadioButton* FSealedFormat;
    QButtonGroup* FFormat;
    QLabel* FFormatExplanation;
};
