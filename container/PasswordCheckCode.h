#pragma once

#include <string>
#include <string_view>

// The two-letter check code shown beside a password field, so that typing errors show while the
// characters stay hidden: two base64 digits (RFC 4648 alphabet) of the sum of every key byte
// times its position counted from 1, most significant first; the empty string for no bytes.
std::string PasswordCheckCode(std::string_view keyBytes);
