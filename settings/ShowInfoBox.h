#pragma once

#include <functional>
#include <string>

// How a service below the windows shows an error: the program's message box with a caption and a
// text.
using TShowInfoBox = std::function<void(const std::string& caption, const std::string& text)>;
