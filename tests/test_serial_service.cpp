// SPDX-License-Identifier: MIT
#include "pty_pair.h"
#include "qt_serial_control.h"
#include "sim_process.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class TestSerialService : public QObject {
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

private:
    std::unique_ptr<QTemporaryDir> dir_;
};

void TestSerialService::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

void TestSerialService::bytesCrossTheLineBothWays() {
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

void TestSerialService::missingPortsAreNoSuchPort() {
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

void TestSerialService::portHeldByAnotherProgramIsBusy() {
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

void TestSerialService::invalidLineSettingsFailCleanly_data() {
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

void TestSerialService::invalidLineSettingsFailCleanly() {
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

void TestSerialService::lineSettingsReachTheDevice_data() {
    QTest::addColumn<QString>("settings");
    for (const char* settings : {"9600,N,8,1", "9600,O,8,1", "4800,E,7,2", "115200,O,7,1"})
        QTest::newRow(settings) << QString::fromLatin1(settings);
}

void TestSerialService::lineSettingsReachTheDevice() {
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

void TestSerialService::writingToAClosedPortFails() {
    QtSerialControl port(dir_->path());
    QCOMPARE(port.output(QByteArray(8, '\1')).code, CommError::kNotOpen);
    QVERIFY(port.input().isEmpty());
}

void TestSerialService::vanishingLineIsReportedOnce() {
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

QTEST_GUILESS_MAIN(TestSerialService)
#include "test_serial_service.moc"
