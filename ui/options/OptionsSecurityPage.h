#pragma once

#include "OptionsPage.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;

// The page "Security": how long a password is remembered, the check-code boxes, and the number
// of wipe cycles. The numbers are read by their leading digits and corrected when out of range.
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
};
