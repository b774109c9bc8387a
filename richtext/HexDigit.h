#pragma once

// The value of a hexadecimal digit (either case), or -1 for any other character: RTF's \'xx
// escapes and the %XX escapes of link addresses.
constexpr int HexValue(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}
