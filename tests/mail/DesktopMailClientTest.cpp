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

#include <optional>
#include <ostream>
#include <vector>

// Readable failure messages.
void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

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

struct TMessageRow
{
    const char* FName;
    std::string FAddress;
    std::string FSubject;
    std::string FBody;
    const char* FAttachment; // a file made in the test folder; nullptr for none
};

const TMessageRow MessageRows[] = {
    {"every awkward character", "  o'neil,jr@example.org ", "Re: 100% \"sure\", isn't it?",
     "Line 1, 'quoted',\r\nx < y & z > w\n%41 \"Łódź\"',\n&amp;", "a,b 'c' \"d\" 50% Łódź.xvt"},
    {"blank address, no attachment", "   ", "Subject", "Body", nullptr},
    {"no address, no body", "", "", "", "plain.xvt"},
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

TEST_F(DesktopMailClientTest, ThunderbirdAndXdgEmailGetEveryFieldIntactAndAreNotWaitedFor)
{
    AddRecorder("thunderbird");
    AddRecorder("xdg-email");
    SetDefault("thunderbird.desktop", "\"" + FBin + "/thunderbird\" %u");
    // The mail programs stay open for seconds; the hand-over returns at once.
    qputenv("SEALVANE_FAKE_SLEEP", "5");
    const auto handOver = [this](const TMailMessage& message) {
        QElapsedTimer timer;
        timer.start();
        EXPECT_EQ(FClient.SendMail(message), IMailClient::HandedOver);
        EXPECT_LT(timer.elapsed(), 1000);
    };
    for (const TMessageRow& row : MessageRows) {
        SCOPED_TRACE(row.FName);
        const TMailMessage message = Message(row);
        const QString address = QString::fromStdString(row.FAddress).trimmed();
        const QString body = QString::fromStdString(row.FBody).replace("\r\n", "\n");

        SetDefault("thunderbird.desktop");
        handOver(message);
        const std::optional<QStringList> arguments = Recorded("thunderbird");
        ASSERT_TRUE(arguments);
        ASSERT_EQ(arguments->size(), 2);
        EXPECT_EQ(arguments->at(0), "-compose");
        const QString compose = arguments->at(1);
        EXPECT_TRUE(compose.startsWith("to=") || compose.startsWith("subject=")) << compose.toStdString();
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

        SetDefault("none.desktop");
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
        EXPECT_EQ(Recorded("xdg-email"), expected);
    }
}

TEST_F(DesktopMailClientTest, ThunderbirdAndItsForksAreKnownByDesktopFileOrProgram)
{
    struct TRow
    {
        const char* FDesktopId;
        const char* FExec;    // "$BIN" stands for the folder of the fake programs
        const char* FProgram; // the fake program the Exec line names
        const char* FStarted; // the fake that must receive the message
        QStringList FFixed;   // its arguments before -compose
    };
    const TRow rows[] = {
        TRow("thunderbird.desktop", "\"$BIN/thunderbird\" -P \"my \\\\\"mail\\\\\" profile\" %u", "thunderbird",
             "thunderbird", {"-P", "my \"mail\" profile"}),
        TRow("userapp-Betterbird-AB12.desktop", "betterbird %u @@u %u @@", "betterbird", "betterbird", {}),
        TRow("mail.desktop", "icedove --name=100%% %U", "icedove", "icedove", {"--name=100%"}),
        TRow("org.gnome.Evolution.desktop", "evolution %U", "evolution", "xdg-email", {}),
        TRow("thunderbird.desktop", "/nonexistent/thunderbird %u", "thunderbird", "xdg-email", {}),
        TRow("", "", "thunderbird", "xdg-email", {}),
    };
    AddRecorder("xdg-email");
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.FExec);
        SetDefault(row.FDesktopId, QString(row.FExec).replace("$BIN", FBin));
        AddRecorder(row.FProgram);
        ASSERT_EQ(FClient.SendMail(Message(Plain)), IMailClient::HandedOver);
        const std::optional<QStringList> arguments = Recorded(row.FStarted);
        ASSERT_TRUE(arguments);
        if (QString(row.FStarted) != "xdg-email") {
            EXPECT_EQ(arguments->mid(0, arguments->size() - 2), row.FFixed);
            EXPECT_EQ(arguments->at(arguments->size() - 2), "-compose");
        }
        QFile::remove(FBin + "/" + row.FProgram);
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
