// SPDX-License-Identifier: MIT
#include "crc.h"
#include "sensor_exchange.h"
#include "serial_line.h"
#include "tool_rig.h"

#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

namespace {
const SerialLine::Choice kCom1{1, QStringLiteral("9600"), QStringLiteral("N"), QStringLiteral("8"),
                               QStringLiteral("1")};

// The exchange on a fake port, polling whatever address the test puts in pollAddress.
struct ExchangeRig : LineRig {
    ExchangeRig() {
        line.listen(&exchange, [this](const QByteArray& b) { exchange.receive(b); });
    }
    JudgedCycle judged(const QSignalSpy& spy) const {
        return spy.last().at(0).value<JudgedCycle>();
    }

    QString pollAddress = QStringLiteral("7");
    QList<int> sleeps;
    SensorExchange exchange{
        line, messages, {[this] { return pollAddress; }, [this](int ms) { sleeps << ms; }}};
};
} // namespace

Q_DECLARE_METATYPE(JudgedCycle)

class TestExchange : public QObject {
    Q_OBJECT
private slots:
    void eachPollEndsInOneJudgedCycle();
    void pollRefusalsStopAcquisition();
    void addressWriteIsBroadcastAndGivenQuiet();
    void aFailedOrLostLineClosesAndStops();
    void stoppingLeavesNoTickBehind();
};

void TestExchange::eachPollEndsInOneJudgedCycle() {
    ExchangeRig rig;
    rig.line.toggleOpen(kCom1);
    QSignalSpy running(&rig.exchange, &SensorExchange::acquisitionChanged);
    QSignalSpy made(&rig.exchange, &SensorExchange::requestMade);
    QSignalSpy sent(&rig.exchange, &SensorExchange::requestSent);
    QSignalSpy received(&rig.exchange, &SensorExchange::bytesReceived);
    QSignalSpy cycles(&rig.exchange, &SensorExchange::cycleJudged);

    rig.exchange.toggleAcquisition();
    QVERIFY(rig.exchange.acquiring());
    QCOMPARE(running.last().at(0).toBool(), true);

    rig.exchange.Timer2_Timer();
    QCOMPARE(rig.port.written, std::vector<QByteArray>{ReadRequest(7)});
    QCOMPARE(made.last().at(0).toString(), QStringLiteral("07 03 00 00 00 02 C4 6D "));
    QCOMPARE(sent.size(), 1);
    const QByteArray reply = AppendCRC(QByteArray::fromHex("07030400F50226"), 6);
    rig.port.receive(reply.left(3));
    rig.port.receive(reply.mid(3));
    rig.port.receive({}); // an event that brought nothing
    QCOMPARE(received.size(), 2);
    rig.exchange.Timer1_Timer();
    QCOMPARE(cycles.size(), 1);
    JudgedCycle cycle = rig.judged(cycles);
    QCOMPARE(cycle.address, 7);
    QVERIFY(cycle.verdict.accepted() && cycle.acquiring);
    QCOMPARE(cycle.readings->temperature->caption, QStringLiteral("24.5℃"));
    QCOMPARE(cycle.readings->humidity.value().caption, QStringLiteral("55.0%"));
    QCOMPARE(cycle.request, rig.exchange.sendHex());
    QCOMPARE(cycle.reply, QString::fromLatin1(reply.toHex(' ').toUpper() + ' '));
    QVERIFY(RefusalReason(cycle).isEmpty());

    // Stopped inside the reply window: judged, but not decoded.
    rig.pollAddress = QStringLiteral("12");
    rig.exchange.Timer2_Timer();
    rig.exchange.toggleAcquisition();
    QCOMPARE(running.last().at(0).toBool(), false);
    const QByteArray reply12 = AppendCRC(QByteArray::fromHex("0C030400F50226"), 6);
    rig.port.receive(reply12);
    rig.exchange.Timer1_Timer();
    cycle = rig.judged(cycles);
    QCOMPARE(cycle.address, 12);
    QVERIFY(cycle.verdict.accepted() && !cycle.acquiring && !cycle.readings);

    // A corrupted reply is judged as refused, with its reason.
    rig.exchange.Timer2_Timer();
    QByteArray corrupted = reply12;
    corrupted[4] = '\x01';
    rig.port.receive(corrupted);
    rig.exchange.Timer1_Timer();
    cycle = rig.judged(cycles);
    QCOMPARE(cycle.verdict.fault, ReplyFault::CrcError);
    QVERIFY(!cycle.readings);
    QVERIFY(!RefusalReason(cycle).isEmpty());
    QCOMPARE(cycles.size(), 3);
}

void TestExchange::pollRefusalsStopAcquisition() {
    ExchangeRig rig;
    QSignalSpy running(&rig.exchange, &SensorExchange::acquisitionChanged);
    QSignalSpy cleared(&rig.exchange, &SensorExchange::cleared);
    rig.exchange.toggleAcquisition();
    rig.exchange.Timer2_Timer(); // the port is closed
    QVERIFY(!rig.exchange.acquiring());
    QCOMPARE(running.last().at(0).toBool(), false);

    rig.line.toggleOpen(kCom1);
    for (const QString& address : {QString(), QStringLiteral("256"), QStringLiteral("1a")}) {
        rig.pollAddress = address;
        rig.exchange.toggleAcquisition();
        rig.exchange.Timer2_Timer();
        QVERIFY(!rig.exchange.acquiring());
    }
    QVERIFY(rig.port.written.empty());
    QCOMPARE(cleared.size(), 4);
    QCOMPARE(
        rig.messages.shown,
        (QStringList{QStringLiteral("请先打开串口！"), QStringLiteral("模块地址未设置！"),
                     QStringLiteral("模块地址设置错误！"), QStringLiteral("模块地址设置错误！")}));
}

void TestExchange::addressWriteIsBroadcastAndGivenQuiet() {
    ExchangeRig rig;
    QSignalSpy cycles(&rig.exchange, &SensorExchange::cycleJudged);
    rig.exchange.writeAddress(QStringLiteral("5"));
    QCOMPARE(rig.messages.shown, QStringList{QStringLiteral("请先打开串口！")});

    rig.line.toggleOpen(kCom1);
    rig.exchange.writeAddress(QStringLiteral("x"));
    QCOMPARE(rig.messages.shown.last(), QStringLiteral("参数设置错误！"));
    QVERIFY(rig.port.written.empty());

    rig.exchange.writeAddress(QStringLiteral("5"));
    QCOMPARE(rig.port.written, std::vector<QByteArray>{AddressWriteRequest(5)});
    QCOMPARE(rig.sleeps, QList<int>{100});
    rig.exchange.Timer1_Timer(); // no echo
    const JudgedCycle cycle = rig.judged(cycles);
    QCOMPARE(cycle.address, 0);
    QCOMPARE(cycle.verdict.fault, ReplyFault::NoReply);
    QVERIFY(RefusalReason(cycle).contains(QStringLiteral("广播")));
    QVERIFY(!rig.exchange.acquiring());
}

void TestExchange::aFailedOrLostLineClosesAndStops() {
    ExchangeRig rig;
    QSignalSpy failed(&rig.exchange, &SensorExchange::lineFailed);
    rig.line.toggleOpen(kCom1);
    rig.exchange.toggleAcquisition();
    rig.port.outputResult = {CommError::kIoFailure, QStringLiteral("Input/output error")};
    rig.exchange.Timer2_Timer();
    QVERIFY(!rig.line.shownOpen() && !rig.port.open && !rig.exchange.acquiring());
    QCOMPARE(failed.size(), 1);
    QCOMPARE(rig.messages.shown, QStringList{QStringLiteral("串口写入失败！")});

    rig.exchange.lineLost(QStringLiteral("hang-up"), QStringLiteral("/dev/ttyUSB0"));
    QCOMPARE(failed.size(), 1); // already shown closed: nothing more to say

    rig.port.outputResult = {};
    rig.line.toggleOpen(kCom1);
    rig.exchange.toggleAcquisition();
    rig.exchange.Timer2_Timer();
    rig.exchange.lineLost(QStringLiteral("hang-up"), QStringLiteral("/dev/ttyUSB0"));
    QVERIFY(!rig.line.shownOpen() && !rig.exchange.acquiring());
    QCOMPARE(failed.size(), 2);
    QVERIFY(failed.last().at(0).value<StatusText>().line.contains(QStringLiteral("ttyUSB0")));
    QCOMPARE(rig.messages.shown.last(), QStringLiteral("串口已断开！"));
    // Nothing is judged after the line went.
    QVERIFY(!rig.exchange.findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());
}

// Two clicks within one poll interval send nothing; stopping inside the reply window
// leaves its judgement pending, and nothing more goes out.
void TestExchange::stoppingLeavesNoTickBehind() {
    ExchangeRig rig;
    rig.line.toggleOpen(kCom1);
    const QTimer* Timer1 = rig.exchange.findChild<QTimer*>(QStringLiteral("Timer1"));
    const QTimer* Timer2 = rig.exchange.findChild<QTimer*>(QStringLiteral("Timer2"));
    rig.exchange.toggleAcquisition();
    QVERIFY(Timer2->isActive());
    QCOMPARE(Timer2->interval(), 700);
    rig.exchange.toggleAcquisition();
    QVERIFY(!Timer2->isActive());
    QVERIFY(rig.port.written.empty());

    rig.exchange.toggleAcquisition();
    rig.exchange.Timer2_Timer();
    QVERIFY(Timer1->isActive() && Timer1->isSingleShot());
    QCOMPARE(Timer1->interval(), 500);
    rig.exchange.toggleAcquisition();
    QVERIFY(Timer1->isActive() && !Timer2->isActive());
    QCOMPARE(rig.port.written.size(), size_t(1));
}

QTEST_GUILESS_MAIN(TestExchange)
#include "test_exchange.moc"
