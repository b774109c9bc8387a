#pragma once

class IAppCommands;
class IStartWindow;
class TSettings;
class TTemporaryFiles;

// The closing sequence of the whole program, as the start window runs it when it closes for
// real: every container window closes (each asking to save as it needs), every temporary file is
// wiped, the settings are saved. Ending in the middle of a flow (a save, a send) would close its
// window under it: the program ends once the flow is done.
class TProgramEnd
{
public:
    TProgramEnd(TSettings& settings, TTemporaryFiles& temporaryFiles, IAppCommands& commands, IStartWindow& window);

    // True when the program may end now. False while a flow runs (the window closes for real once
    // the last flow has ended, however often this was asked meanwhile), when a container window
    // refused to close, and when the user aborted at a file that cannot be wiped ("Cannot wipe
    // file"; Abort, Retry, Ignore: Retry wipes the remaining files again, Ignore goes on).
    bool MayEnd();

private:
    bool WipeTemporaryFilesAsking();

    TSettings& FSettings;
    TTemporaryFiles& FTemporaryFiles;
    IAppCommands& FCommands;
    IStartWindow& FWindow;
    bool FEndAfterFlow = false;
};
