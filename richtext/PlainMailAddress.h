#pragma once

#include <string_view>

// Whether a text is one plain mail address, local@domain, and nothing else: the only shape of
// address that is put into a mailto: link or handed to the mail program as a recipient. A
// received container's addresses were written by a stranger, and a mail program takes a
// "mailto:" text whole, fields and attachments included.
//
// The local part is a dot-atom of ASCII letters, digits and ! $ ' * + - / = ^ _ ` { | } ~ (the
// mail standard's characters without ?, &, % and #, which start, separate or escape the fields of
// a mailto: address); it does not start with '-', which a program would read as an option. The
// domain is two or more dot-separated labels of letters, digits and inner hyphens. No blanks, no
// control characters, no scheme, no second address, no quoting or angle brackets; at most 64
// characters before the '@' and 253 after it.
bool IsPlainMailAddress(std::string_view address);

// The address of a "Name <address>" text: what the angle brackets at its end enclose; any other
// text as it is. Tells whose address a text names, not whether it may be handed on.
std::string_view BareMailAddress(std::string_view text);
