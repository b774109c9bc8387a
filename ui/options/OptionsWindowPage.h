#pragma once

#include "OptionsPage.h"

class QCheckBox;
class QGroupBox;

// The page "Window": how the container windows and the start window behave.
class TOptionsWindowPage : public TOptionsPage
{
    Q_OBJECT

public:
    explicit TOptionsWindowPage(QWidget* parent);

    void Load(const TSettings& settings) override;
    void Save(TSettings& settings) const override;
    void Relabel() override;

private:
    QGroupBox* FContainerGroup;
    QCheckBox* FContainerOnTop;
    QCheckBox* FCloseAfterMail;
    QCheckBox* FCloseAfterAnswer;
    QCheckBox* FUserDimensions;
    QGroupBox* FStartGroup;
    QCheckBox* FStartOnTop;
    QCheckBox* FUserPositioning;
};
