// SPDX-License-Identifier: MIT
#include "telnet_com_port.h"

#include <QtTest>

class TestTelnetComPort : public QObject {
    Q_OBJECT
private slots:
    void telnetFromTheServer_data();
    void telnetFromTheServer();
    void telnetToTheServer();
};

namespace {
QByteArray hex(const char* text) {
    return QByteArray::fromHex(text);
}
} // namespace

// What a serial server sends, in the pieces it may arrive in: the line's data with the
// escapes undone, the answers owed, and a clear error for what is malformed.
void TestTelnetComPort::telnetFromTheServer_data() {
    QTest::addColumn<QList<QByteArray>>("pieces");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<bool>("agreed");
    QTest::addColumn<bool>("failed");
    // ser2net's greeting: WILL SGA, DO SGA, WILL ECHO, DONT ECHO, DO BINARY, WILL BINARY,
    // DO COM-PORT-OPTION.
    const QByteArray greeting = hex("fffb03fffd03fffb01fffe01fffd00fffb00fffd2c");
    QTest::newRow("ser2net's greeting") << QList<QByteArray>{greeting} << QByteArray()
                                        << hex("fffd03fffb03fffe01") << true << false;
    QTest::newRow("data with an escaped FF, split in an escape")
        << QList<QByteArray>{hex("0103ff"), hex("ff02")} << hex("0103ff02") << QByteArray() << false
        << false;
    QTest::newRow("rate answered in pieces")
        << QList<QByteArray>{hex("fffa2c650000"), hex("12c0fff0"), hex("41")} << hex("41")
        << QByteArray() << false << false;
    QTest::newRow("escaped FF inside the answer")
        << QList<QByteArray>{hex("fffa2c650000ffff00fff0")} << QByteArray() << QByteArray() << false
        << false;
    QTest::newRow("refused option and a NOP")
        << QList<QByteArray>{hex("fffd18fff10a")} << hex("0a") << hex("fffc18") << false << false;
    QTest::newRow("SE without SB")
        << QList<QByteArray>{hex("01fff002")} << hex("01") << QByteArray() << false << true;
    QTest::newRow("command inside SB") << QList<QByteArray>{hex("fffa2c01fffb03")} << QByteArray()
                                       << QByteArray() << false << true;
    QTest::newRow("endless SB") << QList<QByteArray>{hex("fffa2c") + QByteArray(100, 'x')}
                                << QByteArray() << QByteArray() << false << true;
}

void TestTelnetComPort::telnetFromTheServer() {
    QFETCH(QList<QByteArray>, pieces);
    QFETCH(QByteArray, data);
    QFETCH(QByteArray, answer);
    QFETCH(bool, agreed);
    QFETCH(bool, failed);
    TelnetComPort telnet;
    QCOMPARE(telnet.start(), hex("fffb2cfffb00fffd00"));
    QByteArray gotData, gotAnswer;
    for (const QByteArray& piece : pieces)
        gotData += telnet.decode(piece, &gotAnswer);
    QCOMPARE(gotData, data);
    QCOMPARE(gotAnswer, answer);
    QCOMPARE(telnet.comPortAgreed(), agreed);
    QCOMPARE(telnet.failed(), failed);
    QCOMPARE(telnet.error().isEmpty(), !failed);
    if (failed) // and takes nothing after
        QVERIFY(telnet.decode(hex("4142"), &gotAnswer).isEmpty());
}

void TestTelnetComPort::telnetToTheServer() {
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

QTEST_GUILESS_MAIN(TestTelnetComPort)
#include "test_telnet_com_port.moc"
