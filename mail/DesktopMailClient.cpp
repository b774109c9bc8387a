#include "DesktopMailClient.h"

#include "language/Messages.h"
#include "language/MsgText.h"
#include "richtext/PlainMailAddress.h"
#include "settings/TrimText.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>

#include <algorithm>
#include <utility>

namespace {

// Mail programs that take Thunderbird's -compose option, recognised in the name of their desktop
// file or of their program.
const char* const ThunderbirdNames[] = {"thunderbird", "icedove", "betterbird"};

// How long xdg-mime may take to name the mail program.
constexpr int QueryTimeoutMs = 5000;

// A program name or path as the path of an executable file; empty when there is none.
QString FindProgram(const QString& program)
{
    if (program.contains('/')) {
        const QFileInfo info(program);
        return info.isFile() && info.isExecutable() ? info.absoluteFilePath() : QString();
    }
    return program.isEmpty() ? QString() : QStandardPaths::findExecutable(program);
}

// The desktop file name of the default handler of mailto: links; empty when xdg-mime is missing or
// names none.
QString DefaultMailHandler()
{
    const QString xdgMime = FindProgram("xdg-mime");
    if (xdgMime.isEmpty()) {
        return {};
    }
    QProcess query;
    query.start(xdgMime, {"query", "default", "x-scheme-handler/mailto"});
    if (!query.waitForFinished(QueryTimeoutMs)) {
        query.kill();
        query.waitForFinished();
        return {};
    }
    return QString::fromUtf8(query.readAllStandardOutput()).section('\n', 0, 0).trimmed();
}

// The Exec value of the [Desktop Entry] group of an installed desktop file (looked up in the XDG
// data folders); empty when there is none.
QString DesktopExec(const QString& desktopId)
{
    const QString path =
        desktopId.isEmpty() ? QString() : QStandardPaths::locate(QStandardPaths::ApplicationsLocation, desktopId);
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return {};
    }
    bool inEntry = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith('[')) {
            inEntry = line == "[Desktop Entry]";
        } else if (inEntry && line.section('=', 0, 0).trimmed() == "Exec") {
            return line.section('=', 1).trimmed();
        }
    }
    return {};
}

// The string escapes of desktop file values: \s, \n, \t, \r and \\.
QString UnescapeDesktopValue(const QString& value)
{
    QString result;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar next = i + 1 < value.size() ? value[i + 1] : QChar();
        const qsizetype known = QStringLiteral("sntr\\").indexOf(next);
        if (value[i] == '\\' && known >= 0) {
            result += QStringLiteral(" \n\t\r\\")[known];
            ++i;
        } else {
            result += value[i];
        }
    }
    return result;
}

// The command of an Exec value: the program and its fixed arguments, without the field codes
// (%u, %F and the like) and without flatpak's file-forwarding markers. Arguments are separated by
// blanks; a double-quoted argument takes \" \` \$ and \\ as the escaped character.
QStringList ExecCommand(const QString& exec)
{
    const QString value = UnescapeDesktopValue(exec);
    QStringList words;
    QString word;
    bool inWord = false;
    bool quoted = false;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (quoted && c == '\\' && i + 1 < value.size() && QStringLiteral("\"`$\\").contains(value[i + 1])) {
            word += value[++i];
        } else if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if (!quoted && c.isSpace()) {
            if (inWord) {
                words << std::exchange(word, {});
            }
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) {
        words << word;
    }
    QStringList command;
    for (const QString& w : std::as_const(words)) {
        const bool fieldCode = w.size() == 2 && w[0] == '%' && QStringLiteral("fFuUdDnNickvm").contains(w[1]);
        if (!fieldCode && !w.startsWith("@@")) {
            command << QString(w).replace("%%", "%");
        }
    }
    return command;
}

bool IsThunderbird(const QString& desktopId, const QString& program)
{
    const QString programName = QFileInfo(program).fileName();
    return std::any_of(std::begin(ThunderbirdNames), std::end(ThunderbirdNames), [&](const char* name) {
        return desktopId.contains(name, Qt::CaseInsensitive) || programName.compare(name, Qt::CaseInsensitive) == 0;
    });
}

// The recipient: a plain address only. Anything else could carry fields of its own (xdg-email
// takes a "mailto:...?attach=...&bcc=..." argument whole), so the mail then goes to nobody yet.
std::string Recipient(const TMailMessage& message)
{
    const std::string address = TrimText(message.FRecipientAddress);
    return IsPlainMailAddress(address) ? address : std::string();
}

// The body with every line break as LF.
QString BodyText(const TMailMessage& message)
{
    return QString::fromStdString(message.FBody).replace("\r\n", "\n").replace('\r', '\n');
}

// A value of Thunderbird's -compose option. Thunderbird splits the option at commas outside
// quotes and percent-decodes every value that is not quoted, so percent-encoding all but the
// unreserved characters lets commas, quotes and any other letter through unchanged.
QString ComposeValue(const QString& text)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

// The attachment as a file URL in which every character but the unreserved ones and the slash is
// percent-encoded. It goes in single quotes, which Thunderbird takes as they stand (the URL does
// the decoding); it splits the attachment list at commas, so none may remain, and no quote can
// end the value early.
QString AttachmentUrl(const QString& path)
{
    return "file://" + QString::fromLatin1(QUrl::toPercentEncoding(QFileInfo(path).absoluteFilePath(), "/"));
}

// The argument of Thunderbird's -compose option. The body goes as HTML, which the compose window
// expects. Thunderbird reads the argument as a field list only when it starts with a field name
// it knows, so the subject is always there.
QString ComposeArgument(const TMailMessage& message)
{
    QStringList fields;
    const std::string address = Recipient(message);
    if (!address.empty()) {
        fields << "to=" + ComposeValue(QString::fromStdString(address));
    }
    fields << "subject=" + ComposeValue(QString::fromStdString(message.FSubject));
    if (!message.FBody.empty()) {
        fields << "body=" + ComposeValue(BodyText(message).toHtmlEscaped().replace('\n', "<br>"));
    }
    if (!TrimText(message.FAttachmentPath).empty()) {
        fields << "attachment='" + AttachmentUrl(QString::fromStdString(message.FAttachmentPath)) + "'";
    }
    return fields.join(',');
}

QStringList XdgEmailArguments(const TMailMessage& message)
{
    QStringList arguments{"--utf8"};
    if (!message.FSubject.empty()) {
        arguments << "--subject" << QString::fromStdString(message.FSubject);
    }
    if (!message.FBody.empty()) {
        arguments << "--body" << BodyText(message);
    }
    if (!TrimText(message.FAttachmentPath).empty()) {
        arguments << "--attach" << QString::fromStdString(message.FAttachmentPath);
    }
    const std::string address = Recipient(message);
    if (!address.empty()) {
        arguments << QString::fromStdString(address);
    }
    return arguments;
}

int StartDetached(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments) ? IMailClient::HandedOver : IMailClient::StartFailed;
}

} // namespace

TDesktopMailClient::TDesktopMailClient(TShowInfoBox showInfoBox) : FShowInfoBox(std::move(showInfoBox)) {}

int TDesktopMailClient::SendMail(const TMailMessage& message)
{
    const QString handler = DefaultMailHandler();
    QStringList command = ExecCommand(DesktopExec(handler));
    const QString program = command.isEmpty() ? QString() : FindProgram(command.takeFirst());
    if (!program.isEmpty() && IsThunderbird(handler, program)) {
        return StartDetached(program, command << "-compose" << ComposeArgument(message));
    }
    const QString xdgEmail = FindProgram("xdg-email");
    if (!xdgEmail.isEmpty()) {
        return StartDetached(xdgEmail, XdgEmailArguments(message));
    }
    if (!FNoMailProgramShown) {
        FNoMailProgramShown = true;
        FShowInfoBox(MsgText(msg::Error), MsgText(msg::NoMailProgram));
    }
    return NoMailClient;
}
