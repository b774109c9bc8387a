#include "DropDecision.h"

#include "FileList.h"
#include "RichTextMapping.h"
#include "VirtualFiles.h"
#include "richtext/RtfWriter.h"

#include <QMimeData>
#include <QTextDocument>

namespace {

const QString UriListFormat = QStringLiteral("text/uri-list");
const QString HtmlFormat = QStringLiteral("text/html");
const QString PlainTextFormat = QStringLiteral("text/plain");

TDropDecision TextDecision(std::string text, bool rich)
{
    TDropDecision decision;
    decision.FKind = TDropDecision::TKind::Text;
    decision.FText = std::move(text);
    decision.FRich = rich;
    return decision;
}

TDropDecision FilesDecision(TDropDecision::TKind kind, std::vector<std::string> files)
{
    TDropDecision decision;
    decision.FKind = kind;
    decision.FFiles = std::move(files);
    return decision;
}

std::string HtmlAsRtf(const QString& html)
{
    QTextDocument document;
    document.setHtml(html);
    return WriteRtf(RichTextMapping::FromTextDocument(document));
}

} // namespace

TDropDecision TDropDecision::Of(const QMimeData& data, const std::string& workFolder)
{
    const QStringList formats = data.formats().mid(0, FormatLimit);
    if (formats.contains(UriListFormat)) {
        std::vector<std::string> files;
        for (const QString& file : FileList::LocalFiles(data)) {
            files.push_back(file.toStdString());
        }
        if (!files.empty()) {
            return FilesDecision(TKind::Files, std::move(files));
        }
    }
    if (VirtualFiles::Offered(formats)) {
        std::vector<std::string> written = VirtualFiles::WriteOffered(data, formats, workFolder);
        if (!written.empty()) {
            return FilesDecision(TKind::VirtualFiles, std::move(written));
        }
    }
    for (const char* rtf : {"text/rtf", "application/rtf"}) {
        if (formats.contains(QLatin1String(rtf))) {
            return TextDecision(data.data(QLatin1String(rtf)).toStdString(), true);
        }
    }
    if (formats.contains(HtmlFormat)) {
        return TextDecision(HtmlAsRtf(data.html()), true);
    }
    if (formats.contains(PlainTextFormat) || formats.contains(QStringLiteral("text/plain;charset=utf-8"))) {
        return TextDecision(data.text().toStdString(), false);
    }
    return {};
}

bool TDropDecision::OffersFiles(const QMimeData& data)
{
    const QStringList formats = data.formats().mid(0, FormatLimit);
    return (formats.contains(UriListFormat) && !FileList::LocalFiles(data).isEmpty()) || VirtualFiles::Offered(formats);
}

Qt::DropAction TDropDecision::Action(Qt::DropActions offered, Qt::DropAction proposed)
{
    return offered.testFlag(Qt::MoveAction) ? Qt::CopyAction : proposed;
}
