#pragma once

#include <QColor>
#include <QFont>

class TFontData;

// The memo font as the settings keep it (face, height in pixels, weight, colour 0x00BBGGRR) and
// as Qt shows it.

// The stored face (with the sans-serif stand-ins behind it) at its pixel height, with its weight,
// italic, underline and strike-out.
QFont FontOfStored(const TFontData& stored);
QColor ColourOfStored(const TFontData& stored);

// A chosen font into the stored one: face, height in pixels, weight, italic, underline and
// strike-out. A font given in points is converted at dotsPerInch. The colour and the character
// set stay; the width becomes 0 (the face's own).
void StoreFont(const QFont& font, double dotsPerInch, TFontData& stored);
void StoreColour(const QColor& colour, TFontData& stored);

// A pixel height as points at dotsPerInch, and back (rounded to whole pixels, at least 1).
double PointsOfPixels(int pixels, double dotsPerInch);
int PixelsOfPoints(double points, double dotsPerInch);
