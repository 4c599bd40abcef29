// SPDX-License-Identifier: MIT
#include "crc.h"
#include "pty_pair.h"
#include "qt_serial_control.h"
#include "sensor_model.h"
#include "sim_process.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class TestQtSerialControl : public QObject {
    Q_OBJECT
private slots:
    void init();
    void bytesCrossTheLineBothWays();
    void missingPortsAreNoSuchPort();
    void portHeldByAnotherProgramIsBusy();
    void invalidLineSettingsFailCleanly_data();
    void invalidLineSettingsFailCleanly();
    void lineSettingsReachTheDevice_data();
    void lineSettingsReachTheDevice();
    void writingToAClosedPortFails();
    void vanishingLineIsReportedOnce();
    void theVirtualSensorSpeaksEachModelOnItsLine();

private:
    std::unique_ptr<QTemporaryDir> dir_;
};

void TestQtSerialControl::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

void TestQtSerialControl::bytesCrossTheLineBothWays() {
    PtyPair line(dir_->path(), 3);
    QVERIFY(line.ok());
    QtSerialControl port(dir_->path());
    QSignalSpy events(&port, &SerialControl::OnComm);
    port.setRThreshold(1);
    QVERIFY(port.setCommPort(3).ok());
    QVERIFY(port.setSettings(QStringLiteral("9600,N,8,1")).ok());
    QVERIFY(port.setPortOpen(true).ok());
    QVERIFY(port.portOpen());

    const QByteArray request = QByteArray::fromHex("010300000002C40B");
    QVERIFY(port.output(request).ok());
    // On the line already, without the event loop having run.
    QCOMPARE(line.receive(8), request);

    QByteArray arrived;
    QObject::connect(&port, &SerialControl::OnComm, &port, [&] {
        if (port.commEvent() == CommEventCode::kReceive)
            arrived += port.input();
    });
    line.send(QByteArray::fromHex("010304"));
    QTRY_COMPARE(arrived.size(), 3);
    line.send(QByteArray::fromHex("00FA0258DA98"));
    QTRY_COMPARE(arrived, QByteArray::fromHex("01030400FA0258DA98"));
    QVERIFY(events.count() >= 2);

    QVERIFY(port.setPortOpen(false).ok());
    QVERIFY(!port.portOpen());
    QVERIFY(port.setPortOpen(false).ok()); // closing twice is harmless
    QVERIFY(port.setPortOpen(true).ok());  // and it opens again
}

void TestQtSerialControl::missingPortsAreNoSuchPort() {
    QtSerialControl port(dir_->path());
    QCOMPARE(port.setCommPort(0).code, CommError::kNoSuchPort);
    // COM9 has no link here and /dev/ttyUSB8 does not exist on a test machine.
    QVERIFY(port.setCommPort(9).ok());
    QCOMPARE(port.setPortOpen(true).code, CommError::kNoSuchPort);
    // A link whose device has gone is missing too.
    QVERIFY(QFile::link(QStringLiteral("/dev/pts/does-not-exist"),
                        dir_->filePath(QStringLiteral("COM4"))));
    QVERIFY(port.setCommPort(4).ok());
    QCOMPARE(port.setPortOpen(true).code, CommError::kNoSuchPort);
}

void TestQtSerialControl::portHeldByAnotherProgramIsBusy() {
    PtyPair line(dir_->path(), 2);
    QVERIFY(line.ok());
    PortHolder holder;
    QVERIFY(holder.hold(line.device()));
    QtSerialControl port(dir_->path());
    QVERIFY(port.setCommPort(2).ok());
    const CommResult result = port.setPortOpen(true);
    QCOMPARE(result.code, CommError::kPortBusy);
    QVERIFY(!result.reason.isEmpty());
    QVERIFY(!port.portOpen());
}

void TestQtSerialControl::invalidLineSettingsFailCleanly_data() {
    QTest::addColumn<QString>("settings");
    QTest::newRow("letters for baud") << QStringLiteral("abc,N,8,1");
    QTest::newRow("empty baud") << QStringLiteral(",N,8,1");
    QTest::newRow("zero baud") << QStringLiteral("0,N,8,1");
    QTest::newRow("negative baud") << QStringLiteral("-9600,N,8,1");
    QTest::newRow("parity X") << QStringLiteral("9600,X,8,1");
    QTest::newRow("nine data bits") << QStringLiteral("9600,N,9,1");
    QTest::newRow("three stop bits") << QStringLiteral("9600,N,8,3");
    QTest::newRow("missing field") << QStringLiteral("9600,N,8");
}

void TestQtSerialControl::invalidLineSettingsFailCleanly() {
    QFETCH(QString, settings);
    PtyPair line(dir_->path(), 1);
    QtSerialControl port(dir_->path());
    QVERIFY(port.setCommPort(1).ok());
    QCOMPARE(port.setSettings(settings).code, CommError::kInvalidValue);
    QVERIFY(port.setSettings(QStringLiteral("115200,E,7,2")).ok());
    QVERIFY(port.setPortOpen(true).ok());
    QCOMPARE(port.setSettings(settings).code, CommError::kInvalidValue);
    QVERIFY(port.portOpen());
}

void TestQtSerialControl::lineSettingsReachTheDevice_data() {
    QTest::addColumn<QString>("settings");
    for (const char* settings :
         {"9600,N,8,1", "9600,O,8,1", "19200,E,8,1", "4800,E,7,2", "115200,O,7,1"})
        QTest::newRow(settings) << QString::fromLatin1(settings);
}

void TestQtSerialControl::lineSettingsReachTheDevice() {
    QFETCH(QString, settings);
    PtyPair line(dir_->path(), 1);
    QtSerialControl port(dir_->path());
    QVERIFY(port.setCommPort(1).ok());
    // A pseudo-terminal keeps the rate and the stop bits but forces 8 data bits without
    // parity, so those two are read back from the port itself.
    const auto rateAndStop = [](const QString& text) {
        const QStringList fields = text.split(QLatin1Char(','));
        return fields.first() + QLatin1Char(',') + fields.last();
    };
    // At the open, and later on the open port (where a pseudo-terminal refuses parity).
    QVERIFY(port.setSettings(settings).ok());
    QVERIFY(port.setPortOpen(true).ok());
    QCOMPARE(rateAndStop(line.lineSettings()), rateAndStop(settings));
    QCOMPARE(port.appliedSettings(), settings);
    QVERIFY(port.setSettings(QStringLiteral("19200,N,8,2")).ok());
    QCOMPARE(line.lineSettings(), QStringLiteral("19200,N,8,2"));
    QCOMPARE(port.appliedSettings(), QStringLiteral("19200,N,8,2"));
}

void TestQtSerialControl::writingToAClosedPortFails() {
    QtSerialControl port(dir_->path());
    QCOMPARE(port.output(QByteArray(8, '\1')).code, CommError::kNotOpen);
    QVERIFY(port.input().isEmpty());
}

void TestQtSerialControl::vanishingLineIsReportedOnce() {
    SimProcess sensor(dir_->path(), 5);
    QVERIFY(sensor.start());
    QtSerialControl port(dir_->path());
    QSignalSpy lost(&port, &SerialControl::portLost);
    QVERIFY(port.setCommPort(5).ok());
    QVERIFY(port.setPortOpen(true).ok());
    QVERIFY(sensor.stop());
    QVERIFY(!QFileInfo(sensor.linkPath()).isSymLink()); // the sensor takes its link with it
    QTRY_COMPARE(lost.count(), 1);
    QVERIFY(!port.portOpen());
    QVERIFY(!lost.wait(300)); // and not again
    QCOMPARE(lost.count(), 1);
}

void TestQtSerialControl::theVirtualSensorSpeaksEachModelOnItsLine() {
    SimProcess sensor(dir_->path(), 6);
    QVERIFY(
        sensor.start({QStringLiteral("--bus"), QStringLiteral("3:default,4:xy-md02,5:rs-ws-n01")}));
    QtSerialControl port(dir_->path());
    QVERIFY(port.setCommPort(6).ok());
    QVERIFY(port.setSettings(QStringLiteral("9600,N,8,1")).ok());
    QVERIFY(port.setPortOpen(true).ok());
    // Sends the requests and returns what came back once a reply of replyBytes is complete.
    const auto exchange = [&](const QList<QByteArray>& requests, int replyBytes) {
        QByteArray received = port.input();
        received.clear();
        for (const QByteArray& request : requests)
            port.output(request);
        // What arrived by then, complete or not: the comparison says which.
        static_cast<void>(QTest::qWaitFor(
            [&] {
                received += port.input();
                return received.size() >= replyBytes;
            },
            3000));
        return received;
    };
    const RegisterRead inputs{0x04, 1, 2};
    const QByteArray readXy = ReadRegistersRequest(4, inputs);
    QCOMPARE(exchange({readXy}, 9).left(3), QByteArray::fromHex("040404"));
    // At 9600 the humidity-first transmitter (4800) hears noise: only the other one answers.
    const QByteArray readFirst = ReadRequest(5);
    QCOMPARE(exchange({readFirst, ReadRequest(3)}, 9).left(3), QByteArray::fromHex("030304"));
    QVERIFY(port.setSettings(QStringLiteral("4800,N,8,1")).ok());
    QCOMPARE(exchange({readFirst}, 9).left(3), QByteArray::fromHex("050304"));

    // The SHT20 module takes its new address after a power cycle.
    QVERIFY(port.setSettings(QStringLiteral("9600,N,8,1")).ok());
    const QByteArray write = AppendCRC(QByteArray::fromHex("040601010009"), 5);
    QCOMPARE(exchange({write}, 8), write);
    QCOMPARE(exchange({readXy}, 9).left(1), QByteArray::fromHex("04"));
    QVERIFY(sensor.powerCycle());
    QCOMPARE(exchange({ReadRegistersRequest(9, inputs)}, 9).left(3), QByteArray::fromHex("090404"));
}

QTEST_GUILESS_MAIN(TestQtSerialControl)
#include "test_qt_serial_control.moc"
