#include "platform/ShowRequest.h"

#include "platform/PrivateFiles.h"

#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>

namespace {
const QByteArray kRequest = "show\n";
const QByteArray kDone = "shown\n";
} // namespace

QString showRequestSocketPath(const QString &key)
{
    const QString folder = userRuntimeFolder();
    return folder.isEmpty() ? QString() : folder + QLatin1Char('/') + key + QStringLiteral(".socket");
}

ShowRequestServer::ShowRequestServer(const QString &key) : m_server(std::make_unique<QLocalServer>())
{
    const QString path = showRequestSocketPath(key);
    if (path.isEmpty())
        return;
    // Only the holder of the instance marker gets here (or a start that could make no
    // marker at all and runs unmarked), so a socket file left behind by a crashed
    // instance is stale and may go.
    QLocalServer::removeServer(path);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    QObject::connect(m_server.get(), &QLocalServer::newConnection, m_server.get(), [this] { answer(); });
    m_server->listen(path);
}

ShowRequestServer::~ShowRequestServer() = default;

void ShowRequestServer::setShowHandler(std::function<void()> show)
{
    m_show = std::move(show);
}

bool ShowRequestServer::isListening() const
{
    return m_server->isListening();
}

void ShowRequestServer::answer()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
            if (socket->bytesAvailable() < kRequest.size())
                return;
            if (socket->read(kRequest.size()) == kRequest) {
                if (m_show)
                    m_show();
                socket->write(kDone);
                socket->flush();
            }
            socket->disconnectFromServer();
        });
    }
}

ShowRequestOutcome requestShowFromRunningInstance(const QString &key, int connectTimeoutMs, int answerTimeoutMs)
{
    const QString path = showRequestSocketPath(key);
    if (path.isEmpty())
        return ShowRequestOutcome::NotListening;
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(connectTimeoutMs))
        return ShowRequestOutcome::NotListening;
    QElapsedTimer timer;
    timer.start();
    const auto left = [&] { return qMax(0, int(answerTimeoutMs - timer.elapsed())); };
    socket.write(kRequest);
    if (socket.bytesToWrite() > 0 && !socket.waitForBytesWritten(left()))
        return ShowRequestOutcome::NoAnswer;
    QByteArray reply;
    while (reply.size() < kDone.size() && socket.waitForReadyRead(left()))
        reply += socket.readAll();
    return reply.startsWith(kDone) ? ShowRequestOutcome::Shown : ShowRequestOutcome::NoAnswer;
}
