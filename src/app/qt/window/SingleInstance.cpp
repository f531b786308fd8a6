#include "app/qt/window/SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLockFile>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>

#include <unistd.h>

namespace pict::qt {
namespace {
// The key the first instance is known by; kept from the program's original single-instance
// lock so that it stays one name for every build.
constexpr char kInstanceKey[] = "KRVA-MainFrame-{3219D2DB-BD40-42f6-AB55-01D7A243432F}";
// A sender that stalls must not keep a half-read block around forever.
constexpr int kClientTimeoutMs = 5000;
// Nobody sends a file list larger than this; more is a misbehaving client.
constexpr qint64 kMaxBlockBytes = 16 * 1024 * 1024;
} // namespace

QString instanceServerName() {
    return QStringLiteral("%1-%2").arg(QLatin1String(kInstanceKey)).arg(static_cast<qulonglong>(getuid()));
}

SingleInstanceServer::SingleInstanceServer(QObject* parent) : QObject(parent), server_(new QLocalServer(this)) {
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstanceServer::acceptConnections);
}

SingleInstanceServer::~SingleInstanceServer() = default;

bool SingleInstanceServer::listen(const QString& name) {
    // Two instances starting together must not both decide that they are the first: the
    // look for a live instance and the listen happen under one lock.
    QLockFile lock(QDir(QDir::tempPath()).filePath(name + QStringLiteral(".lock")));
    lock.setStaleLockTime(10000);
    lock.tryLock(2000);
    // With access options the server binds elsewhere and renames its socket into place,
    // which would silently replace a live instance's socket, so ask first whether one answers.
    QLocalSocket probe;
    probe.connectToServer(name);
    if (probe.waitForConnected(500)) {
        probe.abort();
        return false;
    }
    // Whatever is left under the name belongs to an instance that crashed.
    QLocalServer::removeServer(name);
    return server_->listen(name);
}

bool SingleInstanceServer::isListening() const { return server_->isListening(); }

void SingleInstanceServer::acceptConnections() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        socket->setParent(this);
        pending_.insert(socket, QByteArray());
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readClient(socket); });
        // The block carries its own size, but only the sender's disconnect says that nothing
        // more follows, so the block is handed on then.
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
            readClient(socket);
            socket->deleteLater();
            if (pending_.contains(socket))
                emit messageReceived(pending_.take(socket));
        });
        QPointer<QLocalSocket> guard(socket);
        QTimer::singleShot(kClientTimeoutMs, this, [guard] {
            if (guard)
                guard->abort();
        });
    }
}

void SingleInstanceServer::readClient(QLocalSocket* socket) {
    auto it = pending_.find(socket);
    if (it == pending_.end())
        return;
    it->append(socket->readAll());
    if (it->size() > kMaxBlockBytes) {
        // A misbehaving client: what it sent is dropped and it is cut off.
        pending_.remove(socket);
        socket->abort();
    }
}

bool sendToRunningInstance(const QString& name, const QByteArray& block, int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    if (!block.isEmpty()) {
        if (socket.write(block) != block.size())
            return false;
        while (socket.bytesToWrite() > 0)
            if (!socket.waitForBytesWritten(timeoutMs))
                return false;
    }
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(timeoutMs);
    return true;
}

} // namespace pict::qt
