#pragma once

#include "FontData.h"
#include "ShowInfoBox.h"

#include <cstdint>
#include <string>

// Every user preference and the remembered window geometry. The values live in the settings file
// (SettingsFileName(): product values in [General], window values in [Forms]) under the names
// of the fields, and are read and written only for an installed copy (IsInstalled); a copy that
// is not installed runs on the defaults and leaves the file alone. Texts are UTF-8.
class TSettings
{
public:
    // Sets the defaults and loads; errors of the loading go to showInfoBox.
    explicit TSettings(TShowInfoBox showInfoBox);

    // Sets every field to its default, then, for an installed copy, reads the stored values in
    // table order (a missing value keeps its default; ProgPath comes from the installation
    // record, TempPath and fStart_AutoUpdate are never read, Autostart is whether the autostart
    // entry exists). A value that cannot be taken (a sealed password failing its check, a number
    // that is not a decimal 32-bit number, a text that is no text) stops the loading there: its
    // error is shown with the caption "Error", the values read so far stay, the rest keep their
    // defaults. True when every value was processed; false for a copy that is not installed and
    // after an error.
    bool Load();
    // The result of the loading done by the constructor.
    bool Loaded() const { return FLoaded; }

    // Creates or removes the autostart entry as Autostart says, then writes every value in table
    // order; only for an installed copy when onlyWhenInstalled. A password that cannot be sealed
    // is cleared and the saving goes on. The file is readable by the user only. True when
    // everything was written; false when the saving was skipped or the file could not be
    // written, which is shown with the caption "Error" and the system's reason. Nothing is saved
    // once the settings were forgotten.
    bool Save(bool onlyWhenInstalled);

    // Every field at its default.
    void SetDefaults();
    // The body of the instructions mail of a new installation, in the current language: the link
    // to the decryption page, then where the page that opens a container in a browser is found.
    static std::string DefaultDecryptInstructionText();

    // Removes the user's settings file (the "-U" switch): true when no settings are left, else
    // failure says which file could not be removed and the system's reason.
    static bool RemoveUserSettings(std::string& failure);
    // The same for a running program whose settings a second start has forgotten: removes the file
    // and never saves again, so the values in use are not written back.
    bool Forget(std::string& failure);

    // [General]
    TFontData DefaultFont;
    std::string ProgPath;
    std::string MapiProfileName;
    std::string MapiLogonPWD; // stored sealed
    std::string MapiMailTypeTrailer;
    std::string TempPath;
    std::string DefaultCurrentDirectory;
    std::string DefaultContainerNameBegin;
    std::string DefaultContainerNameEnd;
    std::string InstalledVersion;
    std::string OwnMailAddresses; // each address followed by the separator 127
    std::string LastUsedMailAddress;
    std::int32_t ActiveLanguage = 0;
    std::int32_t SaveLastPWDTime = 0; // units of 10 seconds
    std::int32_t WipeCyclesUser = 0;
    std::int32_t WipeCyclesTemp = 0;
    bool ExploreAfterExtract = false;
    bool ExtractAllInSubdir = false;
    bool DisplayTypoFields = false;
    std::string SentCopiesFolder; // where the copies handed to the mail program are kept
    std::int32_t SentCopiesDays = 0; // their age in days after which they are wiped, 0 = never
    std::int32_t NewContainerFormat = 0; // 4: readable by every Sealvane; 5: authenticated

    // [Forms]
    bool fStart_AutoUpdate = false;
    bool fStart_TrayMode = false;
    std::int32_t fStart_Left = 0;
    std::int32_t fStart_Top = 0;
    bool fStart_StayOnTop = false;
    bool fStart_UserPositioning = false;
    bool fStart_CheckForOutlookContainer = false;
    std::int32_t fContainer_WindowState = 0;
    std::int32_t fContainer_AttachmentViewCol1 = 0; // percent of the list's width
    std::int32_t fContainer_AttachmentViewCol2 = 0;
    std::int32_t fContainer_AttachmentViewCol3 = 0;
    std::int32_t fContainer_DefaultAttachmentView = 0; // 0 large symbols, 1 details
    std::int32_t fContainer_Width = 0;
    std::int32_t fContainer_Height = 0;
    bool fContainer_StayOntTop = false;
    bool fContainer_CloseAfterMail = false;
    bool fContainer_CloseAfterAnswer = false;
    bool fContainer_UserDimensions = false;
    std::string fContainer_DecryptInstructionText;
    std::string fContainer_DecryptInstructionSubject;

    // Not stored: whether the autostart entry exists (StartupLink.h).
    bool Autostart = false;

private:
    // Shows the text with the caption "Error".
    void ShowError(const std::string& text) const;

    TShowInfoBox FShowInfoBox;
    bool FLoaded = false;
    bool FForgotten = false;
};
