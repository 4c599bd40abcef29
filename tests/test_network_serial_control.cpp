// SPDX-License-Identifier: MIT
// The serial-port control for a serial device server, against a TCP peer of the test's own
// (and, when SERIAL_SERVER names one, a real server in front of a sensor).
#include "crc.h"
#include "hex_transcript.h"
#include "network_serial_control.h"
#include "reply_check.h"
#include "tcp_peer.h"
#include "telnet_com_port.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

namespace {
ServerAddress serverAt(ServerAddress::Kind kind, quint16 port) {
    return {kind, QStringLiteral("127.0.0.1"), port};
}

// Opens, which never ends inside setPortOpen, and waits for how it ended.
CommResult openAndWait(NetworkSerialControl& control) {
    QSignalSpy finished(&control, &SerialControl::openFinished);
    const CommResult asked = control.setPortOpen(true);
    if (!asked.pending())
        return asked;
    if (!finished.wait(NetworkSerialControl::kConnectTimeoutMs + 2000))
        return {CommError::kOther, QStringLiteral("openFinished never came")};
    return finished.at(0).at(0).value<CommResult>();
}

QByteArray hex(const char* text) {
    return QByteArray::fromHex(text);
}
} // namespace

class TestNetworkSerialControl : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { qRegisterMetaType<CommResult>(); }
    void whatGoesOnTheWire_data();
    void whatGoesOnTheWire();
    void openingTellsHowItEnded_data();
    void openingTellsHowItEnded();
    void trialCloseKeepsTheConnectionForTheRealOpen();
    void closingWhileConnectingGivesTheOpenUp();
    void droppedConnectionIsALostPort();
    void aGatewaysAnswerComesBackAsTheSensorsFrame();
    void pollThroughASerialServerWhenOneIsGiven_data();
    void pollThroughASerialServerWhenOneIsGiven();
};

// The address write to 112 ends in the CRC byte FF: raw TCP passes it as it is and never
// carries line settings; RFC 2217 doubles it and sets the line at the open and on change; a
// Modbus TCP gateway gets it as Modbus TCP to unit 0, without the CRC and without settings.
void TestNetworkSerialControl::whatGoesOnTheWire_data() {
    QTest::addColumn<ServerAddress::Kind>("kind");
    QTest::addColumn<QByteArray>("greeting");
    QTest::addColumn<QByteArray>("wire");
    const QByteArray frame = AddressWriteRequest(112);
    QTest::newRow("raw TCP") << ServerAddress::Kind::RawTcp << QByteArray() << frame;
    QTest::newRow("Modbus TCP") << ServerAddress::Kind::ModbusTcp << QByteArray()
                                << hex("000100000006000600000070");
    const LineSettings open{9600, QSerialPort::NoParity, QSerialPort::Data8, QSerialPort::OneStop};
    const LineSettings changed{4800, QSerialPort::EvenParity, QSerialPort::Data8,
                               QSerialPort::OneStop};
    QTest::newRow("RFC 2217") << ServerAddress::Kind::Rfc2217 << TcpPeer::Ser2netGreeting()
                              << TelnetComPort().start() + hex("fffd03fffb03fffe01") +
                                     TelnetComPort::EncodeSettings(open) +
                                     TelnetComPort::EncodeSettings(changed) +
                                     hex("00060000007089ffff");
}

void TestNetworkSerialControl::whatGoesOnTheWire() {
    QFETCH(ServerAddress::Kind, kind);
    QFETCH(QByteArray, greeting);
    QFETCH(QByteArray, wire);
    QCOMPARE(AddressWriteRequest(112), hex("00060000007089ff"));
    TcpPeer peer(TcpPeer::Manner::Listen, greeting);
    NetworkSerialControl control(serverAt(kind, peer.serverPort()));
    QVERIFY(control.setSettings(QStringLiteral("9600,N,8,1")).ok());
    const CommResult opened = openAndWait(control);
    QVERIFY2(opened.ok(), qPrintable(opened.reason));
    QVERIFY(control.setSettings(QStringLiteral("4800,E,8,1")).ok());
    QCOMPARE(control.appliedSettings(), QStringLiteral("4800,E,8,1"));
    QVERIFY(control.output(AddressWriteRequest(112)).ok());
    QTRY_COMPARE(peer.received, wire);
}

// Every way an open ends, told by openFinished, never inside setPortOpen: the code that
// picks the operator's message, the server named as the device, and a server's clear
// answer taken without waiting out the answer window.
void TestNetworkSerialControl::openingTellsHowItEnded_data() {
    QTest::addColumn<ServerAddress::Kind>("kind");
    QTest::addColumn<TcpPeer::Manner>("manner");
    QTest::addColumn<QByteArray>("greeting");
    QTest::addColumn<bool>("listening");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("reason"); // a part of it
    QTest::addColumn<bool>("early");     // decided well within RFC 2217's answer window
    using K = ServerAddress::Kind;
    using M = TcpPeer::Manner;
    const QByteArray busy("\r\nPort already in use\r\n");
    QTest::newRow("raw, silent") << K::RawTcp << M::Listen << QByteArray() << true
                                 << CommError::kNone << QString() << false;
    QTest::newRow("RFC 2217 agreed") << K::Rfc2217 << M::Listen << TcpPeer::Ser2netGreeting()
                                     << true << CommError::kNone << QString() << true;
    QTest::newRow("RFC 2217, silent")
        << K::Rfc2217 << M::Listen << QByteArray() << true << CommError::kNoSuchPort
        << QStringLiteral("没有回应 RFC 2217 协商") << false;
    QTest::newRow("RFC 2217 refused")
        << K::Rfc2217 << M::Listen << hex("fffe2c") << true << CommError::kOther
        << QStringLiteral("不支持 RFC 2217") << true;
    QTest::newRow("RFC 2217, broken Telnet")
        << K::Rfc2217 << M::Listen << hex("01fff0") << true << CommError::kOther
        << QStringLiteral("Telnet") << true;
    QTest::newRow("raw, busy") << K::RawTcp << M::SayBusyAndHangUp << busy << true
                               << CommError::kPortBusy << QStringLiteral("Port already in use")
                               << true;
    QTest::newRow("RFC 2217 agreed, then busy")
        << K::Rfc2217 << M::SayBusyAndHangUp << TcpPeer::Ser2netGreeting() + busy << true
        << CommError::kPortBusy << QStringLiteral("in use") << true;
    QTest::newRow("hangs up at once")
        << K::Rfc2217 << M::HangUpAtOnce << QByteArray() << true << CommError::kNoSuchPort
        << QStringLiteral("关闭了连接") << true;
    QTest::newRow("nothing listens") << K::RawTcp << M::Listen << QByteArray() << false
                                     << CommError::kNoSuchPort << QString() << true;
}

void TestNetworkSerialControl::openingTellsHowItEnded() {
    QFETCH(ServerAddress::Kind, kind);
    QFETCH(TcpPeer::Manner, manner);
    QFETCH(QByteArray, greeting);
    QFETCH(bool, listening);
    QFETCH(int, code);
    QFETCH(QString, reason);
    QFETCH(bool, early);
    TcpPeer peer(manner, greeting);
    const quint16 port = peer.serverPort();
    if (!listening)
        peer.close();
    const ServerAddress server = serverAt(kind, port);
    NetworkSerialControl control(server);
    QSignalSpy finished(&control, &SerialControl::openFinished);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(control.setPortOpen(true).pending());
    QVERIFY(finished.isEmpty());
    QVERIFY(finished.wait(NetworkSerialControl::kConnectTimeoutMs + 2000));
    if (early)
        QVERIFY2(clock.elapsed() < TelnetComPort::kAnswerWindowMs / 2,
                 qPrintable(QString::number(clock.elapsed())));
    const auto result = finished.at(0).at(0).value<CommResult>();
    QCOMPARE(result.code, code);
    QVERIFY2(result.reason.contains(reason), qPrintable(result.reason));
    QCOMPARE(control.portOpen(), result.ok());
    if (!result.ok()) {
        QVERIFY(!result.reason.isEmpty());
        QCOMPARE(result.device, server.text());
        QVERIFY(result.viaServer);
    }
}

void TestNetworkSerialControl::trialCloseKeepsTheConnectionForTheRealOpen() {
    TcpPeer peer(TcpPeer::Manner::Listen, TcpPeer::Ser2netGreeting());
    NetworkSerialControl control(serverAt(ServerAddress::Kind::Rfc2217, peer.serverPort()));
    QVERIFY(openAndWait(control).ok());
    control.setPortOpen(false);
    QVERIFY(!control.portOpen());
    QVERIFY(control.setPortOpen(true).ok()); // at once, on the same connection
    QCOMPARE(peer.accepted, 1);
    QCOMPARE(control.setPortOpen(true).code, CommError::kPortBusy);

    control.setPortOpen(false);
    QVERIFY(peer.clientConnected());
    QTRY_VERIFY_WITH_TIMEOUT(!peer.clientConnected(), NetworkSerialControl::kLingerMs + 2000);
}

void TestNetworkSerialControl::closingWhileConnectingGivesTheOpenUp() {
    TcpPeer silent; // an RFC 2217 open waits for its agreement
    NetworkSerialControl control(serverAt(ServerAddress::Kind::Rfc2217, silent.serverPort()));
    QSignalSpy finished(&control, &SerialControl::openFinished);
    QVERIFY(control.setPortOpen(true).pending());
    QTRY_VERIFY(silent.clientConnected());
    control.setPortOpen(false);
    QTRY_VERIFY(!silent.clientConnected());
    QVERIFY(!finished.wait(TelnetComPort::kAnswerWindowMs + 500));
    QVERIFY(!control.portOpen());
}

void TestNetworkSerialControl::droppedConnectionIsALostPort() {
    TcpPeer peer;
    NetworkSerialControl control(serverAt(ServerAddress::Kind::RawTcp, peer.serverPort()));
    QVERIFY(openAndWait(control).ok());
    QSignalSpy lost(&control, &SerialControl::portLost);
    peer.hangUpOnClient();
    QVERIFY(lost.wait());
    QCOMPARE(lost.size(), 1);
    QCOMPARE(lost.at(0).at(1).toString(), control.server().text());
    QVERIFY(!control.portOpen());
    QCOMPARE(control.output(ReadRequest(1)).code, CommError::kNotOpen);
}

// One request awaited at a time: an answer to an earlier request (another transaction id)
// is dropped; the awaited one, in whatever pieces, comes back as the sensor's RTU frame with
// the CRC computed here.
void TestNetworkSerialControl::aGatewaysAnswerComesBackAsTheSensorsFrame() {
    TcpPeer gateway;
    NetworkSerialControl control(serverAt(ServerAddress::Kind::ModbusTcp, gateway.serverPort()));
    QVERIFY(openAndWait(control).ok());
    QVERIFY(control.output(ReadRequest(6)).ok());
    QTRY_COMPARE(gateway.received, hex("000100000006060300000002"));
    QVERIFY(control.output(ReadRequest(6)).ok()); // the first went unanswered
    QTRY_COMPARE(gateway.received.mid(12), hex("000200000006060300000002"));

    QSignalSpy arrived(&control, &SerialControl::OnComm);
    gateway.sendToClient(hex("00010000000706030400FA0258")); // late, for the first
    gateway.sendToClient(hex("000200000007060304"));
    QVERIFY(!arrived.wait(200));
    gateway.sendToClient(hex("00F50251"));
    QVERIFY(arrived.wait());
    QCOMPARE(control.input(), AppendCRC(hex("06030400F50251"), 6));
    // A gateway's refusal comes back the same way, for the reply check to judge.
    QVERIFY(control.output(ReadRequest(9)).ok());
    gateway.sendToClient(hex("00030000000309830A"));
    QVERIFY(arrived.wait());
    QCOMPARE(control.input(), AppendCRC(hex("09830A"), 2));
}

void TestNetworkSerialControl::pollThroughASerialServerWhenOneIsGiven_data() {
    QTest::addColumn<QString>("variable");
    QTest::addColumn<QString>("example");
    QTest::newRow("serial server")
        << QStringLiteral("SERIAL_SERVER") << QStringLiteral("rfc2217 127.0.0.1:4001");
    QTest::newRow("Modbus TCP gateway")
        << QStringLiteral("MODBUS_GATEWAY") << QStringLiteral("modbus-tcp 127.0.0.1:502");
}

// With SERIAL_SERVER=rfc2217 HOST:PORT, or MODBUS_GATEWAY=modbus-tcp HOST:PORT, in front of
// a sensor at address 1 (as scripts/check-windows sets them up for the Windows build under
// Wine), one read request goes through the tool's own control and an accepted reply comes
// back.
void TestNetworkSerialControl::pollThroughASerialServerWhenOneIsGiven() {
    QFETCH(QString, variable);
    QFETCH(QString, example);
    const auto server = ServerAddress::Parse(qEnvironmentVariable(qPrintable(variable)));
    if (!server)
        QSKIP(
            qPrintable(QStringLiteral("%1 names no server (e.g. \"%2\")").arg(variable, example)));
    NetworkSerialControl port(*server);
    QVERIFY(port.setSettings(QStringLiteral("9600,N,8,1")).ok());
    const CommResult opened = openAndWait(port);
    QVERIFY2(opened.ok(), qPrintable(opened.reason));
    const QByteArray request = ReadRequest(1);
    QVERIFY(port.output(request).ok());
    QByteArray reply;
    QTRY_VERIFY_WITH_TIMEOUT((reply += port.input()).size() >= 9, 3000);
    QVERIFY2(CheckReply(Transcript(request), Transcript(reply)), qPrintable(Transcript(reply)));
    port.setPortOpen(false);
}

QTEST_GUILESS_MAIN(TestNetworkSerialControl)
#include "test_network_serial_control.moc"
