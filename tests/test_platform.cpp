// SPDX-License-Identifier: MIT
#include "crc.h"
#include "hex_transcript.h"
#include "port_router.h"
#include "record_file.h"
#include "reply_check.h"
#include "serial_system.h"
#include "server_address.h"
#include "telnet_com_port.h"
#include "tool_settings.h"
#include "user_folder.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

class TestPlatform : public QObject {
    Q_OBJECT
private slots:
    void sendVerdict_data();
    void sendVerdict();
    void perUserFolderOnFirstAndLaterStarts();
    void everyAppendedRowIsSynced();
    void telnetFromTheServer_data();
    void telnetFromTheServer();
    void telnetToTheServer();
    void serverMappingsReadAsWritten();
    void pollThroughASerialServerWhenOneIsGiven();
};

namespace {
QByteArray hex(const char* text) {
    return QByteArray::fromHex(text);
}
} // namespace

// What a serial server sends, in the pieces it may arrive in: the line's data with the
// escapes undone, the answers owed, and a clear error for what is malformed.
void TestPlatform::telnetFromTheServer_data() {
    QTest::addColumn<QList<QByteArray>>("pieces");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<bool>("agreed");
    QTest::addColumn<int>("baud"); // reported by the server, 0 for none
    QTest::addColumn<bool>("failed");
    // ser2net's greeting: WILL SGA, DO SGA, WILL ECHO, DONT ECHO, DO BINARY, WILL BINARY,
    // DO COM-PORT-OPTION.
    const QByteArray greeting = hex("fffb03fffd03fffb01fffe01fffd00fffb00fffd2c");
    QTest::newRow("ser2net's greeting") << QList<QByteArray>{greeting} << QByteArray()
                                        << hex("fffd03fffb03fffe01") << true << 0 << false;
    QTest::newRow("data with an escaped FF, split in an escape")
        << QList<QByteArray>{hex("0103ff"), hex("ff02")} << hex("0103ff02") << QByteArray() << false
        << 0 << false;
    QTest::newRow("rate answered in pieces")
        << QList<QByteArray>{hex("fffa2c650000"), hex("12c0fff0"), hex("41")} << hex("41")
        << QByteArray() << false << 4800 << false;
    QTest::newRow("escaped FF inside the answer")
        << QList<QByteArray>{hex("fffa2c650000ffff00fff0")} << QByteArray() << QByteArray() << false
        << 0xFF00 << false;
    QTest::newRow("refused option and a NOP") << QList<QByteArray>{hex("fffd18fff10a")} << hex("0a")
                                              << hex("fffc18") << false << 0 << false;
    QTest::newRow("SE without SB")
        << QList<QByteArray>{hex("01fff002")} << hex("01") << QByteArray() << false << 0 << true;
    QTest::newRow("command inside SB") << QList<QByteArray>{hex("fffa2c01fffb03")} << QByteArray()
                                       << QByteArray() << false << 0 << true;
    QTest::newRow("endless SB") << QList<QByteArray>{hex("fffa2c") + QByteArray(100, 'x')}
                                << QByteArray() << QByteArray() << false << 0 << true;
}

void TestPlatform::telnetFromTheServer() {
    QFETCH(QList<QByteArray>, pieces);
    QFETCH(QByteArray, data);
    QFETCH(QByteArray, answer);
    QFETCH(bool, agreed);
    QFETCH(int, baud);
    QFETCH(bool, failed);
    TelnetComPort telnet;
    QCOMPARE(telnet.start(), hex("fffb2cfffb00fffd00"));
    QByteArray gotData, gotAnswer;
    for (const QByteArray& piece : pieces)
        gotData += telnet.feed(piece, &gotAnswer);
    QCOMPARE(gotData, data);
    QCOMPARE(gotAnswer, answer);
    QCOMPARE(telnet.comPortAgreed(), agreed);
    QCOMPARE(telnet.serverBaud().value_or(0), baud);
    QCOMPARE(telnet.failed(), failed);
    QCOMPARE(telnet.error().isEmpty(), !failed);
    if (failed) // and takes nothing after
        QVERIFY(telnet.feed(hex("4142"), &gotAnswer).isEmpty());
}

void TestPlatform::telnetToTheServer() {
    QCOMPARE(TelnetComPort::EncodeData(hex("01ff02ffff")), hex("01ffff02ffffffff"));
    const LineSettings evenSevenTwo{19200, QSerialPort::EvenParity, QSerialPort::Data7,
                                    QSerialPort::TwoStop};
    QCOMPARE(TelnetComPort::EncodeSettings(evenSevenTwo), hex("fffa2c0100004b00fff0"
                                                              "fffa2c0207fff0"
                                                              "fffa2c0303fff0"
                                                              "fffa2c0402fff0"));
    // A rate whose bytes hold FF is escaped inside the command.
    const LineSettings odd{0xFF, QSerialPort::OddParity, QSerialPort::Data8, QSerialPort::OneStop};
    QVERIFY(TelnetComPort::EncodeSettings(odd).startsWith(hex("fffa2c01000000fffffff0")));
    QVERIFY(TelnetComPort::EncodeSettings(odd).contains(hex("fffa2c0302fff0")));
}

// The mapping as the settings file keeps it, read back the same; what does not read is
// left out.
void TestPlatform::serverMappingsReadAsWritten() {
    for (const char* text :
         {"rfc2217 192.168.1.50:4001", "tcp serial-server.local:4002", "TCP [fe80::1]:23"}) {
        const auto server = ServerAddress::Parse(QLatin1String(text));
        QVERIFY2(server, text);
        QCOMPARE(ServerAddress::Parse(server->text()), server);
    }
    for (const char* text : {"rfc2217 host:0", "rfc2217 host:65536", "ftp host:21", "tcp :4001",
                             "tcp host", "tcp ho st:1", ""})
        QVERIFY2(!ServerAddress::Parse(QLatin1String(text)), text);

    QTemporaryDir dir;
    ServerMap servers;
    servers[2] = {ServerAddress::Kind::RawTcp, QStringLiteral("10.0.0.7"), 4002};
    servers[10] = {ServerAddress::Kind::Rfc2217, QStringLiteral("gw.example"), 2217};
    {
        ToolSettings settings(dir.path());
        settings.setWatchAddresses(QStringLiteral("1-3"));
        settings.setServers(servers);
        QVERIFY(settings.sync());
    }
    QFile file(dir.filePath(QLatin1String(ToolSettings::kFileName)));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QByteArray content = file.readAll();
    file.close();
    QVERIFY(content.contains("[network]"));
    // Hand-edited junk among the mappings.
    content.replace("[network]", "[network]\nCOM3=tcp no port\nCOMx=tcp h:1\nCOM0=tcp h:1");
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
    file.close();
    ToolSettings again(dir.path());
    QCOMPARE(again.servers(), servers);
    QCOMPARE(again.watchAddresses(), QStringLiteral("1-3"));

    // The line's format: 8N1 until one is kept; a hand-edited value that does not read is 8N1.
    QCOMPARE(again.lineFormat().text(), QStringLiteral("8N1"));
    again.setLineFormat({QLatin1Char('E'), 2});
    QVERIFY(again.sync());
    QCOMPARE(ToolSettings(dir.path()).lineFormat().text(), QStringLiteral("8E2"));
    const QList<std::pair<const char*, const char*>> kept = {
        {"8o1", "8O1"}, {" 8N2 ", "8N2"}, {"8X1", "8N1"}, {"7E1", "8N1"},
        {"8N3", "8N1"}, {"8E", "8N1"},    {"8E1x", "8N1"}};
    for (const auto& [written, read] : kept) {
        QSettings raw(file.fileName(), QSettings::IniFormat);
        raw.setValue(QStringLiteral("line/format"), QLatin1String(written));
        raw.sync();
        QCOMPARE(ToolSettings(dir.path()).lineFormat().text(), QLatin1String(read));
    }
}

void TestPlatform::sendVerdict_data() {
    QTest::addColumn<WriteCompletion>("completion");
    QTest::addColumn<qint64>("queued");
    QTest::addColumn<bool>("flushed");
    QTest::addColumn<qint64>("pending");
    QTest::addColumn<bool>("handedOver");

    using C = WriteCompletion;
    QTest::newRow("unix: written by flush")
        << C::BeforeFlushReturns << qint64(8) << true << qint64(0) << true;
    QTest::newRow("unix: driver full, bytes left")
        << C::BeforeFlushReturns << qint64(8) << true << qint64(3) << false;
    QTest::newRow("unix: flush failed")
        << C::BeforeFlushReturns << qint64(8) << false << qint64(8) << false;
    QTest::newRow("windows: overlapped write still running")
        << C::Overlapped << qint64(8) << true << qint64(8) << true;
    QTest::newRow("windows: completed at once")
        << C::Overlapped << qint64(8) << true << qint64(0) << true;
    QTest::newRow("windows: write could not start")
        << C::Overlapped << qint64(8) << false << qint64(8) << false;
    QTest::newRow("write refused") << C::Overlapped << qint64(-1) << false << qint64(0) << false;
    QTest::newRow("queued short") << C::Overlapped << qint64(7) << true << qint64(7) << false;
}

void TestPlatform::sendVerdict() {
    QFETCH(WriteCompletion, completion);
    QFETCH(qint64, queued);
    QFETCH(bool, flushed);
    QFETCH(qint64, pending);
    QFETCH(bool, handedOver);
    WriteAttempt attempt;
    attempt.size = 8;
    attempt.queued = queued;
    attempt.flushed = flushed;
    attempt.pendingAfterFlush = pending;
    QCOMPARE(WriteHandedOver(attempt, completion), handedOver);
}

void TestPlatform::perUserFolderOnFirstAndLaterStarts() {
    QTemporaryDir home;
    // Both systems' variables, so the test holds wherever it runs.
    qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
    qputenv("APPDATA", home.path().toLocal8Bit());
    const QString before = QDir::currentPath();
    const QString expected = QDir(home.path()).filePath(QStringLiteral("modbus-sensor-tool"));
    for (int start = 1; start <= 2; ++start) { // the second finds the folder there
        QString error;
        const QString folder = EnterPerUserFolder(&error);
        QVERIFY2(!folder.isEmpty(), qPrintable(error));
        QCOMPARE(QDir(folder).canonicalPath(), QDir(expected).canonicalPath());
        QCOMPARE(QDir::current().canonicalPath(), QDir(expected).canonicalPath());
        QDir::setCurrent(before);
    }
}

void TestPlatform::everyAppendedRowIsSynced() {
    QTemporaryDir dir;
    RecordFile file;
    QVERIFY(file.open(dir.filePath(QStringLiteral("rows.csv")), RecordFile::Mode::Replace));
    for (int row = 1; row <= 3; ++row) {
        QVERIFY(file.append(QByteArray("row\r\n")));
        // Each row reaches storage before the next arrives, as at a 700 ms poll.
        QTRY_COMPARE_WITH_TIMEOUT(file.completedSyncs(), row, 5000);
    }
    file.close();
    QFile written(dir.filePath(QStringLiteral("rows.csv")));
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), QByteArray("row\r\nrow\r\nrow\r\n"));
}

// With SERIAL_SERVER=rfc2217 HOST:PORT in front of a sensor at address 1 (as
// scripts/check-windows sets it up for the Windows build under Wine), one read request goes
// through the tool's own control and an accepted reply comes back.
void TestPlatform::pollThroughASerialServerWhenOneIsGiven() {
    const auto server = ServerAddress::Parse(qEnvironmentVariable("SERIAL_SERVER"));
    if (!server)
        QSKIP("SERIAL_SERVER names no server (e.g. \"rfc2217 127.0.0.1:4001\")");
    PortRouter port;
    port.setServers({{7, *server}});
    QVERIFY(port.setCommPort(7).ok());
    QVERIFY(port.setSettings(QStringLiteral("9600,N,8,1")).ok());
    const CommResult opened = port.setPortOpen(true);
    QVERIFY2(opened.ok(), qPrintable(opened.reason));
    const QByteArray request = ReadRequest(1);
    QVERIFY(port.output(request).ok());
    QByteArray reply;
    QTRY_VERIFY_WITH_TIMEOUT((reply += port.input()).size() >= 9, 3000);
    QVERIFY2(CheckReply(Transcript(request), Transcript(reply)), qPrintable(Transcript(reply)));
    port.setPortOpen(false);
}

QTEST_GUILESS_MAIN(TestPlatform)
#include "test_platform.moc"
