#include "Settings.h"

#include "InstallRecord.h"
#include "StartupLink.h"
#include "UserFolders.h"
#include "cipher/CryptoError.h"
#include "cipher/SealedString.h"
#include "language/FormatText.h"
#include "language/Messages.h"
#include "language/MsgText.h"
#include "sealed/ContainerFormats.h"

#include <QFile>
#include <QLocale>
#include <QSettings>
#include <QStringList>

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <stdexcept>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace {

enum class TKind
{
    Text,
    SealedText,
    Integer,
    Flag,
    Font
};

// One stored value: its key in the settings file ("Forms/" for the window values), its kind,
// whether loading reads it, and the field it belongs to.
struct TStoredValue
{
    const char* FKey;
    TKind FKind;
    bool FRead;
    std::string TSettings::*FText = nullptr;
    std::int32_t TSettings::*FInteger = nullptr;
    bool TSettings::*FFlag = nullptr;
};

constexpr TStoredValue Text(const char* key, std::string TSettings::*field, bool read = true)
{
    return {key, TKind::Text, read, field};
}

constexpr TStoredValue Sealed(const char* key, std::string TSettings::*field)
{
    return {key, TKind::SealedText, true, field};
}

constexpr TStoredValue Integer(const char* key, std::int32_t TSettings::*field)
{
    return {key, TKind::Integer, true, nullptr, field};
}

constexpr TStoredValue Flag(const char* key, bool TSettings::*field, bool read = true)
{
    return {key, TKind::Flag, read, nullptr, nullptr, field};
}

using S = TSettings;

// Every value in the order of loading and saving: the product values, then the window values.
constexpr std::array StoredValues = {
    TStoredValue{"DefaultFont", TKind::Font, true},
    Text("ProgPath", &S::ProgPath, false),
    Text("MapiProfileName", &S::MapiProfileName),
    Sealed("MapiLogonPWD", &S::MapiLogonPWD),
    Text("MapiMailTypeTrailer", &S::MapiMailTypeTrailer),
    Text("TempPath", &S::TempPath, false),
    Text("DefaultCurrentDirectory", &S::DefaultCurrentDirectory),
    Text("DefaultContainerNameBegin", &S::DefaultContainerNameBegin),
    Text("DefaultContainerNameEnd", &S::DefaultContainerNameEnd),
    Text("InstalledVersion", &S::InstalledVersion),
    Text("OwnMailAddresses", &S::OwnMailAddresses),
    Text("LastUsedMailAddress", &S::LastUsedMailAddress),
    Integer("ActiveLanguage", &S::ActiveLanguage),
    Integer("SaveLastPWDTime", &S::SaveLastPWDTime),
    Integer("WipeCyclesUser", &S::WipeCyclesUser),
    Integer("WipeCyclesTemp", &S::WipeCyclesTemp),
    Flag("ExploreAfterExtract", &S::ExploreAfterExtract),
    Flag("ExtractAllInSubdir", &S::ExtractAllInSubdir),
    Flag("DisplayTypoFields", &S::DisplayTypoFields),
    Text("SentCopiesFolder", &S::SentCopiesFolder),
    Integer("SentCopiesDays", &S::SentCopiesDays),
    Integer("NewContainerFormat", &S::NewContainerFormat),
    Flag("Forms/fStart_AutoUpdate", &S::fStart_AutoUpdate, false),
    Flag("Forms/fStart_TrayMode", &S::fStart_TrayMode),
    Integer("Forms/fStart_Left", &S::fStart_Left),
    Integer("Forms/fStart_Top", &S::fStart_Top),
    Flag("Forms/fStart_StayOnTop", &S::fStart_StayOnTop),
    Flag("Forms/fStart_UserPositioning", &S::fStart_UserPositioning),
    Flag("Forms/fStart_CheckForOutlookContainer", &S::fStart_CheckForOutlookContainer),
    Integer("Forms/fContainer_WindowState", &S::fContainer_WindowState),
    Integer("Forms/fContainer_AttachmentViewCol1", &S::fContainer_AttachmentViewCol1),
    Integer("Forms/fContainer_AttachmentViewCol2", &S::fContainer_AttachmentViewCol2),
    Integer("Forms/fContainer_AttachmentViewCol3", &S::fContainer_AttachmentViewCol3),
    Integer("Forms/fContainer_DefaultAttachmentView", &S::fContainer_DefaultAttachmentView),
    Integer("Forms/fContainer_Width", &S::fContainer_Width),
    Integer("Forms/fContainer_Height", &S::fContainer_Height),
    Flag("Forms/fContainer_StayOntTop", &S::fContainer_StayOntTop),
    Flag("Forms/fContainer_CloseAfterMail", &S::fContainer_CloseAfterMail),
    Flag("Forms/fContainer_CloseAfterAnswer", &S::fContainer_CloseAfterAnswer),
    Flag("Forms/fContainer_UserDimensions", &S::fContainer_UserDimensions),
    Text("Forms/fContainer_DecryptInstructionText", &S::fContainer_DecryptInstructionText),
    Text("Forms/fContainer_DecryptInstructionSubject", &S::fContainer_DecryptInstructionSubject),
};

[[noreturn]] void ThrowInvalidDataType(const TStoredValue& value)
{
    const std::string_view key = value.FKey;
    throw std::runtime_error(FormatText(MsgText(msg::InvalidDataType), {std::string(key.substr(key.find('/') + 1))}));
}

std::string TextOf(const QVariant& stored, const TStoredValue& value)
{
    // A hand-written value with an unquoted comma comes back as a list of its pieces.
    if (stored.typeId() == QMetaType::QStringList) {
        return stored.toStringList().join(QStringLiteral(", ")).toStdString();
    }
    if (!stored.canConvert<QString>()) {
        ThrowInvalidDataType(value);
    }
    return stored.toString().toStdString();
}

std::int32_t IntegerOf(const QVariant& stored, const TStoredValue& value)
{
    bool ok = false;
    const int number = stored.canConvert<QString>() ? stored.toString().trimmed().toInt(&ok, 10) : 0;
    if (!ok) {
        ThrowInvalidDataType(value);
    }
    return number;
}

void ReadValue(TSettings& settings, const QVariant& stored, const TStoredValue& value)
{
    switch (value.FKind) {
    case TKind::Text:
        settings.*value.FText = TextOf(stored, value);
        break;
    case TKind::SealedText:
        try {
            settings.*value.FText = UnsealString(TextOf(stored, value), "", true);
        } catch (const ECryptoError&) {
            throw std::runtime_error(MsgText(msg::InvalidDataHash));
        }
        break;
    case TKind::Integer:
        settings.*value.FInteger = IntegerOf(stored, value);
        break;
    case TKind::Flag:
        settings.*value.FFlag = IntegerOf(stored, value) != 0;
        break;
    case TKind::Font:
        try {
            settings.DefaultFont.ApplySettingText(TextOf(stored, value));
        } catch (const std::invalid_argument&) {
            ThrowInvalidDataType(value);
        }
        break;
    }
}

void WriteValue(TSettings& settings, QSettings& store, const TStoredValue& value)
{
    const QString key = QString::fromLatin1(value.FKey);
    switch (value.FKind) {
    case TKind::Text:
        store.setValue(key, QString::fromStdString(settings.*value.FText));
        break;
    case TKind::SealedText:
        try {
            store.setValue(key, QString::fromStdString(SealString(settings.*value.FText, "", true)));
        } catch (const std::exception&) {
            (settings.*value.FText).clear();
        }
        break;
    case TKind::Integer:
        store.setValue(key, settings.*value.FInteger);
        break;
    case TKind::Flag:
        store.setValue(key, settings.*value.FFlag ? 1 : 0);
        break;
    case TKind::Font:
        store.setValue(key, QString::fromStdString(settings.DefaultFont.ToSettingText()));
        break;
    }
}

// "path: the system's reason", as a failed saving is shown.
std::string FailureText(const std::string& path, int error)
{
    return path + ": " + std::error_code(error, std::generic_category()).message();
}

// The settings folder is made private before the first value is written: the file holds the
// mail password, sealed without a key of the user's. Gives the system's error, if any.
std::error_code MakePrivateSettingsFolder(const std::string& folder)
{
    std::error_code error;
    if (std::filesystem::create_directories(folder, error)) {
        ::chmod(folder.c_str(), 0700);
    }
    return error;
}

// Why the settings file could not be written. The settings store only knows that writing
// failed, so the folder and the file are asked again: the store needs to create files in the
// folder and to write the file.
std::string WriteFailure(const std::string& folder, const std::string& fileName)
{
    if (::access(folder.c_str(), W_OK | X_OK) != 0) {
        return FailureText(folder, errno);
    }
    const int file = ::open(fileName.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (file < 0 && errno != ENOENT) {
        return FailureText(fileName, errno);
    }
    if (file >= 0) {
        ::close(file);
    }
    return FailureText(fileName, EIO);
}

} // namespace

TSettings::TSettings(TShowInfoBox showInfoBox) : FShowInfoBox(std::move(showInfoBox))
{
    FLoaded = Load();
}

void TSettings::SetDefaults()
{
    DefaultFont = TFontData();
    ProgPath.clear();
    IsInstalled(ProgPath);
    MapiProfileName.clear();
    MapiLogonPWD.clear();
    MapiMailTypeTrailer = "SMTP:";
    TempPath = DefaultWorkFolder();
    DefaultCurrentDirectory.clear();
    DefaultContainerNameBegin.clear();
    DefaultContainerNameEnd.clear();
    InstalledVersion.clear();
    OwnMailAddresses.clear();
    LastUsedMailAddress.clear();
    ActiveLanguage = FirstStartLanguage(QLocale::system().name().toStdString());
    SaveLastPWDTime = 15;
    WipeCyclesUser = 1;
    WipeCyclesTemp = 1;
    ExploreAfterExtract = true;
    ExtractAllInSubdir = true;
    DisplayTypoFields = true;
    SentCopiesFolder = DefaultSentCopiesFolder();
    SentCopiesDays = 30;
    NewContainerFormat = DefaultFormat;

    fStart_AutoUpdate = true;
    fStart_TrayMode = false;
    fStart_Left = -1;
    fStart_Top = -1;
    fStart_StayOnTop = true;
    fStart_UserPositioning = false;
    fStart_CheckForOutlookContainer = true;
    fContainer_WindowState = 0;
    fContainer_AttachmentViewCol1 = 60;
    fContainer_AttachmentViewCol2 = 15;
    fContainer_AttachmentViewCol3 = 25;
    fContainer_DefaultAttachmentView = 0;
    fContainer_Width = -1;
    fContainer_Height = -1;
    fContainer_StayOntTop = false;
    fContainer_CloseAfterMail = true;
    fContainer_CloseAfterAnswer = true;
    fContainer_UserDimensions = false;
    fContainer_DecryptInstructionText = DefaultDecryptInstructionText();
    fContainer_DecryptInstructionSubject = MsgText(msg::SecureMessageSubject);

    Autostart = false;
}

std::string TSettings::DefaultDecryptInstructionText()
{
    return FormatText(MsgText(msg::DecryptLinkInstruction), {MsgText(msg::UrlDecrypt)}) + "\r\n\r\n" +
           MsgText(msg::BrowserPageInstruction);
}

bool TSettings::Load()
{
    SetDefaults();
    if (!IsInstalled()) {
        return false;
    }
    // The entry is looked at first: a loading stopped by an error must not turn the option off,
    // or the next saving would remove the entry.
    Autostart = StartupLinkExists();
    QSettings store(QString::fromStdString(SettingsFileName()), QSettings::IniFormat);
    for (const TStoredValue& value : StoredValues) {
        const QString key = QString::fromLatin1(value.FKey);
        if (!value.FRead || !store.contains(key)) {
            continue;
        }
        try {
            ReadValue(*this, store.value(key), value);
        } catch (const std::exception& error) {
            ShowError(error.what());
            return false;
        }
    }
    return true;
}

bool TSettings::Save(bool onlyWhenInstalled)
{
    if (FForgotten || (onlyWhenInstalled && !IsInstalled())) {
        return false;
    }
    if (Autostart) {
        CreateStartupLink();
    } else {
        RemoveStartupLink();
    }
    const std::string folder = SettingsFolder();
    if (const std::error_code error = MakePrivateSettingsFolder(folder)) {
        ShowError(FailureText(folder, error.value()));
        return false;
    }
    const QString fileName = QString::fromStdString(SettingsFileName());
    QSettings store(fileName, QSettings::IniFormat);
    for (const TStoredValue& value : StoredValues) {
        WriteValue(*this, store, value);
    }
    store.sync();
    if (store.status() != QSettings::NoError) {
        ShowError(WriteFailure(folder, SettingsFileName()));
        return false;
    }
    QFile::setPermissions(fileName, QFile::ReadOwner | QFile::WriteOwner);
    return true;
}

void TSettings::ShowError(const std::string& text) const
{
    if (FShowInfoBox) {
        FShowInfoBox(MsgText(msg::Error), text);
    }
}

bool TSettings::RemoveUserSettings(std::string& failure)
{
    const std::string fileName = SettingsFileName();
    ::unlink((fileName + ".lock").c_str());
    if (::unlink(fileName.c_str()) != 0 && errno != ENOENT) {
        failure = FailureText(fileName, errno);
        return false;
    }
    ::rmdir(SettingsFolder().c_str());
    return true;
}

bool TSettings::Forget(std::string& failure)
{
    FForgotten = true;
    return RemoveUserSettings(failure);
}
