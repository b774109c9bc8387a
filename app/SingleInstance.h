#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

// One running instance serves the user. A second start finds the first through a local socket in
// the user's private runtime folder and hands it one text; the first answers with one byte once it
// has taken the text, and handles it right afterwards. The message: tag 1281 and length 260 (each
// 32 bits, least significant byte first), then 260 bytes of text, zero-filled; a longer text is cut
// to 260 bytes. The texts:
// - the second start's first command-line parameter: empty (show the window) or a file name, made
//   absolute by the sender, since the running instance works in another folder;
// - UpdateText: end, so that the sending copy can replace the installed one;
// - ForgetSettingsText: the second start was given "-U" and removed the user's settings; the
//   running instance removes them too and saves them no more, or it would write them back.
namespace SingleInstance {

constexpr quint32 Tag = 1281;
constexpr int TextLength = 260;
inline constexpr char UpdateText[] = "-UPDATE";
inline constexpr char ForgetSettingsText[] = "-U";

// The socket's full name.
QString SocketName();

// The message for a text, and the text of a message (empty for another tag or a short message).
QByteArray EncodeText(const QString& text);
QString DecodeText(const QByteArray& message);

// Sends the text to a running instance and waits for its answer: false when no instance answers.
bool SendToRunningInstance(const QString& text, int timeoutMs = 30000);

// Whether an instance answers on the socket.
bool IsInstanceRunning();

} // namespace SingleInstance

// The first instance's side: listens on the socket, answers the sender of every text received and
// then hands the text to the handler from the event loop, so that a password question while the
// text is handled never keeps the sender waiting.
class TInstanceServer : public QObject
{
    Q_OBJECT

public:
    using THandler = std::function<void(const QString& text)>;

    explicit TInstanceServer(THandler handler, QObject* parent = nullptr);
    // Starts listening; a stale socket of an instance that is gone is removed first. False when
    // another instance is listening already or the socket cannot be made.
    bool Listen();

private:
    void ServeConnection();

    THandler FHandler;
    QLocalServer FServer;
};
