#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <string>

class IMessages;
class TSettings;

// The decisions of the program's start that need no window: the one command-line switch, the
// hand-over to a running instance and the update of an installed copy by a newer build.
namespace Startup {

// What "--help" (the usage) or "--version" (the program's version) prints on the standard output;
// empty for any other first parameter. Either ends the program before any window or socket.
QString InformationOptionText(const QString& firstParameter);

// The parameters with every file name made absolute against the folder the program was started
// in, so that a running instance (working in another folder), or this one later, finds the file
// the user named. Switches ("-U", "-UPDATE") and blank parameters stay as they are.
QStringList AbsoluteFileParameters(const QStringList& parameters, const QString& startFolder);

// Whether the first parameter is the switch that forgets the user's settings ("-U"): compared
// after trimming and upper-casing the ASCII letters.
bool IsForgetSettingsSwitch(const QString& firstParameter);

// The switch: removes the user's settings and tells a running instance to forget them too, which
// it would otherwise write back when it ends. A removal that fails is shown in the program message
// box with caption "Error" and the reason, and answers false.
bool ForgetSettings(IMessages& messages);

// PreparePrivateRuntimeFolder, showing "Error on creating temp directory '%s'!" (caption "Error")
// with the folder when it fails: the program must not start then, since the single-instance
// socket and the start lock live there and would hand the user's file names to whoever owns it.
bool PrepareRuntimeFolderOrReport(IMessages& messages);

// Whether this copy should replace the installed copy: automatic update on, an installed copy
// recorded at another path (compared without regard to ASCII case) that exists, of the same
// release and a lower build.
bool ShouldReplaceInstalledCopy(const TSettings& settings, const std::string& runningProgram);

// Replaces the installed program file by the running one; on success the installed version is
// recorded and the settings saved, on failure "Failed to update your local copy of Sealvane!"
// is shown. Returns whether it was replaced.
bool ReplaceInstalledCopy(TSettings& settings, const std::string& runningProgram, IMessages& messages);

// What a start does when another instance is running: true when this start must end.
// Asks the running instance to end first when this copy should replace the installed one
// (then waits 2000 ms through sleep and looks again); otherwise, or when the instance stays,
// hands it the first parameter.
using TSleep = std::function<void(int milliseconds)>;
bool HandOverToRunningInstance(const QString& firstParameter, bool replaceInstalled, const TSleep& sleep);

} // namespace Startup
