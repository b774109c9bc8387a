#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The memo editor's font as the settings keep it: the face and the numbers of a logical font as
// the program has always stored them, so that the value reads the same on every system.
class TFontData
{
public:
    std::string FName = "Arial";
    std::int32_t FHeight = -15; // negative: character height in pixels
    std::int32_t FWidth = 0;
    std::int32_t FWeight = 400;
    std::int32_t FCharset = 0;
    std::int32_t FColor = 0;
    bool FItalic = false;
    bool FUnderline = false;
    bool FStrikeOut = false;

    // Nine fields, each followed by the separator 127: face, height, width, weight, character
    // set, colour (decimal), then italic, underline and strike-out as 0 or 1.
    std::string ToSettingText() const;

    // Takes the face and the five numbers from a stored value, as many as it holds (text after
    // the last separator is ignored); italic, underline and strike-out are never taken. A number
    // field that is not a decimal 32-bit number raises std::invalid_argument, and nothing is
    // changed then.
    void ApplySettingText(std::string_view text);

    bool operator==(const TFontData& other) const = default;
};
