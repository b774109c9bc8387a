#pragma once

#include <Qt>

#include <string>
#include <vector>

class QMimeData;

// What a drop onto a window of the program means, decided from what the source offers, in this
// order: local files (text/uri-list); files that exist only inside the source (a virtual-file
// group, written into the work folder); rich text (text/rtf, application/rtf, then text/html
// converted to RTF); plain text. Only the first 99 formats of an offer are looked at. An offer of
// no local file (an empty list, or only remote URLs, which are never fetched) falls through to
// the later kinds.
struct TDropDecision
{
    enum class TKind
    {
        Nothing,
        Files,
        VirtualFiles, // written into the work folder: they belong on the temporary-file list
        Text,
    };

    static constexpr int FormatLimit = 99;

    // Decides; virtual files are written into the work folder meanwhile.
    static TDropDecision Of(const QMimeData& data, const std::string& workFolder);
    // Whether the offer brings files (local or virtual) rather than only text; known before the
    // drop, since nothing is written for the question.
    static bool OffersFiles(const QMimeData& data);
    // The source never gives anything up: an offer that allows moving becomes a copy.
    static Qt::DropAction Action(Qt::DropActions offered, Qt::DropAction proposed);

    TKind FKind = TKind::Nothing;
    std::vector<std::string> FFiles; // Files and VirtualFiles: full paths in the offer's order
    std::string FText;               // Text: RTF when rich, else UTF-8
    bool FRich = false;
};
