#include "ContainerName.h"

#include "TemporaryFiles.h"
#include "UserInterface.h"
#include "container/PathInfo.h"
#include "language/Messages.h"
#include "language/MsgText.h"
#include "settings/TrimText.h"
#include "text/AsciiCase.h"

#include <QDateTime>

#include <cstdio>
#include <exception>
#include <filesystem>

bool HasContainerExtension(const std::string& fileName, bool olderToo)
{
    const std::string extension = LowerAsciiText(std::filesystem::path(fileName).extension().string());
    return extension == ".xvt" || (olderToo && extension == ".bwk");
}

std::string ContainerNameStamp(const QDateTime& localTime)
{
    const QDate date = localTime.date();
    const QTime time = localTime.time();
    char stamp[96];
    std::snprintf(stamp, sizeof stamp, "%4u-%2u-%2u_%2u-%2u-%2u_%3u", static_cast<unsigned>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  static_cast<unsigned>(time.hour()), static_cast<unsigned>(time.minute()),
                  static_cast<unsigned>(time.second()), static_cast<unsigned>(time.msec()));
    std::string text = stamp;
    for (char& c : text) {
        if (c == ' ') {
            c = '0';
        }
    }
    return text;
}

std::string ContainerFileName(const std::string& nameBegin, const std::string& nameEnd, const QDateTime& localTime)
{
    return TrimText(TrimText(nameBegin) + " " + ContainerNameStamp(localTime) + " " + TrimText(nameEnd)) + ".xvt";
}

std::string MakeContainerName(const std::string& workFolder, const std::string& nameBegin, const std::string& nameEnd,
                              TTemporaryFiles& temporaryFiles, IMessages& messages)
{
    try {
        TPathInfo name;
        name.SetFileName(ContainerFileName(nameBegin, nameEnd, QDateTime::currentDateTime()));
        const std::string fileName = JoinPath(workFolder, name.FileName());
        temporaryFiles.Add(fileName);
        return fileName;
    } catch (const std::exception& error) {
        messages.ShowInfoBox(MsgText(msg::Error), error.what());
        return {};
    }
}
