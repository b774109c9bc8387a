#pragma once

#include <string_view>

// The secrets the fuzz targets work with. The seed containers in corpus/fuzz_container were made
// with this password: a container that does not pass the password check ends in the first few
// bytes, so only inputs grown from real containers reach the catalog and the entries.
inline constexpr std::string_view FuzzContainerPassword = "fuzz-password";
// A short key for sealed strings.
inline constexpr std::string_view FuzzSealKey = "k3y";
