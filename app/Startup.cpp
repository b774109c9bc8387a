#include "Startup.h"

#include "EXEVersion.h"
#include "SingleInstance.h"
#include "UserInterface.h"
#include "language/FormatText.h"
#include "language/Messages.h"
#include "language/MsgText.h"
#include "settings/InstallRecord.h"
#include "settings/Settings.h"
#include "settings/UserFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

constexpr int UpdateWaitMs = 2000;

// Blanks and control characters off both ends, as a first parameter is compared.
QString TrimmedParameter(const QString& text)
{
    int start = 0;
    int end = static_cast<int>(text.size());
    while (start < end && text[start].unicode() <= ' ') {
        ++start;
    }
    while (end > start && text[end - 1].unicode() <= ' ') {
        --end;
    }
    return text.mid(start, end - start);
}

QString AsciiUpper(QString text)
{
    for (QChar& c : text) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) {
            c = QChar(c.unicode() - 'a' + 'A');
        }
    }
    return text;
}

bool IsSwitch(const QString& parameter)
{
    return TrimmedParameter(parameter) == QLatin1String(SingleInstance::UpdateText) ||
           Startup::IsForgetSettingsSwitch(parameter);
}

} // namespace

namespace Startup {

QString InformationOptionText(const QString& firstParameter)
{
    if (firstParameter == QLatin1String("--help")) {
        return QStringLiteral("Usage: sealvane [FILE | -U]\n"
                              "Opens the container FILE (.xvt, .bwk); a Sealvane already running opens it.\n"
                              "  -U         forget the settings stored for this user, then end\n"
                              "  --help     show this text\n"
                              "  --version  show the version\n");
    }
    if (firstParameter == QLatin1String("--version")) {
        TEXEVersion version;
        version.ReadRunningProgram();
        return QStringLiteral("Sealvane %1 (build %2)\n")
            .arg(QString::fromStdString(version.VersionText))
            .arg(version.Build);
    }
    return {};
}

QStringList AbsoluteFileParameters(const QStringList& parameters, const QString& startFolder)
{
    QStringList absolute;
    for (const QString& parameter : parameters) {
        const bool fileName = !TrimmedParameter(parameter).isEmpty() && !IsSwitch(parameter);
        absolute.append(fileName ? QDir(startFolder).absoluteFilePath(parameter) : parameter);
    }
    return absolute;
}

bool IsForgetSettingsSwitch(const QString& firstParameter)
{
    return AsciiUpper(TrimmedParameter(firstParameter)) == QLatin1String(SingleInstance::ForgetSettingsText);
}

bool ForgetSettings(IMessages& messages)
{
    std::string failure;
    if (!TSettings::RemoveUserSettings(failure)) {
        messages.ShowInfoBox(MsgText(msg::Error), failure);
        return false;
    }
    // Only an instance of this user's can listen in a private folder.
    if (IsPrivateFolder(PrivateRuntimeFolder())) {
        SingleInstance::SendToRunningInstance(QLatin1String(SingleInstance::ForgetSettingsText));
    }
    return true;
}

bool PrepareRuntimeFolderOrReport(IMessages& messages)
{
    if (PreparePrivateRuntimeFolder()) {
        return true;
    }
    messages.ShowInfoBox(MsgText(msg::Error),
                         FormatText(MsgText(msg::ErrorCreatingTempDirectory), {PrivateRuntimeFolder()}));
    return false;
}

bool ShouldReplaceInstalledCopy(const TSettings& settings, const std::string& runningProgram)
{
    std::string installed;
    if (!settings.fStart_AutoUpdate || !IsInstalled(installed)) {
        return false;
    }
    const QString installedPath = TrimmedParameter(QString::fromStdString(settings.ProgPath));
    if (installedPath.isEmpty()) {
        return false;
    }
    if (AsciiUpper(TrimmedParameter(QString::fromStdString(runningProgram))) == AsciiUpper(installedPath)) {
        return false;
    }
    if (!QFileInfo(installedPath).isFile()) {
        return false;
    }
    TEXEVersion running;
    TEXEVersion present;
    running.Read(runningProgram);
    present.Read(installedPath.toStdString());
    return IsNewerBuildOfSameRelease(running, present);
}

bool ReplaceInstalledCopy(TSettings& settings, const std::string& runningProgram, IMessages& messages)
{
    const QString target = QString::fromStdString(settings.ProgPath).trimmed();
    QFile source(QString::fromStdString(runningProgram));
    // Written beside the installed file and renamed over it: the installed program is never
    // left half-copied.
    QSaveFile copy(target);
    const bool copied = source.open(QIODevice::ReadOnly) && copy.open(QIODevice::WriteOnly) &&
                        copy.write(source.readAll()) == source.size() &&
                        copy.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                            QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                            QFileDevice::ExeOther) &&
                        copy.commit();
    if (!copied) {
        messages.ShowInfoBox(MsgText(msg::Information), MsgText(msg::LocalUpdateFailed));
        return false;
    }
    settings.InstalledVersion = "1.0";
    settings.Save(true);
    return true;
}

bool HandOverToRunningInstance(const QString& firstParameter, bool replaceInstalled, const TSleep& sleep)
{
    if (!SingleInstance::IsInstanceRunning()) {
        return false;
    }
    if (replaceInstalled) {
        SingleInstance::SendToRunningInstance(QLatin1String(SingleInstance::UpdateText));
        sleep(UpdateWaitMs);
        if (!SingleInstance::IsInstanceRunning()) {
            return false; // the running instance ended: this copy goes on alone
        }
    }
    SingleInstance::SendToRunningInstance(firstParameter);
    return true;
}

} // namespace Startup
