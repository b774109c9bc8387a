#pragma once

#include <string>

class IMessages;
class QDateTime;
class TTemporaryFiles;

// Whether the file is named as a container, in any letter case: ".xvt", or with olderToo also the
// older ".bwk".
bool HasContainerExtension(const std::string& fileName, bool olderToo = true);

// Default names of new containers: the name parts the user chose around a time stamp.

// "yyyy-mm-dd_hh-mm-ss_mmm" of a local date and time, every field padded with zeros.
std::string ContainerNameStamp(const QDateTime& localTime);

// nameBegin and nameEnd trimmed, joined with the stamp by one blank each, the whole trimmed
// (an empty part leaves no blank at the ends), then ".xvt".
std::string ContainerFileName(const std::string& nameBegin, const std::string& nameEnd, const QDateTime& localTime);

// The full path of a new container file in the work folder, named from the current local time,
// and listed in temporaryFiles for wiping. A name part holding a path delimiter would lead out of
// the work folder: the failure is shown with the caption "Error" and the answer is empty then.
std::string MakeContainerName(const std::string& workFolder, const std::string& nameBegin, const std::string& nameEnd,
                              TTemporaryFiles& temporaryFiles, IMessages& messages);
