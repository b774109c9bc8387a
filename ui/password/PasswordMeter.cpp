#include "PasswordMeter.h"

#include <algorithm>
#include <cmath>

double TPasswordMeter::Quality() const
{
    return LevelOf(TPasswordQual::Quality());
}

double TPasswordMeter::LevelOf(double rawQuality)
{
    // The factor is an extended-precision constant: the product is formed in long double and
    // rounded once to double.
    double q = static_cast<double>(2.43L * static_cast<long double>(rawQuality));
    if (q > 90) {
        q = 100 - 10 / (1 + q - 90);
    }
    return q / 100;
}

int TPasswordMeter::BarPosition(double level)
{
    // nearbyint under the default rounding mode: halves go to the even neighbour.
    const double position = std::nearbyint(level * 100);
    if (!(position > 0)) {
        return 0; // also for a level that is no number
    }
    return static_cast<int>(std::min(position, 100.0));
}
