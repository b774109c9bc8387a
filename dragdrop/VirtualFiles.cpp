#include "VirtualFiles.h"

#include "app/UnusedPath.h"
#include "settings/TrimText.h"
#include "text/StoredText.h"

#include <QMimeData>
#include <QtEndian>

#include <filesystem>
#include <fstream>

namespace {

const QString GroupDescriptorW = QStringLiteral("FileGroupDescriptorW");
const QString GroupDescriptor = QStringLiteral("FileGroupDescriptor");
const QString FileContents = QStringLiteral("FileContents");

constexpr qsizetype CountSize = 4;
constexpr qsizetype NameOffset = 72;
constexpr qsizetype NameChars = 260;

bool PlainFileName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\") == std::string::npos;
}

bool WriteFile(const std::string& fileName, const QByteArray& contents)
{
    std::ofstream file(fileName, std::ios::binary | std::ios::trunc);
    file.write(contents.constData(), contents.size());
    file.close();
    if (!file) {
        std::error_code ignored;
        std::filesystem::remove(fileName, ignored);
        return false;
    }
    return true;
}

} // namespace

namespace VirtualFiles {

QString FormatNamed(const QStringList& formats, const QString& name)
{
    const QString wrapped = QStringLiteral("application/x-qt-windows-mime;value=\"%1\"").arg(name);
    for (const QString& format : formats) {
        if (format == name || format == wrapped) {
            return format;
        }
    }
    return {};
}

bool Offered(const QStringList& formats)
{
    return (!FormatNamed(formats, GroupDescriptorW).isEmpty() || !FormatNamed(formats, GroupDescriptor).isEmpty()) &&
           !FormatNamed(formats, FileContents).isEmpty();
}

std::vector<std::string> DescriptorNames(const QByteArray& descriptor, bool wideNames)
{
    std::vector<std::string> names;
    if (descriptor.size() < CountSize) {
        return names;
    }
    const qsizetype nameBytes = wideNames ? NameChars * 2 : NameChars;
    const qsizetype recordSize = NameOffset + nameBytes;
    const quint32 count = qFromLittleEndian<quint32>(descriptor.constData());
    const qsizetype present = (descriptor.size() - CountSize) / recordSize;
    for (qsizetype n = 0; n < std::min<qsizetype>(count, present); ++n) {
        const char* name = descriptor.constData() + CountSize + n * recordSize + NameOffset;
        if (wideNames) {
            qsizetype length = 0;
            while (length < NameChars && qFromLittleEndian<char16_t>(name + 2 * length) != 0) {
                ++length;
            }
            QString text(length, Qt::Uninitialized);
            qFromLittleEndian<char16_t>(name, length, text.data());
            names.push_back(text.toStdString());
        } else {
            names.push_back(FromStoredText(std::string(name, qstrnlen(name, NameChars))));
        }
    }
    return names;
}

std::vector<std::string> Write(const std::vector<std::string>& names, const TContentsReader& contents,
                               const std::string& folder)
{
    std::vector<std::string> written;
    for (std::size_t n = 0; n < names.size(); ++n) {
        const std::string name = TrimText(names[n]);
        if (!PlainFileName(name)) {
            continue;
        }
        const std::optional<QByteArray> bytes = contents(static_cast<int>(n));
        if (!bytes) {
            continue;
        }
        try {
            const std::string fileName = UnusedPath(folder, name);
            if (WriteFile(fileName, *bytes)) {
                written.push_back(fileName);
            }
        } catch (const std::filesystem::filesystem_error&) {
            // No free place for it in the folder: passed over like a file that cannot be written.
        }
    }
    return written;
}

std::vector<std::string> WriteOffered(const QMimeData& data, const QStringList& formats, const std::string& folder)
{
    const QString wide = FormatNamed(formats, GroupDescriptorW);
    const QString descriptor = wide.isEmpty() ? FormatNamed(formats, GroupDescriptor) : wide;
    const QString contents = FormatNamed(formats, FileContents);
    if (descriptor.isEmpty() || contents.isEmpty()) {
        return {};
    }
    const std::vector<std::string> names = DescriptorNames(data.data(descriptor), !wide.isEmpty());
    return Write(
        names,
        [&](int index) -> std::optional<QByteArray> {
            if (index != 0) {
                return std::nullopt;
            }
            return data.data(contents);
        },
        folder);
}

} // namespace VirtualFiles
