#pragma once

#include <string>
#include <string_view>

// The directional embeddings, overrides and isolates (U+202A to U+202E, U+2066 to U+2069): in
// a name a sender chose they would show "invoice<RLO>fdp.exe" as "invoiceexe.pdf".
bool IsDirectionalControl(char32_t c);

// A text that came out of a container (a name, a memo, an address), made safe to show on a
// terminal or in a list: control characters (C0, DEL, C1, which a terminal may take as the start
// of an escape sequence), the directional controls, and every byte that starts no well-formed UTF-8
// sequence each become "?". With keepLineBreaks, line feeds and tabs stay and a carriage return
// before a line feed is dropped; without, they become "?" too.
std::string ShownSafely(std::string_view text, bool keepLineBreaks);
