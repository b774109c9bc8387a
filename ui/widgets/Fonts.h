#pragma once

#include <QFont>

// The fonts the windows ask for, with the families that stand in for them where they are missing.
namespace Fonts {

// "Arial" or the closest sans-serif, at a pixel size.
QFont Sans(int pixelSize);
// "Courier New" or the closest monospace, at a pixel size.
QFont Mono(int pixelSize);

} // namespace Fonts
