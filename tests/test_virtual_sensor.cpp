// SPDX-License-Identifier: MIT
#include "crc.h"
#include "hex_transcript.h"
#include "readings.h"
#include "reply_check.h"
#include "virtual_sensor.h"

#include <QTest>

class TestVirtualSensor : public QObject {
    Q_OBJECT
private slots:
    void repliesPassTheToolsCheckAndDecode();
    void driftStaysPlausible();
    void quietForOtherAddressesAndBadFrames();
    void addressWriteIsEchoedThenTakesEffect();
    void faultsAreVisibleToTheCheck();
    void severalSensorsShareOneLine();
};

void TestVirtualSensor::repliesPassTheToolsCheckAndDecode() {
    VirtualSensor::Options options;
    options.address = 7;
    options.temperature = -123;
    options.humidity = 987;
    VirtualSensor sensor(options);
    const QString sent = Transcript(ReadRequest(7));
    const auto reply = sensor.answer(ReadRequest(7));
    QVERIFY(reply);
    QVERIFY(HasValidCrc(*reply));
    QVERIFY(CheckReply(sent, Transcript(*reply)));
    const auto readings = DecodeReadings(Transcript(*reply), true, QLocale::c());
    QVERIFY(readings);
    QCOMPARE(readings->temperature, QStringLiteral("-12.3℃"));
    QCOMPARE(readings->humidity.value_or(QString()), QStringLiteral("98.7%"));
}

void TestVirtualSensor::driftStaysPlausible() {
    VirtualSensor sensor({});
    int previous = sensor.temperature();
    for (int i = 0; i < 2000; ++i) {
        QVERIFY(sensor.answer(ReadRequest(1)));
        QVERIFY(std::abs(sensor.temperature() - previous) <= 1);
        QVERIFY(sensor.temperature() >= 150 && sensor.temperature() <= 350);
        QVERIFY(sensor.humidity() >= 300 && sensor.humidity() <= 800);
        previous = sensor.temperature();
    }
}

void TestVirtualSensor::quietForOtherAddressesAndBadFrames() {
    VirtualSensor sensor({});
    QVERIFY(!sensor.answer(ReadRequest(2)));
    QVERIFY(!sensor.answer(ReadRequest(0))); // no answer to a broadcast read
    QByteArray spoiled = ReadRequest(1);
    spoiled[7] = static_cast<char>(spoiled[7] ^ 1);
    QVERIFY(!sensor.answer(spoiled));
    QVERIFY(!sensor.answer(ReadRequest(1).left(7)));
}

void TestVirtualSensor::addressWriteIsEchoedThenTakesEffect() {
    VirtualSensor sensor({});
    const QByteArray write = AddressWriteRequest(5);
    QCOMPARE(sensor.answer(write).value_or(QByteArray()), write);
    QVERIFY(CheckReply(Transcript(write), Transcript(write)));
    QCOMPARE(sensor.address(), 5);
    QVERIFY(!sensor.answer(ReadRequest(1)));
    QVERIFY(sensor.answer(ReadRequest(5)));
}

void TestVirtualSensor::faultsAreVisibleToTheCheck() {
    VirtualSensor::Options exception;
    exception.exceptionReply = true;
    VirtualSensor failing(exception);
    const QString sent = Transcript(ReadRequest(1));
    QVERIFY(!CheckReply(sent, Transcript(failing.answer(ReadRequest(1)).value())));

    VirtualSensor::Options badCrc;
    badCrc.badCrc = true;
    VirtualSensor spoiled(badCrc);
    const QByteArray reply = spoiled.answer(ReadRequest(1)).value();
    QVERIFY(!HasValidCrc(reply));
    QCOMPARE(JudgeReply(sent, Transcript(reply)).fault, ReplyFault::CrcError);
}

void TestVirtualSensor::severalSensorsShareOneLine() {
    SensorBus bus({}, {1, 7, 200});
    for (const int address : {1, 7, 200}) {
        const auto reply = bus.answer(ReadRequest(static_cast<std::uint8_t>(address)));
        QVERIFY(reply);
        QCOMPARE(static_cast<int>(static_cast<std::uint8_t>(reply->at(0))), address);
    }
    QVERIFY(!bus.answer(ReadRequest(2)));
    // A broadcast address write reaches every sensor, and one echo comes back.
    const QByteArray write = AddressWriteRequest(9);
    QCOMPARE(bus.answer(write).value_or(QByteArray()), write);
    for (const VirtualSensor& sensor : bus.sensors())
        QCOMPARE(sensor.address(), 9);
    QVERIFY(!bus.answer(ReadRequest(7)));
    QVERIFY(bus.answer(ReadRequest(9)));
}

QTEST_APPLESS_MAIN(TestVirtualSensor)
#include "test_virtual_sensor.moc"
