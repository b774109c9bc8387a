#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// A window's top-left corner moved so that the whole window stays on the screen: pulled back
// left and up where it would pass the right or bottom edge, and never to negative coordinates.
QPoint ClampedToScreen(QPoint topLeft, QSize size, QSize screen);

// Puts a dialog's top-left corner at the mouse cursor, kept on the cursor's screen.
void PlaceAtCursor(QWidget& dialog);

// A shown window whose texts have just changed: once its layout has taken the new texts, a window
// that became larger than sizeBefore is moved back wholly onto its screen where it now passes an
// edge. A window that kept its size stays where the user put it.
void KeepGrownWindowOnScreen(QWidget& window, QSize sizeBefore);
