#pragma once

#include <QStringList>

#include <string>
#include <vector>

class QMimeData;

// Files as other programs hand them over: a list of file URLs (text/uri-list), and on the
// clipboard also the file managers' own form (x-special/gnome-copied-files: "copy" or "cut" on the
// first line, one URL on each further line).
namespace FileList {

// The local files an offer names, in its order; other URLs (http, sftp, ...) are passed over and
// never fetched. The uri-list counts first; a clipboard without one is read in the file managers'
// form, where files cut are copied all the same (nothing given to this program is ever deleted).
QStringList LocalFiles(const QMimeData& data);

// An offer of the files: text/uri-list, and for the clipboard also the file managers' form with
// "copy" so that pasting in a file manager copies them.
QMimeData* Offer(const std::vector<std::string>& fileNames, bool forClipboard);

} // namespace FileList
