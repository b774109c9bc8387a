#pragma once

#include <string>
#include <string_view>

// Base64 with the standard alphabet and without "=" padding: a final partial group of 6 bits is
// filled with zero bits on the right. Decoding skips every character outside the alphabet
// (padding included) and drops a final partial byte.
std::string Base64Encode(std::string_view bytes);
std::string Base64Decode(std::string_view text);
