#include "StartupLink.h"

#include "InstallRecord.h"
#include "UserFolders.h"
#include "language/Messages.h"
#include "language/MsgText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QString>

namespace {

// Seconds the desktop waits before starting the program, so that the panel with its tray is
// there when the program asks for it.
constexpr int AutostartDelaySeconds = 3;

// The escapes every string value of a desktop entry takes.
std::string EscapeValue(const std::string& text)
{
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '\\':
            escaped += "\\\\";
            break;
        case '\n':
            escaped += "\\n";
            break;
        case '\r':
            escaped += "\\r";
            break;
        case '\t':
            escaped += "\\t";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

// One argument of an Exec line: in double quotes, with '"', '`', '$' and '\' escaped by a
// backslash, and '%' doubled (it would start a field code); the value escapes come on top.
std::string ExecArgument(const std::string& argument)
{
    std::string quoted = "\"";
    for (const char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') {
            quoted += '\\';
        } else if (c == '%') {
            quoted += '%';
        }
        quoted += c;
    }
    quoted += '"';
    return EscapeValue(quoted);
}

std::string FolderWithSeparator(const std::string& progPath)
{
    return progPath.substr(0, progPath.rfind('/') + 1);
}

} // namespace

std::string StartupLinkFile()
{
    return ConfigHome() + "/autostart/Sealvane.desktop";
}

std::string StartupEntryText(const std::string& progPath)
{
    std::string text = "[Desktop Entry]\n"
                       "Type=Application\n";
    text += "Name=" + EscapeValue(MsgText(msg::Sealvane)) + "\n";
    text += "Exec=" + ExecArgument(progPath) + "\n";
    text += "Path=" + EscapeValue(FolderWithSeparator(progPath)) + "\n";
    text += "Terminal=false\n";
    text += "X-GNOME-Autostart-enabled=true\n";
    text += "X-GNOME-Autostart-Delay=" + std::to_string(AutostartDelaySeconds) + "\n";
    text += "X-KDE-autostart-after=panel\n";
    text += "X-LXQt-Need-Tray=true\n";
    return text;
}

bool StartupLinkExists()
{
    return IsInstalled() && QFile::exists(QString::fromStdString(StartupLinkFile()));
}

bool CreateStartupLink()
{
    std::string progPath;
    if (!IsInstalled(progPath)) {
        return false;
    }
    const QString fileName = QString::fromStdString(StartupLinkFile());
    if (!QDir().mkpath(QFileInfo(fileName).absolutePath())) {
        return false;
    }
    QSaveFile entry(fileName);
    if (!entry.open(QIODevice::WriteOnly)) {
        return false;
    }
    const std::string text = StartupEntryText(progPath);
    entry.write(text.data(), static_cast<qint64>(text.size()));
    return entry.commit();
}

bool RemoveStartupLink()
{
    if (!IsInstalled()) {
        return false;
    }
    QFile entry(QString::fromStdString(StartupLinkFile()));
    return !entry.exists() || entry.remove();
}
