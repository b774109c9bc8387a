#pragma once

#include <QByteArray>
#include <QStringList>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QMimeData;

// Files that exist only inside another program (a mail client's attachments) offered as a file
// group descriptor, which names them, and the file contents. A source offers them under the
// names "FileGroupDescriptorW" (UTF-16 names), "FileGroupDescriptor" (8-bit names) and
// "FileContents", bare or wrapped as application/x-qt-windows-mime;value="...".
namespace VirtualFiles {

// The offered format that carries the named one, bare or wrapped; empty when none does.
QString FormatNamed(const QStringList& formats, const QString& name);
bool Offered(const QStringList& formats);

// The names a descriptor block holds, as UTF-8: a 32-bit file count, then one record per file
// (332 bytes with an 8-bit name, 592 bytes with a UTF-16 name; the name starts at byte 72). A
// count larger than the block holds is cut to the records present.
std::vector<std::string> DescriptorNames(const QByteArray& descriptor, bool wideNames);

// The contents of file n of the group; nothing when they cannot be had.
using TContentsReader = std::function<std::optional<QByteArray>(int index)>;

// Writes each named file into the folder under its name without blanks and control characters at
// both ends, beside (never over) a file of that name already there. A file whose contents cannot
// be had, whose name is not a plain file name (a path, "." or "..") or that cannot be written is
// passed over; the others are written. The paths written, in the group's order.
std::vector<std::string> Write(const std::vector<std::string>& names, const TContentsReader& contents,
                               const std::string& folder);

// Write() over an offer among the formats given. Only the first file's contents can be had
// through the toolkit's offer (it asks for the contents without a file index).
std::vector<std::string> WriteOffered(const QMimeData& data, const QStringList& formats, const std::string& folder);

} // namespace VirtualFiles
