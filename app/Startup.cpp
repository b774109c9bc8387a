#include "Startup.h"

#include "EXEVersion.h"
#include "SingleInstance.h"
#include "UserInterface.h"
#include "language/Messages.h"
#include "language/MsgText.h"
#include "settings/InstallRecord.h"
#include "settings/Settings.h"

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

} // namespace

namespace Startup {

bool IsForgetSettingsSwitch(const QString& firstParameter)
{
    return AsciiUpper(TrimmedParameter(firstParameter)) == QLatin1String("-U");
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
        SingleInstance::SendToRunningInstance(QStringLiteral("-UPDATE"));
        sleep(UpdateWaitMs);
        if (!SingleInstance::IsInstanceRunning()) {
            return false; // the running instance ended: this copy goes on alone
        }
    }
    SingleInstance::SendToRunningInstance(firstParameter);
    return true;
}

} // namespace Startup
