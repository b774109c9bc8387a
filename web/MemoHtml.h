#pragma once

#include "richtext/RichDocument.h"

#include <string>
#include <string_view>

// A memo as an HTML fragment for the browser page: paragraphs with their alignment, runs of
// bullets and numbers as lists, character looks as tags and inline styles. Every text is escaped;
// a link is one only when the window would open it too (OpenableLink: web, ftp and plain mail
// addresses; anything else, such as a script address, stays plain text) and opens in a new page
// without access to this one.
std::string MemoHtml(const TRichDocument& document);

// Text escaped for HTML content and attribute values.
std::string HtmlEscaped(std::string_view text);
