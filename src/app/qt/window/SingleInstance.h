#pragma once
// One editor per user. The first instance listens on a local socket named after the
// program's instance key and the user id; a later instance connects to it, hands over its
// file-list block (or nothing, which just asks the first one to come to the front) and ends.

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

namespace pict::qt {

// The instance key plus the user id, so that two users on one machine each get their own.
QString instanceServerName();

class SingleInstanceServer : public QObject {
    Q_OBJECT
public:
    explicit SingleInstanceServer(QObject* parent = nullptr);
    ~SingleInstanceServer() override;

    // Starts listening. False when another live instance already listens on the name; a
    // socket left behind by a crashed instance is removed and taken over.
    bool listen(const QString& name);
    bool isListening() const;

signals:
    // A later instance connected. The block is what it sent (empty: just come to the front);
    // checking it is the receiver's business.
    void messageReceived(const QByteArray& block);

private:
    void acceptConnections();
    void readClient(QLocalSocket* socket);

    QLocalServer* server_ = nullptr;
    QHash<QLocalSocket*, QByteArray> pending_; // what each connected sender has sent so far
};

// Connects to the instance listening on name and sends the block. False when no instance
// answers or the block cannot be delivered in time.
bool sendToRunningInstance(const QString& name, const QByteArray& block, int timeoutMs = 3000);

} // namespace pict::qt
