#pragma once

#include <optional>
#include <string>
#include <string_view>

// Which links of a memo may be opened, the same rule for the window and the browser page. A
// received memo was written by a stranger, and the desktop's opener starts whatever is registered
// for an address: launchers, network shares, programs of custom schemes, local files.
//
// Answers the address to open for a link's target, or nothing when the link must stay text:
// - blanks around the target are ignored; a target holding any other blank or a control
//   character stays text;
// - "www." at the start stands for a web page ("http://www.");
// - http, https and ftp (scheme in any letter case) open as they are when a host follows "//";
// - mailto: opens a compose window with only the plain address (see IsPlainMailAddress, after
//   percent-decoding) and the subject; every other field (attach, body, cc, bcc, to...) is
//   dropped, and a mailto: link without a plain address stays text;
// - anything else stays text: other schemes (file, smb, sftp, javascript, data, custom ones),
//   absolute paths and relative paths.
std::optional<std::string> OpenableLink(std::string_view target);
