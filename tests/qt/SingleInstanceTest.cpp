#include "app/qt/window/SingleInstance.h"
#include "qt/QtTestApp.h"

#include <QFile>
#include <QLocalServer>
#include <QThread>
#include <QUuid>

#include <gtest/gtest.h>

#include <unistd.h>

namespace pict::qt {
namespace {

QString uniqueName() { return QStringLiteral("pictorane-test-") + QUuid::createUuid().toString(QUuid::Id128); }

class SingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override { test::testApplication(); }
};

TEST_F(SingleInstanceTest, NameCarriesTheInstanceKeyAndTheUser) {
    const QString name = instanceServerName();
    EXPECT_TRUE(name.startsWith("KRVA-MainFrame-{3219D2DB-BD40-42f6-AB55-01D7A243432F}-"));
    EXPECT_TRUE(name.endsWith(QStringLiteral("-%1").arg(getuid())));
}

TEST_F(SingleInstanceTest, SecondServerOnTheSameNameIsRefused) {
    const QString name = uniqueName();
    SingleInstanceServer first;
    ASSERT_TRUE(first.listen(name));
    SingleInstanceServer second;
    EXPECT_FALSE(second.listen(name));
    EXPECT_TRUE(first.isListening());
}

TEST_F(SingleInstanceTest, BlockArrivesWholeAfterTheSenderLeaves) {
    const QString name = uniqueName();
    SingleInstanceServer server;
    ASSERT_TRUE(server.listen(name));
    QList<QByteArray> received;
    QObject::connect(&server, &SingleInstanceServer::messageReceived, [&](const QByteArray& b) { received.append(b); });

    // Large enough to travel in several pieces.
    QByteArray block(200000, '\0');
    for (int i = 0; i < block.size(); ++i)
        block[i] = static_cast<char>(i * 7);
    // The sender blocks, so it cannot run on the thread whose event loop serves the server;
    // the socket buffers let a bounded block through before the receiver reads, though, so
    // the sender runs on a helper thread.
    bool sent = false;
    std::unique_ptr<QThread> sender(QThread::create([&] { sent = sendToRunningInstance(name, block); }));
    sender->start();
    ASSERT_TRUE(test::waitUntil([&] { return !received.isEmpty(); }, 5000));
    sender->wait();
    EXPECT_TRUE(sent);
    ASSERT_EQ(received.size(), 1);
    EXPECT_EQ(received.front(), block);
}

TEST_F(SingleInstanceTest, EmptyMessageOnlyAsksForTheFront) {
    const QString name = uniqueName();
    SingleInstanceServer server;
    ASSERT_TRUE(server.listen(name));
    QList<QByteArray> received;
    QObject::connect(&server, &SingleInstanceServer::messageReceived, [&](const QByteArray& b) { received.append(b); });
    std::unique_ptr<QThread> sender(QThread::create([&] { sendToRunningInstance(name, {}); }));
    sender->start();
    ASSERT_TRUE(test::waitUntil([&] { return !received.isEmpty(); }));
    sender->wait();
    EXPECT_TRUE(received.front().isEmpty());
}

TEST_F(SingleInstanceTest, NobodyListeningMeansNoDelivery) {
    EXPECT_FALSE(sendToRunningInstance(uniqueName(), QByteArray("VFPP"), 200));
}

TEST_F(SingleInstanceTest, SocketLeftByACrashedInstanceIsTakenOver) {
    const QString name = uniqueName();
    {
        // A server whose socket file stays behind, as after a crash.
        QLocalServer stale;
        stale.setSocketOptions(QLocalServer::UserAccessOption);
        ASSERT_TRUE(stale.listen(name));
        const QString file = stale.fullServerName();
        stale.close();
        if (!QFile::exists(file)) {
            QFile touch(file);
            ASSERT_TRUE(touch.open(QIODevice::WriteOnly));
        }
    }
    SingleInstanceServer server;
    EXPECT_TRUE(server.listen(name));
}

} // namespace
} // namespace pict::qt
