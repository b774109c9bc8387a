#include "SingleInstance.h"

#include "settings/UserFolders.h"

#include <QDataStream>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>

namespace {

constexpr int HeaderLength = 8;
constexpr int MessageLength = HeaderLength + SingleInstance::TextLength;
constexpr int ConnectTimeoutMs = 1000;

void PutUint32(QByteArray& bytes, quint32 value)
{
    for (int n = 0; n < 4; ++n) {
        bytes.append(static_cast<char>((value >> (8 * n)) & 0xFF));
    }
}

quint32 Uint32At(const QByteArray& bytes, int offset)
{
    quint32 value = 0;
    for (int n = 3; n >= 0; --n) {
        value = (value << 8) | static_cast<unsigned char>(bytes[offset + n]);
    }
    return value;
}

} // namespace

namespace SingleInstance {

QString SocketName()
{
    return QString::fromStdString(PrivateRuntimeFolder()) + QStringLiteral("/sealvane-instance");
}

QByteArray EncodeText(const QString& text)
{
    QByteArray message;
    PutUint32(message, Tag);
    PutUint32(message, TextLength);
    QByteArray bytes = text.toUtf8().left(TextLength);
    bytes.append(QByteArray(TextLength - bytes.size(), '\0'));
    return message + bytes;
}

QString DecodeText(const QByteArray& message)
{
    if (message.size() < MessageLength || Uint32At(message, 0) != Tag) {
        return {};
    }
    const QByteArray text = message.mid(HeaderLength, TextLength);
    const int end = text.indexOf('\0');
    return QString::fromUtf8(end < 0 ? text : text.left(end));
}

bool SendToRunningInstance(const QString& text, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(SocketName());
    if (!socket.waitForConnected(ConnectTimeoutMs)) {
        return false;
    }
    socket.write(EncodeText(text));
    if (!socket.waitForBytesWritten(timeoutMs)) {
        return false;
    }
    // The answer comes once the running instance has handled the text.
    return socket.bytesAvailable() > 0 || socket.waitForReadyRead(timeoutMs) ||
           socket.state() == QLocalSocket::UnconnectedState;
}

bool IsInstanceRunning()
{
    QLocalSocket socket;
    socket.connectToServer(SocketName());
    return socket.waitForConnected(ConnectTimeoutMs);
}

} // namespace SingleInstance

TInstanceServer::TInstanceServer(THandler handler, QObject* parent) : QObject(parent), FHandler(std::move(handler))
{
    FServer.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&FServer, &QLocalServer::newConnection, this, &TInstanceServer::ServeConnection);
}

bool TInstanceServer::Listen()
{
    if (SingleInstance::IsInstanceRunning()) {
        return false;
    }
    // Nobody answers: whatever socket file is left belongs to an instance that is gone.
    QLocalServer::removeServer(SingleInstance::SocketName());
    return FServer.listen(SingleInstance::SocketName());
}

void TInstanceServer::ServeConnection()
{
    while (QLocalSocket* socket = FServer.nextPendingConnection()) {
        QPointer<QLocalSocket> guarded(socket);
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, guarded] {
            if (!guarded || guarded->bytesAvailable() < MessageLength) {
                return;
            }
            const QString text = SingleInstance::DecodeText(guarded->read(MessageLength));
            // The answer goes first: handling a file may ask for its password, and a second start
            // must not wait for the user (nor give up after its time-out and run as a second
            // instance).
            guarded->write("\1", 1);
            guarded->flush();
            QTimer::singleShot(0, this, [this, text] { FHandler(text); });
        });
    }
}
