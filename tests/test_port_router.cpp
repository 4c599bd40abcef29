// SPDX-License-Identifier: MIT
// The tool's serial-port control picking the local port or a serial server per port number.
#include "port_router.h"
#include "pty_pair.h"
#include "tcp_peer.h"

#include <QSerialPort>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {
constexpr int kLocal = 1;
constexpr int kServerA = 4;
constexpr int kServerB = 5;

// Whether the tool has let go of the device: another open of it succeeds.
bool released(const QString& device) {
    QSerialPort probe(device);
    const bool opened = probe.open(QIODevice::ReadWrite);
    probe.close();
    return opened;
}

bool openMapped(PortRouter& router, int port) {
    QSignalSpy finished(&router, &SerialControl::openFinished);
    if (!router.setCommPort(port).ok() || !router.setPortOpen(true).pending())
        return false;
    return finished.wait() && finished.at(0).at(0).value<CommResult>().ok();
}
} // namespace

class TestPortRouter : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { qRegisterMetaType<CommResult>(); }
    void anotherPortNumberClosesWhatWasOpen();
};

// A local port after a network one, the reverse, and another server: what the last port
// number opened closes, a server's connection at once rather than after the trial's linger.
void TestPortRouter::anotherPortNumberClosesWhatWasOpen() {
    QTemporaryDir dir;
    PtyPair local(dir.path(), kLocal);
    QVERIFY(local.ok());
    TcpPeer serverA, serverB;
    PortRouter router(dir.path());
    router.setServers(
        {{kServerA,
          {ServerAddress::Kind::RawTcp, QStringLiteral("127.0.0.1"), serverA.serverPort()}},
         {kServerB,
          {ServerAddress::Kind::RawTcp, QStringLiteral("127.0.0.1"), serverB.serverPort()}}});

    QVERIFY(router.setCommPort(kLocal).ok());
    QVERIFY(router.setPortOpen(true).ok());
    QVERIFY(!released(local.device()));
    QVERIFY(openMapped(router, kServerA));
    QVERIFY(released(local.device()));
    QVERIFY(serverA.clientConnected());

    QVERIFY(router.setCommPort(kLocal).ok());
    QVERIFY(!router.portOpen());
    QTRY_VERIFY_WITH_TIMEOUT(!serverA.clientConnected(), NetworkSerialControl::kLingerMs / 2);
    QVERIFY(router.setPortOpen(true).ok());
    QCOMPARE(router.appliedSettings(), QStringLiteral("9600,N,8,1"));

    QVERIFY(openMapped(router, kServerA));
    router.setPortOpen(false); // kept for a real open on the same server...
    QVERIFY(router.setCommPort(kServerB).ok());
    QTRY_VERIFY_WITH_TIMEOUT(!serverA.clientConnected(), NetworkSerialControl::kLingerMs / 2);
    QVERIFY(router.setPortOpen(true).pending()); // ...but not for another
    QTRY_COMPARE(serverB.accepted, 1);
    QCOMPARE(serverA.accepted, 2);
}

QTEST_GUILESS_MAIN(TestPortRouter)
#include "test_port_router.moc"
