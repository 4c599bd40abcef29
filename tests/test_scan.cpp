// SPDX-License-Identifier: MIT
#include "crc.h"
#include "fakes.h"
#include "model_texts.h"
#include "port_status_text.h"
#include "scan/scan_dialog.h"
#include "sensor_catalogue.h"
#include "sensor_scan.h"
#include "serial_line.h"
#include "tool_rig.h"
#include "virtual_sensor.h"

#include <QAction>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QtTest>
#include <memory>

namespace {
// The read requests the scan wrote, as addresses, in order.
QList<int> addressesAsked(const FakeSerialControl& port) {
    QList<int> addresses;
    for (const QByteArray& frame : port.written)
        addresses << static_cast<quint8>(frame.at(0));
    return addresses;
}

ScanPlan plan(int first, int last, QList<int> rates, QList<LineFormat> formats = {}) {
    ScanPlan plan;
    plan.firstAddress = first;
    plan.lastAddress = last;
    plan.rates = std::move(rates);
    plan.formats = std::move(formats);
    plan.timeoutMs = SensorScan::kMinTimeoutMs;
    plan.line = {9600, QSerialPort::NoParity, QSerialPort::Data8, QSerialPort::OneStop};
    return plan;
}
// A scan on an open fake port, through the line as the tool has it.
struct ScanRig : LineRig {
    ScanRig() : LineRig(true) {}
    SensorScan scan{line};
};
} // namespace

class TestScan : public QObject {
    Q_OBJECT
private slots:
    void everyAddressOnceAtEveryRate();
    void everyFormatWithEveryRate();
    void requestTimeCountsParityAndStopBits();
    void aLateReplyIsNeitherCountedNorSkipsAnAddress();
    void theDialogScansASingleAddress();
    void aGatewaysAnswersFindNoSensor();
    void portToolTipNamesItsOwnDevice();
    void foundSensorsShowTheirModelsReadings();
};

void TestScan::everyAddressOnceAtEveryRate() {
    for (const auto& [first, last, rates] :
         {std::tuple{5, 7, QList<int>{9600}}, std::tuple{9, 9, QList<int>{9600}},
          std::tuple{1, 3, QList<int>{4800, 9600}}}) {
        ScanRig rig;
        FakeSerialControl& port = rig.port;
        SensorScan& scan = rig.scan;
        QSignalSpy finished(&scan, &SensorScan::finished);
        QVERIFY(scan.start(plan(first, last, rates)));
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 5000);
        QCOMPARE(finished.at(0).at(0).toBool(), true);

        QList<int> expected;
        for (int rate = 0; rate < rates.size(); ++rate)
            for (int address = first; address <= last; ++address)
                expected << address;
        QCOMPARE(addressesAsked(port), expected);
        QCOMPARE(scan.done(), expected.size());
        // A rate other than the line's is set once for its addresses; 9600 comes back for its
        // own turn, and then the line is where it was.
        QCOMPARE(port.calls.count(QStringLiteral("Settings=4800,N,8,1")), rates.count(4800));
        QCOMPARE(port.calls.count(QStringLiteral("Settings=9600,N,8,1")),
                 rates.first() == 9600 ? 0 : 1);
    }
    // A scan that goes while it runs (the tool closing) puts the line back too, silently.
    LineRig rig(true);
    auto scan = std::make_unique<SensorScan>(rig.line);
    QSignalSpy finished(scan.get(), &SensorScan::finished);
    QVERIFY(scan->start(plan(2, 4, {4800})));
    scan.reset();
    QCOMPARE(rig.port.calls.filter(QStringLiteral("Settings=")),
             (QStringList{"Settings=4800,N,8,1", "Settings=9600,N,8,1"}));
    QVERIFY(rig.line.heldFor().isEmpty());
    QVERIFY(finished.isEmpty());
}

// Each format with each rate, the line set once per pair; a sensor answering only at its own
// format is found there, named with it, and the line is back where it was.
void TestScan::everyFormatWithEveryRate() {
    ScanRig rig;
    FakeSerialControl& port = rig.port;
    const LineFormat even{QLatin1Char('E'), 1};
    const LineFormat twoStop{QLatin1Char('N'), 2};
    QSignalSpy found(&rig.scan, &SensorScan::found);
    QSignalSpy finished(&rig.scan, &SensorScan::finished);
    // Address 6 answers at 4800 8E1 only: its answer follows each request made there.
    QTimer sensor;
    std::size_t answered = 0;
    connect(&sensor, &QTimer::timeout, &rig.scan, [&] {
        if (port.written.size() == answered)
            return;
        answered = port.written.size();
        const QStringList settings = port.calls.filter(QStringLiteral("Settings="));
        if (port.written.back().at(0) == 6 && !settings.isEmpty() &&
            settings.last() == QStringLiteral("Settings=4800,E,8,1"))
            port.receive(AppendCRC(QByteArray::fromHex("0603040102015E"), 6));
    });
    sensor.start(1);
    QVERIFY(rig.scan.start(plan(5, 7, {9600, 4800}, {twoStop, even})));
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 5000);
    QCOMPARE(addressesAsked(port), (QList<int>{5, 6, 7, 5, 6, 7, 5, 6, 7, 5, 6, 7}));
    QCOMPARE(port.calls.filter(QStringLiteral("Settings=")),
             (QStringList{"Settings=9600,N,8,2", "Settings=9600,E,8,1", "Settings=4800,N,8,2",
                          "Settings=4800,E,8,1", "Settings=9600,N,8,1"}));
    QCOMPARE(found.size(), 1);
    const auto finding = found.at(0).at(0).value<ScanFinding>();
    QCOMPARE(finding.address, 6);
    QCOMPARE((LineSetup{finding.baud, finding.format}.text()), QStringLiteral("4800 8E1"));
}

// A request's time on the wire is the line's own: eight characters of its bits, rounded up.
void TestScan::requestTimeCountsParityAndStopBits() {
    const auto ms = [](int baud, QSerialPort::Parity parity, QSerialPort::StopBits stop) {
        return SensorScan::RequestTimeMs({baud, parity, QSerialPort::Data8, stop});
    };
    QCOMPARE(ms(9600, QSerialPort::NoParity, QSerialPort::OneStop), 9);    // 8.33 ms
    QCOMPARE(ms(19200, QSerialPort::EvenParity, QSerialPort::OneStop), 5); // 4.58 ms
    QCOMPARE(ms(4800, QSerialPort::NoParity, QSerialPort::TwoStop), 19);   // 18.33 ms
    QCOMPARE(ms(2400, QSerialPort::OddParity, QSerialPort::TwoStop), 40);  // 40 ms exactly
}

void TestScan::aLateReplyIsNeitherCountedNorSkipsAnAddress() {
    ScanRig rig;
    FakeSerialControl& port = rig.port;
    SensorScan& scan = rig.scan;
    QSignalSpy found(&scan, &SensorScan::found);
    QSignalSpy finished(&scan, &SensorScan::finished);
    ScanPlan slow = plan(5, 7, {9600});
    slow.timeoutMs = 300;
    QVERIFY(scan.start(slow));
    // Address 5's reply comes once its time is over and 6 has been asked.
    QTRY_COMPARE_WITH_TIMEOUT(port.written.size(), size_t(2), 2000);
    port.receive(QByteArray::fromHex("05030400FA0258") +
                 AppendCRC(QByteArray::fromHex("05030400FA0258"), 6).right(2));
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 5000);
    QCOMPARE(addressesAsked(port), (QList<int>{5, 6, 7}));
    QVERIFY(found.isEmpty());

    // In its time, the same reply counts.
    ScanRig answeringRig;
    FakeSerialControl& answering = answeringRig.port;
    SensorScan& second = answeringRig.scan;
    QSignalSpy secondFound(&second, &SensorScan::found);
    QVERIFY(second.start(plan(5, 5, {9600})));
    answering.receive(AppendCRC(QByteArray::fromHex("05030400FA0258"), 6));
    QCOMPARE(secondFound.size(), 1);
    QCOMPARE(secondFound.at(0).at(0).value<ScanFinding>().address, 5);

    // Bytes from 6 that arrived in 5's time are gone when 6 is asked: one more byte in
    // 6's time must not complete them into a reply.
    ScanRig staleRig;
    SensorScan& third = staleRig.scan;
    QSignalSpy thirdFound(&third, &SensorScan::found);
    QSignalSpy thirdFinished(&third, &SensorScan::finished);
    ScanPlan two = plan(5, 6, {9600});
    two.timeoutMs = 200;
    QVERIFY(third.start(two));
    staleRig.port.receive(AppendCRC(QByteArray::fromHex("06030400FA0258"), 6));
    QTRY_COMPARE_WITH_TIMEOUT(staleRig.port.written.size(), size_t(2), 2000);
    staleRig.port.receive(QByteArray(1, '\x06'));
    QTRY_COMPARE_WITH_TIMEOUT(thirdFinished.size(), 1, 5000);
    QVERIFY(thirdFound.isEmpty());
}

// First and last the same: one request, from the dialog as the operator starts it.
void TestScan::theDialogScansASingleAddress() {
    ToolRig f;
    f.openPort();
    f.w().findChild<QAction*>(QStringLiteral("scanAction"))->trigger();
    auto* dialog = f.w().findChild<ScanDialog*>();
    QVERIFY(dialog);
    dialog->findChild<QSpinBox*>(QStringLiteral("timeout"))->setValue(SensorScan::kMinTimeoutMs);
    dialog->findChild<QSpinBox*>(QStringLiteral("lastAddress"))->setValue(7);
    dialog->findChild<QSpinBox*>(QStringLiteral("firstAddress"))->setValue(7);
    dialog->findChild<QPushButton*>(QStringLiteral("start"))->click();
    QTRY_VERIFY(!dialog->scanning());
    QCOMPARE(addressesAsked(f.port), QList<int>{7});
}

// A Modbus gateway answers for addresses where it reached no sensor: 0B counts as an empty
// address, 0A as the gateway's refusal; neither is found, both move on at once, and the
// summary says what the gateway said.
void TestScan::aGatewaysAnswersFindNoSensor() {
    ToolRig f;
    f.openPort();
    f.w().findChild<QAction*>(QStringLiteral("scanAction"))->trigger();
    auto* dialog = f.w().findChild<ScanDialog*>();
    QVERIFY(dialog);
    dialog->findChild<QSpinBox*>(QStringLiteral("timeout"))->setValue(SensorScan::kMaxTimeoutMs);
    dialog->findChild<QSpinBox*>(QStringLiteral("firstAddress"))->setValue(5);
    dialog->findChild<QSpinBox*>(QStringLiteral("lastAddress"))->setValue(8);
    auto* progress = dialog->findChild<QProgressBar*>(QStringLiteral("progress"));
    dialog->findChild<QPushButton*>(QStringLiteral("start"))->click();

    const std::pair<int, QByteArray> answers[] = {
        {5, AppendCRC(QByteArray::fromHex("05830B"), 2)},
        {6, AppendCRC(QByteArray::fromHex("06830B"), 2)},
        {7, AppendCRC(QByteArray::fromHex("07830A"), 2)},
    };
    for (const auto& [address, answer] : answers) {
        QTRY_COMPARE(addressesAsked(f.port).size(), address - 4);
        QCOMPARE(addressesAsked(f.port).back(), address);
        f.port.receive(answer);
        QCOMPARE(progress->value(), address - 4); // not after the timeout
    }
    // The sensor at 8 answers; the model's identification may ask it more.
    QTRY_COMPARE(addressesAsked(f.port).size(), 4);
    f.port.receive(AppendCRC(QByteArray::fromHex("08030400FA0258"), 6));
    QTRY_VERIFY_WITH_TIMEOUT(!dialog->scanning(), 10000);
    auto* results = dialog->findChild<QTableWidget*>();
    QCOMPARE(results->rowCount(), 1);
    QCOMPARE(results->item(0, 0)->text(), QStringLiteral("8"));
    const QString summary = dialog->findChild<QLabel*>(QStringLiteral("summary"))->text();
    for (const char* part : {"找到 1 个传感器", "网关报告 2 个地址的设备没有回应（异常码 0B）",
                             "网关拒绝了 1 个地址：网关路径不可用（异常码 0A）"})
        QVERIFY2(summary.contains(QString::fromUtf8(part)), qPrintable(summary));
}

void TestScan::portToolTipNamesItsOwnDevice() {
    const std::vector<SerialDeviceInfo> devices{
        {QStringLiteral("/dev/ttyUSB0"),
         QStringLiteral("CP2102 USB to UART"),
         QStringLiteral("Silicon Labs"),
         QStringLiteral("0001"),
         {}},
        {QStringLiteral("/dev/ttyUSB1"), QStringLiteral("USB Serial"), QStringLiteral("QinHeng"),
         QStringLiteral("A5B6"), QStringLiteral("/dev/serial/by-id/usb-1a86_USB_Serial-if00")},
    };
    const QString tip = PortToolTip(2, QStringLiteral("/dev/ttyUSB1"), true, false, devices);
    for (const char* part : {"USB Serial", "QinHeng", "A5B6", "/dev/serial/by-id/usb-1a86"})
        QVERIFY2(tip.contains(QLatin1String(part)), qPrintable(tip));
    QVERIFY(!tip.contains(QStringLiteral("Silicon Labs")));
    QVERIFY(PortToolTip(3, QStringLiteral("/dev/ttyUSB2"), false, false, devices)
                .contains(QStringLiteral("没有连接设备")));
}

// Sensors of other maps, found and named by the scan, show what they measure the way their
// model reads it: a humidity-first transmitter's temperature from its second register, a
// function-04 module's from its input registers.
void TestScan::foundSensorsShowTheirModelsReadings() {
    const SensorCatalogue catalogue;
    for (const auto& [id, address] :
         {std::pair{"rs-ws-n01", 37}, std::pair{"xy-md02", 211}, std::pair{"jxct-soil", 4}}) {
        VirtualSensor::Options options;
        options.model = *catalogue.find(QLatin1String(id));
        options.address = address;
        options.temperature = -123;
        options.humidity = 456;
        VirtualSensor sensor(options);
        ToolRig f;
        f.openPort();
        // The sensor answers every request the scan writes, as the line would bring it.
        std::size_t answered = 0;
        QTimer line;
        connect(&line, &QTimer::timeout, &line, [&] {
            while (answered < f.port.written.size()) {
                if (const auto reply = sensor.answer(f.port.written[answered++]))
                    f.port.receive(*reply);
            }
        });
        line.start(2);
        f.w().findChild<QAction*>(QStringLiteral("scanAction"))->trigger();
        auto* dialog = f.w().findChild<ScanDialog*>();
        dialog->findChild<QSpinBox*>(QStringLiteral("timeout"))->setValue(60);
        dialog->findChild<QSpinBox*>(QStringLiteral("lastAddress"))->setValue(address + 1);
        dialog->findChild<QSpinBox*>(QStringLiteral("firstAddress"))->setValue(address);
        dialog->findChild<QPushButton*>(QStringLiteral("start"))->click();
        QTRY_VERIFY_WITH_TIMEOUT(!dialog->scanning(), 10000);
        auto* results = dialog->findChild<QTableWidget*>();
        QCOMPARE(results->rowCount(), 1);
        // A model the scan got wrong leaves the readings' cells empty: a failure, not a crash.
        const auto cell = [&](int column) {
            const QTableWidgetItem* item = results->item(0, column);
            return item ? item->text() : QStringLiteral("(no cell)");
        };
        QCOMPARE(cell(0), QString::number(address));
        QCOMPARE(cell(6), ModelTexts::name(options.model));
        QCOMPARE(cell(3), QStringLiteral("-12.3℃"));
        QCOMPARE(cell(4), QStringLiteral("45.6%"));
    }
}

QTEST_MAIN(TestScan)
#include "test_scan.moc"
