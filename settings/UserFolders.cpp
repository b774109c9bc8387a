#include "UserFolders.h"

#include <QDir>
#include <QString>
#include <QtGlobal>

#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string CleanFolder(const QString& folder)
{
    return QDir::cleanPath(folder).toStdString();
}

bool UsableRuntimeFolder(const QString& folder)
{
    if (folder.isEmpty() || !QDir::isAbsolutePath(folder)) {
        return false;
    }
    const std::string name = folder.toStdString();
    return IsPrivateFolder(name) && ::access(name.c_str(), W_OK | X_OK) == 0;
}

} // namespace

bool IsPrivateFolder(const std::string& folder)
{
    struct stat info
    {
    };
    return ::lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::getuid() &&
           (info.st_mode & 0777) == 0700;
}

std::string ConfigHome()
{
    const QString configured = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!configured.isEmpty() && QDir::isAbsolutePath(configured)) {
        return CleanFolder(configured);
    }
    return CleanFolder(QDir::homePath() + QStringLiteral("/.config"));
}

std::string SettingsFolder()
{
    return ConfigHome() + "/Sealvane";
}

std::string SettingsFileName()
{
    return SettingsFolder() + "/Sealvane.conf";
}

std::string PrivateRuntimeFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (UsableRuntimeFolder(runtime)) {
        return CleanFolder(runtime);
    }
    return CleanFolder(QDir::tempPath() + QStringLiteral("/sealvane-") + QString::number(::getuid()));
}

bool PreparePrivateRuntimeFolder()
{
    const std::string folder = PrivateRuntimeFolder();
    if (::mkdir(folder.c_str(), 0700) == 0) {
        ::chmod(folder.c_str(), 0700);
    }
    return IsPrivateFolder(folder);
}

std::string DefaultWorkFolder()
{
    const std::string base = PrivateRuntimeFolder();
    return (base == "/" ? std::string() : base) + "/" + WorkFolderName;
}

std::string DefaultSentCopiesFolder()
{
    return CleanFolder(QDir::homePath() + QStringLiteral("/Sealvane/Sent"));
}
