#include "FileList.h"

#include <QMimeData>
#include <QUrl>

namespace {

const QString GnomeCopiedFiles = QStringLiteral("x-special/gnome-copied-files");

QStringList LocalFilesOf(const QList<QUrl>& urls)
{
    QStringList files;
    for (const QUrl& url : urls) {
        if (url.isLocalFile()) {
            files.append(url.toLocalFile());
        }
    }
    return files;
}

} // namespace

namespace FileList {

QStringList LocalFiles(const QMimeData& data)
{
    if (data.hasUrls()) {
        return LocalFilesOf(data.urls());
    }
    if (!data.hasFormat(GnomeCopiedFiles)) {
        return {};
    }
    QList<QUrl> urls;
    const QList<QByteArray> lines = data.data(GnomeCopiedFiles).split('\n');
    // The first line says "copy" or "cut"; the rest are the files.
    for (qsizetype n = 1; n < lines.size(); ++n) {
        if (!lines[n].trimmed().isEmpty()) {
            urls.append(QUrl::fromEncoded(lines[n].trimmed()));
        }
    }
    return LocalFilesOf(urls);
}

QMimeData* Offer(const std::vector<std::string>& fileNames, bool forClipboard)
{
    auto* data = new QMimeData;
    QList<QUrl> urls;
    for (const std::string& fileName : fileNames) {
        urls.append(QUrl::fromLocalFile(QString::fromStdString(fileName)));
    }
    data->setUrls(urls);
    if (forClipboard) {
        QByteArray copied("copy");
        for (const QUrl& url : urls) {
            copied += '\n' + url.toEncoded();
        }
        data->setData(GnomeCopiedFiles, copied);
    }
    return data;
}

} // namespace FileList
