#pragma once

#include "PasswordQual.h"

// The rating as the meter shows it: a level from 0 to 1.
class TPasswordMeter : public TPasswordQual
{
public:
    using TPasswordQual::TPasswordQual;

    // The meter level of the field's text.
    double Quality() const override;

    // 2.43 × raw quality / 100 up to 0.9; above, the level approaches 1 without reaching it.
    static double LevelOf(double rawQuality);
    // The position of the meter's bar (0 to 100) for a level.
    static int BarPosition(double level);
};
