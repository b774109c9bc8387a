#pragma once

#include <string>
#include <string_view>

// The text without the blanks and control characters (every byte up to and including the blank)
// at both ends.
std::string TrimText(std::string_view text);
