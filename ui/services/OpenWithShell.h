#pragma once

#include <QString>

class IMessages;

// The desktop's "open": a web address, or a file or folder given by its absolute path, goes to
// its default handler. When none could take it (no web browser or handler is set up), the
// program message box says so with the caption "Error", and the answer is false.
bool OpenWithShell(const QString& pathOrAddress, IMessages& messages);
