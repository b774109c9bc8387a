#include "StoredFont.h"

#include "Fonts.h"
#include "settings/FontData.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

QFont FontOfStored(const TFontData& stored)
{
    QFont font = Fonts::Sans(std::max(1, std::abs(stored.FHeight)));
    QStringList families = font.families();
    families.prepend(QString::fromStdString(stored.FName));
    font.setFamilies(families);
    font.setWeight(QFont::Weight(std::clamp(stored.FWeight, 1, 1000)));
    font.setItalic(stored.FItalic);
    font.setUnderline(stored.FUnderline);
    font.setStrikeOut(stored.FStrikeOut);
    return font;
}

QColor ColourOfStored(const TFontData& stored)
{
    return QColor(stored.FColor & 0xFF, (stored.FColor >> 8) & 0xFF, (stored.FColor >> 16) & 0xFF);
}

void StoreFont(const QFont& font, double dotsPerInch, TFontData& stored)
{
    stored.FName = font.family().toStdString();
    const int pixels = font.pixelSize() > 0 ? font.pixelSize() : PixelsOfPoints(font.pointSizeF(), dotsPerInch);
    stored.FHeight = -pixels;
    stored.FWidth = 0;
    stored.FWeight = font.weight();
    stored.FItalic = font.italic();
    stored.FUnderline = font.underline();
    stored.FStrikeOut = font.strikeOut();
}

void StoreColour(const QColor& colour, TFontData& stored)
{
    stored.FColor = colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

double PointsOfPixels(int pixels, double dotsPerInch)
{
    return pixels * 72.0 / dotsPerInch;
}

int PixelsOfPoints(double points, double dotsPerInch)
{
    return std::max(1, static_cast<int>(std::lround(points * dotsPerInch / 72.0)));
}
