#include "mail/DesktopMailClient.h"
#include "language/Messages.h"
#include "language/MsgText.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>

#include <gtest/gtest.h>

#include <iterator>
#include <optional>
#include <vector>

namespace {

// Thunderbird's reading of its -compose argument: fields split at commas outside quotes (a quote
// opens right after '=' and closes before a comma or the end), a quoted value taken as it stands,
// any other value percent-decoded.
QMap<QString, QString> ParseCompose(const QString& argument)
{
    QStringList fields{QString()};
    QChar quote;
    for (qsizetype i = 0; i < argument.size(); ++i) {
        const QChar c = argument[i];
        const bool last = i + 1 == argument.size();
        if (!quote.isNull() && c == quote && (last || argument[i + 1] == ',')) {
            quote = QChar();
        } else if ((c == '\'' || c == '"') && i > 0 && argument[i - 1] == '=' && quote.isNull()) {
            quote = c;
        } else if (c == ',' && quote.isNull()) {
            fields << QString();
            continue;
        }
        fields.last() += c;
    }
    QMap<QString, QString> values;
    for (const QString& field : std::as_const(fields)) {
        const QString value = field.section('=', 1);
        const bool quoted = value.size() >= 2 && value.startsWith('\'') && value.endsWith('\'');
        values[field.section('=', 0, 0)] =
            quoted ? value.mid(1, value.size() - 2) : QUrl::fromPercentEncoding(value.toLatin1());
    }
    return values;
}

QString PlainFromHtml(QString html)
{
    return html.replace("<br>", "\n")
        .replace("&lt;", "<")
        .replace("&gt;", ">")
        .replace("&quot;", "\"")
        .replace("&amp;", "&");
}

// A mailto: handler: its desktop file and Exec line ("$BIN" stands for the folder of the fake
// programs), the fake program that must receive the message and the arguments a Thunderbird takes
// before -compose.
struct THandler
{
    const char* FDesktopId;
    const char* FExec;
    const char* FStarted;
    QStringList FFixed = {};
};

struct TMessageRow
{
    const char* FName;
    std::string FAddress;
    const char* FRecipient; // what the mail program gets of the address
    std::string FSubject;
    std::string FBody;
    const char* FAttachment; // a file made in the test folder; nullptr for none
};

const TMessageRow MessageRows[] = {
    {"every awkward character", "  o'neil+jr@example.org ", "o'neil+jr@example.org",
     "Re: 100% \"sure\", isn't it?,attachment='file:///etc/passwd'",
     "Line 1, 'quoted',\r\nx < y & z > w\n%41 \"Łódź\"',\n&amp;", "a,b 'c' \"d\" 50% Łódź.xvt"},
    {"blank address, no attachment", "   ", "", "Subject", "Body", nullptr},
    {"no address, no body", "", "", "", "", "plain.xvt"},
    // A received container's sender address is a stranger's text: only a plain address is one.
    {"an address with fields of its own", "mailto:x@example.org?attach=/home/victim/.ssh/id_rsa&bcc=spy@example.org",
     "", "Subject", "Body", nullptr},
    {"two addresses, the first like an option", "-x@example.org,spy@example.org", "", "Subject", "", nullptr},
};
// Each message row goes once to a Thunderbird (or a fork) as the default and once to xdg-email, the
// fallback for a default that is no Thunderbird, cannot be found or is not set.
const std::pair<THandler, THandler> Handlers[std::size(MessageRows)] = {
    {{"thunderbird.desktop",
      "\"$BIN/thunderbird\" -P \"my \\\\\"mail\\\\\" profile\" %u",
      "thunderbird",
      {"-P", "my \"mail\" profile"}},
     {"org.gnome.Evolution.desktop", "evolution %U", "xdg-email"}},
    {{"userapp-Betterbird-AB12.desktop", "betterbird %u @@u %u @@", "betterbird"},
     {"thunderbird.desktop", "/nonexistent/thunderbird %u", "xdg-email"}},
    {{"mail.desktop", "icedove --name=100%% %U", "icedove", {"--name=100%"}}, {"", "", "xdg-email"}},
    {{"thunderbird.desktop", "thunderbird %u", "thunderbird"}, {"", "", "xdg-email"}},
    {{"thunderbird.desktop", "thunderbird %u", "thunderbird"}, {"", "", "xdg-email"}},
};
const TMessageRow& Plain = MessageRows[1];

class DesktopMailClientTest : public ::testing::Test
{
protected:
    // The fake programs alone on the search path, in a folder with a blank that exercises the
    // quoting of Exec lines; the desktop files in a data folder of their own.
    void SetUp() override
    {
        ASSERT_TRUE(FRoot.isValid());
        ASSERT_TRUE(QDir().mkpath(FBin));
        ASSERT_TRUE(QDir().mkpath(FRoot.path() + "/data/applications"));
        qputenv("PATH", FBin.toUtf8());
        qputenv("XDG_DATA_HOME", (FRoot.path() + "/home").toUtf8());
        qputenv("XDG_DATA_DIRS", (FRoot.path() + "/data").toUtf8());
        qputenv("SEALVANE_FAKE_SLEEP", "0");
    }

    void WriteFile(const QString& path, const QByteArray& text, bool executable = false)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        file.close();
        if (executable) {
            file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
    }

    // A fake mail program that records its arguments, each ended by NUL, in <name>.args, then
    // sleeps for SEALVANE_FAKE_SLEEP seconds.
    void AddRecorder(const QString& name)
    {
        WriteFile(FBin + "/" + name,
                  "#!/bin/sh\nexec >/dev/null 2>&1\nprintf '%s\\0' \"$@\" > \"$0.tmp\" && /bin/mv \"$0.tmp\" "
                  "\"$0.args\"\n/bin/sleep \"$SEALVANE_FAKE_SLEEP\"\n",
                  true);
    }

    // A fake xdg-mime naming desktopId as the handler of mailto: links, and that desktop file.
    void SetDefault(const QString& desktopId, const QString& exec = {})
    {
        WriteFile(FBin + "/xdg-mime",
                  "#!/bin/sh\n[ \"$*\" = 'query default x-scheme-handler/mailto' ] && echo '" + desktopId.toUtf8() +
                      "'\n",
                  true);
        if (!exec.isEmpty()) {
            WriteFile(FRoot.path() + "/data/applications/" + desktopId,
                      ("[Desktop Entry]\nType=Application\nName=Mail\nExec=" + exec + "\n").toUtf8());
        }
    }

    // The arguments a fake program was started with, waited for; nullopt when it was not started.
    std::optional<QStringList> Recorded(const QString& name)
    {
        QFile file(FBin + "/" + name + ".args");
        for (int waited = 0; !file.exists() && waited < 3000; waited += 20) {
            QThread::msleep(20);
        }
        if (!file.open(QIODevice::ReadOnly)) {
            return std::nullopt;
        }
        QStringList arguments = QString::fromUtf8(file.readAll()).split(QChar(0));
        arguments.removeLast();
        file.remove();
        return arguments;
    }

    TMailMessage Message(const TMessageRow& row)
    {
        TMailMessage message{row.FSubject, row.FBody, row.FAddress, {}, {}};
        if (row.FAttachment != nullptr) {
            message.FAttachmentPath = (FRoot.path() + "/" + QString::fromUtf8(row.FAttachment)).toStdString();
            message.FAttachmentName = row.FAttachment;
            WriteFile(QString::fromStdString(message.FAttachmentPath), {});
        }
        return message;
    }

    QTemporaryDir FRoot;
    const QString FBin = FRoot.path() + "/fake bin";
    std::vector<std::string> FShown;
    TDesktopMailClient FClient{
        [this](const std::string& caption, const std::string& text) { FShown.push_back(caption + ": " + text); }};
};

TEST_F(DesktopMailClientTest, ThunderbirdItsForksAndXdgEmailGetEveryFieldIntactAndAreNotWaitedFor)
{
    for (const char* program : {"thunderbird", "betterbird", "icedove", "evolution", "xdg-email"}) {
        AddRecorder(program);
    }
    // The mail programs stay open for seconds; the hand-over returns at once.
    qputenv("SEALVANE_FAKE_SLEEP", "5");
    const auto handOver = [this](const TMailMessage& message) {
        QElapsedTimer timer;
        timer.start();
        EXPECT_EQ(FClient.SendMail(message), IMailClient::HandedOver);
        EXPECT_LT(timer.elapsed(), 1000);
    };
    for (std::size_t n = 0; n < std::size(MessageRows); ++n) {
        const TMessageRow& row = MessageRows[n];
        const auto& [thunderbird, other] = Handlers[n];
        SCOPED_TRACE(row.FName);
        const TMailMessage message = Message(row);
        const QString address = QString::fromUtf8(row.FRecipient);
        const QString body = QString::fromStdString(row.FBody).replace("\r\n", "\n");

        SetDefault(thunderbird.FDesktopId, QString(thunderbird.FExec).replace("$BIN", FBin));
        handOver(message);
        const std::optional<QStringList> arguments = Recorded(thunderbird.FStarted);
        ASSERT_TRUE(arguments);
        ASSERT_GE(arguments->size(), 2);
        EXPECT_EQ(arguments->mid(0, arguments->size() - 2), thunderbird.FFixed);
        EXPECT_EQ(arguments->at(arguments->size() - 2), "-compose");
        const QString compose = arguments->last();
        const QMap<QString, QString> fields = ParseCompose(compose);
        EXPECT_EQ(fields.value("to"), address);
        EXPECT_EQ(fields.contains("to"), !address.isEmpty());
        EXPECT_EQ(fields.value("subject"), QString::fromStdString(row.FSubject));
        EXPECT_EQ(PlainFromHtml(fields.value("body")), body);
        const QStringList attachments = fields.value("attachment").split(',', Qt::SkipEmptyParts);
        ASSERT_EQ(attachments.size(), row.FAttachment ? 1 : 0);
        if (row.FAttachment) {
            EXPECT_EQ(QUrl(attachments[0]).toLocalFile().toStdString(), message.FAttachmentPath);
        }

        SetDefault(other.FDesktopId, QString(other.FExec).replace("$BIN", FBin));
        handOver(message);
        QStringList expected{"--utf8"};
        const std::pair<const char*, QString> options[] = {
            {"--subject", QString::fromStdString(row.FSubject)},
            {"--body", body},
            {"--attach", QString::fromStdString(message.FAttachmentPath)}};
        for (const auto& [option, value] : options) {
            if (!value.isEmpty()) {
                expected << option << value;
            }
        }
        if (!address.isEmpty()) {
            expected << address;
        }
        EXPECT_EQ(Recorded(other.FStarted), expected);
    }
}

TEST_F(DesktopMailClientTest, AMailProgramMissingIsToldOnceAndOneThatCannotStartIsAFailure)
{
    EXPECT_EQ(FClient.SendMail(Message(Plain)), IMailClient::NoMailClient);
    // Thunderbird is the default but is not installed.
    SetDefault("thunderbird.desktop", "thunderbird %u");
    EXPECT_EQ(FClient.SendMail(Message(Plain)), IMailClient::NoMailClient);
    EXPECT_EQ(FShown, std::vector<std::string>{MsgText(msg::Error) + ": " + MsgText(msg::NoMailProgram)});

    for (const char* program : {"thunderbird", "xdg-email"}) {
        WriteFile(FBin + "/" + program, "#!/nonexistent/sh\n", true);
    }
    for (const char* desktopId : {"thunderbird.desktop", "none.desktop"}) {
        SCOPED_TRACE(desktopId);
        SetDefault(desktopId);
        EXPECT_EQ(FClient.SendMail(Message(Plain)), IMailClient::StartFailed);
    }
    EXPECT_EQ(FShown.size(), 1u) << "a start that fails is not reported as a missing mail program";
}

} // namespace
