// SPDX-License-Identifier: MIT
#include "crc.h"
#include "language/language_part.h"
#include "receive_accumulator.h"
#include "record/recording_part.h"
#include "sensor_exchange.h"
#include "sensor_model/sensor_model_dialog.h"
#include "sensor_model/sensor_model_part.h"
#include "statistics/statistics_window.h"
#include "tool_rig.h"
#include "trend/trend_part.h"
#include "window/readout_age.h"

#include <QAction>
#include <QHelpEvent>
#include <QLabel>
#include <QTest>

namespace {
const QByteArray kRead1 = QByteArray::fromHex("010300000002C40B");
const QByteArray kReply = QByteArray::fromHex("01030400FA0258DA98"); // 25.0 ℃, 60.0 %
} // namespace

class TestAcquisition : public QObject {
    Q_OBJECT
private slots:
    void pollCycleShowsRequestReplyAndReadings();
    void badOrMissingReplyOnlySetsTheStatus();
    void readoutsTellTheirAge();
    void refusalsSendNothing_data();
    void refusalsSendNothing();
    void extremeAddressesGoOutUnchanged();
    void stoppingInsideTheReplyWindowJudgesButKeepsReadings();
    void twoClicksWithin700msSendNothing();
    void failedWriteStopsAndShowsClosed();
    void addressChange();
    void addressChangeLeavesAcquisitionRunning();
    void receivedBytesAccumulateInArrivalOrder();
    void statisticsWindowCountsTheLine();
    void trendKeepsTheReadingsOfRunningAcquisition();
    void closingInsideACycleEndsTheExchange();
    void recordRowsCarryAddressReasonAndTheirOwnCount();
};

void TestAcquisition::pollCycleShowsRequestReplyAndReadings() {
    ToolRig f;
    f.openPort();
    f.ui().Command_OK3->click();
    QCOMPARE(f.ui().Command_OK3->text(), QStringLiteral("停 止"));
    QVERIFY(f.ui().Timer2.isActive());
    QVERIFY(f.port.written.empty()); // the first request waits for the first tick

    f.w().Timer2_Timer();
    QCOMPARE(f.port.written, std::vector<QByteArray>{kRead1});
    QCOMPARE(f.ui().Text1(0)->toPlainText(), QStringLiteral("01 03 00 00 00 02 C4 0B "));
    QCOMPARE(f.w().exchange().sendHex(), QStringLiteral("01 03 00 00 00 02 C4 0B "));
    QVERIFY(f.ui().Timer1.isActive());
    QVERIFY(f.ui().Message_Show->toPlainText().isEmpty());

    f.port.receive(kReply.left(4));
    f.port.receive(kReply.mid(4));
    f.ui().tickTimer1();
    QCOMPARE(f.ui().Text2->toPlainText(), QStringLiteral("01 03 04 00 FA 02 58 DA 98 "));
    QCOMPARE(f.ui().AI_SHOW(0)->text(), QStringLiteral("25.0℃"));
    QCOMPARE(f.ui().AI_SHOW(1)->text(), QStringLiteral("60.0%"));
    QCOMPARE(f.ui().Message_Show->toPlainText(), QStringLiteral("通讯数据正常！"));
    QVERIFY(!f.ui().Timer1.isActive());

    // The next tick empties the boxes again before sending.
    f.w().Timer2_Timer();
    QVERIFY(f.ui().Text2->toPlainText().isEmpty());
    QVERIFY(f.ui().Message_Show->toPlainText().isEmpty());
    QVERIFY(f.w().exchange().receiveHex().isEmpty());
    QCOMPARE(f.port.written.size(), size_t(2));
    QVERIFY(f.messages.shown.isEmpty());
}

void TestAcquisition::badOrMissingReplyOnlySetsTheStatus() {
    ToolRig f;
    f.openPort();
    f.ui().Command_OK3->click();
    f.w().Timer2_Timer();
    f.port.receive(kReply);
    f.ui().tickTimer1();
    QCOMPARE(f.ui().AI_SHOW(0)->text(), QStringLiteral("25.0℃"));

    // Each refusal leaves the readings and says why in the status box's tooltip.
    const std::pair<QByteArray, QString> refusals[] = {
        {QByteArray(), QStringLiteral("没有收到回复")},
        {QByteArray::fromHex("018302C0F1"), QStringLiteral("异常码 02")},
        {QByteArray::fromHex("01830B00F7"),
         QStringLiteral("网关报告目标设备没有回应（异常码 0B）")},
        {QByteArray::fromHex("01830AC137"), QStringLiteral("网关路径不可用（异常码 0A）")},
        {QByteArray::fromHex("02030400FA0258DA98"), QStringLiteral("地址或功能码")},
        {QByteArray::fromHex("FF01030400FA0258DA98"), QStringLiteral("收到 10 字节")},
        {QByteArray::fromHex("01030400FA02580000"), QStringLiteral("CRC")},
        {QByteArray::fromHex("01030400FB0258DA98"), QStringLiteral("CRC")},
    };
    for (const auto& [reply, reason] : refusals) {
        f.w().Timer2_Timer();
        f.port.receive(reply);
        f.ui().tickTimer1();
        QCOMPARE(f.ui().Message_Show->toPlainText(), QStringLiteral("通讯数据错误！"));
        QVERIFY2(f.ui().Message_Show->toolTip().contains(reason),
                 qPrintable(f.ui().Message_Show->toolTip()));
        QVERIFY(f.ui().Text2->toPlainText().isEmpty());
        QCOMPARE(f.ui().AI_SHOW(0)->text(), QStringLiteral("25.0℃"));
        QCOMPARE(f.ui().Command_OK3->text(), QStringLiteral("停 止")); // polling goes on
    }
}

// Three refused polls in a row dim the readouts, which keep their text, and their tooltip
// tells when the value was read, in the language shown; an address write's echo is no poll;
// the next accepted reading restores them.
void TestAcquisition::readoutsTellTheirAge() {
    ToolRig f;
    f.openPort();
    f.ui().Command_OK3->click();
    auto* age = f.w().findChild<ReadoutAge*>();
    QLabel* readouts[] = {f.ui().AI_SHOW(0), f.ui().AI_SHOW(1)};
    const QColor fresh = readouts[0]->palette().color(QPalette::WindowText);
    const auto poll = [&f](const QByteArray& reply) {
        f.w().Timer2_Timer();
        f.port.receive(reply);
        f.ui().tickTimer1();
    };
    const auto dimmed = [&](int i) {
        QHelpEvent ask(QEvent::ToolTip, QPoint(2, 2), readouts[i]->mapToGlobal(QPoint(2, 2)));
        QCoreApplication::sendEvent(readouts[i], &ask); // the tooltip is asked for
        return readouts[i]->palette().color(QPalette::WindowText) != fresh;
    };

    poll(kReply);
    const QDateTime readAt = QDateTime::currentDateTime();
    age->setClock([readAt] { return readAt.addSecs(12); });
    poll({});
    poll(QByteArray::fromHex("018302C0F1")); // an exception reply refuses as well
    f.ui().Command_OK1->click();             // the echo of an address write: no poll
    f.port.receive(f.port.written.back());
    f.ui().tickTimer1();
    QVERIFY(!dimmed(0) && !dimmed(1) && readouts[0]->toolTip().isEmpty());

    poll(QByteArray::fromHex("01030400FA02580000"));
    for (int i : {0, 1}) {
        QVERIFY(dimmed(i));
        QCOMPARE(readouts[i]->toolTip(),
                 QStringLiteral("读数来自 %1（12 秒前）").arg(readAt.toString("HH:mm:ss")));
    }
    QCOMPARE(readouts[0]->text(), QStringLiteral("25.0℃"));
    QCOMPARE(readouts[1]->text(), QStringLiteral("60.0%"));
    auto* language = f.w().findChild<LanguagePart*>();
    const auto chinese = qScopeGuard([language] { language->choose(Language::Chinese); });
    language->choose(Language::English);
    QCoreApplication::processEvents(); // the change of language is posted
    QVERIFY2(readouts[1]->toolTip().contains(QStringLiteral("12 s ago")),
             qPrintable(readouts[1]->toolTip()));

    poll(kReply);
    QVERIFY(!dimmed(0) && !dimmed(1) && readouts[1]->toolTip().isEmpty());

    // Another model's tooltips (the readout's name, the read map) stay through the dimming
    // and the restoring, with the age beneath them while dimmed.
    QVERIFY(f.w().findChild<SensorModelPart*>()->choose(QStringLiteral("xy-md02")));
    const QString modelTips[] = {readouts[0]->toolTip(), readouts[1]->toolTip()};
    for (int i : {0, 1})
        QVERIFY2(modelTips[i].contains(QStringLiteral("XY-MD02")), qPrintable(modelTips[i]));
    QVERIFY(modelTips[0] != modelTips[1]);
    const QByteArray modelReply = AppendCRC(QByteArray::fromHex("02040400FA0258"), 6);
    f.ui().Combo_Addr(2)->setText(QStringLiteral("2"));
    poll(modelReply);
    QCOMPARE(readouts[1]->text(), QStringLiteral("60.0%"));
    age->setClock([] { return QDateTime::currentDateTime().addSecs(30); });
    for (int refused = 0; refused < ReadoutAge::kStaleCycles; ++refused)
        poll({});
    for (int i : {0, 1}) {
        QVERIFY(dimmed(i));
        const QString tip = readouts[i]->toolTip();
        QVERIFY2(tip.startsWith(modelTips[i] + QLatin1Char('\n')) && tip.endsWith(" s ago)"),
                 qPrintable(tip));
    }
    poll(modelReply);
    for (int i : {0, 1}) {
        QVERIFY(!dimmed(i));
        QCOMPARE(readouts[i]->toolTip(), modelTips[i]);
    }
}

// Both senders refuse before writing anything, after emptying the boxes and transcripts.
void TestAcquisition::refusalsSendNothing_data() {
    QTest::addColumn<bool>("poll"); // the poll tick, else the address change
    QTest::addColumn<bool>("portOpen");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("message");
    const auto row = [](const char* name, bool poll, bool open, const char* address,
                        const char* message) {
        QTest::newRow(name) << poll << open << QString::fromUtf8(address)
                            << QString::fromUtf8(message);
    };
    row("poll, port closed", true, false, "1", "请先打开串口！");
    row("poll, address empty", true, true, "", "模块地址未设置！");
    row("poll, address letters", true, true, "abc", "模块地址设置错误！");
    row("poll, address 256", true, true, "256", "模块地址设置错误！");
    row("poll, address fraction", true, true, "1.5", "模块地址设置错误！");
    row("poll, address negative", true, true, "-3", "模块地址设置错误！");
    row("change, port closed", false, false, "5", "请先打开串口！");
    row("change, address empty", false, true, "", "参数设置错误！");
    row("change, address letters", false, true, "five", "参数设置错误！");
    row("change, address 300", false, true, "300", "参数设置错误！");
    row("change, address negative", false, true, "-5", "参数设置错误！");
}

void TestAcquisition::refusalsSendNothing() {
    QFETCH(bool, poll);
    QFETCH(bool, portOpen);
    QFETCH(QString, address);
    QFETCH(QString, message);
    ToolRig f;
    if (portOpen)
        f.openPort();
    f.ui().Message_Show->setPlainText(QStringLiteral("old"));
    f.ui().Text1(0)->setPlainText(QStringLiteral("old"));
    f.ui().Text2->setPlainText(QStringLiteral("old"));
    f.port.receive(QByteArray::fromHex("01")); // something left from before
    QCOMPARE(f.w().exchange().receiveHex(), QStringLiteral("01 "));
    if (poll) {
        f.ui().Combo_Addr(2)->setText(address);
        f.ui().Command_OK3->click();
        f.w().Timer2_Timer();
        // Acquisition stops before the message, so no tick comes while it is shown.
        QCOMPARE(f.ui().Command_OK3->text(), QStringLiteral("采 集"));
        QVERIFY(!f.ui().Timer2.isActive());
    } else {
        f.ui().Combo_Addr(0)->setText(address);
        f.ui().Command_OK1->click();
        QVERIFY(f.sleeps.isEmpty());
    }
    QCOMPARE(f.messages.shown, QStringList{message});
    QVERIFY(f.port.written.empty());
    QVERIFY(!f.ui().Timer1.isActive());
    QVERIFY(f.ui().Message_Show->toPlainText().isEmpty());
    QVERIFY(f.ui().Text1(0)->toPlainText().isEmpty());
    QVERIFY(f.ui().Text2->toPlainText().isEmpty());
    QVERIFY(f.w().exchange().sendHex().isEmpty());
    QVERIFY(f.w().exchange().receiveHex().isEmpty());
}

void TestAcquisition::extremeAddressesGoOutUnchanged() {
    ToolRig f;
    f.openPort();
    f.ui().Command_OK3->click();
    f.ui().Combo_Addr(2)->setText(QStringLiteral("0"));
    f.w().Timer2_Timer();
    f.ui().Combo_Addr(2)->setText(QStringLiteral("255"));
    f.w().Timer2_Timer();
    f.ui().Combo_Addr(2)->setCurrentIndex(15); // a pick of "16" takes effect at the next tick
    f.w().Timer2_Timer();
    QCOMPARE(f.port.written.size(), size_t(3));
    QCOMPARE(f.port.written[0], QByteArray::fromHex("000300000002C5DA"));
    QCOMPARE(static_cast<quint8>(f.port.written[1][0]), quint8(0xFF));
    QCOMPARE(f.port.written[2], QByteArray::fromHex("100300000002C74A"));
}

void TestAcquisition::stoppingInsideTheReplyWindowJudgesButKeepsReadings() {
    ToolRig f;
    f.openPort();
    f.ui().Command_OK3->click();
    f.w().Timer2_Timer();
    f.ui().Command_OK3->click();
    QCOMPARE(f.ui().Command_OK3->text(), QStringLiteral("采 集"));
    QVERIFY(f.ui().Timer1.isActive()); // the pending judgement stays
    f.port.receive(kReply);
    QTRY_VERIFY_WITH_TIMEOUT(!f.ui().Timer1.isActive(), 1000);
    QCOMPARE(f.ui().Message_Show->toPlainText(), QStringLiteral("通讯数据正常！"));
    QVERIFY(f.ui().AI_SHOW(0)->text().isEmpty());
    QVERIFY(f.ui().AI_SHOW(1)->text().isEmpty());
    QVERIFY(!f.ui().Timer2.isActive());
    QCOMPARE(f.port.written.size(), size_t(1));
}

void TestAcquisition::twoClicksWithin700msSendNothing() {
    ToolRig f;
    f.openPort();
    f.ui().Command_OK3->click();
    f.ui().Command_OK3->click();
    QVERIFY(!f.ui().Timer2.isActive());
    QVERIFY(f.port.written.empty());
    QCOMPARE(f.ui().Command_OK3->text(), QStringLiteral("采 集"));
}

void TestAcquisition::failedWriteStopsAndShowsClosed() {
    ToolRig f;
    f.openPort();
    f.ui().Command_OK3->click();
    f.port.outputResult = {CommError::kIoFailure, QStringLiteral("Input/output error")};
    f.w().Timer2_Timer();
    QCOMPARE(f.messages.shown, QStringList{QStringLiteral("串口写入失败！")});
    QCOMPARE(f.ui().Command1->text(), QStringLiteral("打开串口"));
    QCOMPARE(f.w().line().openPortNumber(), 0);
    QCOMPARE(f.ui().Command_OK3->text(), QStringLiteral("采 集"));
    QVERIFY(!f.ui().Timer2.isActive());
    QVERIFY(!f.ui().Timer1.isActive());
    QCOMPARE(f.ui().Message_Show->toPlainText(), QStringLiteral("向 COM1 写入失败，串口已关闭"));
    QVERIFY(f.ui().Message_Show->toolTip().contains(QStringLiteral("Input/output error")));
}

void TestAcquisition::addressChange() {
    ToolRig f;
    f.openPort();
    f.ui().Combo_Addr(0)->setText(QStringLiteral("5"));
    f.ui().Command_OK1->click();
    QCOMPARE(f.port.written, std::vector<QByteArray>{QByteArray::fromHex("0006000000054818")});
    QCOMPARE(f.ui().Text1(0)->toPlainText(), QStringLiteral("00 06 00 00 00 05 48 18 "));
    QCOMPARE(f.sleeps, QList<int>{100});
    QVERIFY(f.ui().Timer1.isActive());
    f.port.receive(QByteArray::fromHex("0006000000054818"));
    f.ui().tickTimer1();
    QCOMPARE(f.ui().Text2->toPlainText(), QStringLiteral("00 06 00 00 00 05 48 18 "));
    QCOMPARE(f.ui().Message_Show->toPlainText(), QStringLiteral("通讯数据正常！"));
    QVERIFY(f.ui().AI_SHOW(0)->text().isEmpty());
    QCOMPARE(f.ui().Combo_Addr(2)->text(), QStringLiteral("1"));

    for (const auto& [text, byte] : {std::pair{"1", 0x01}, {"0", 0x00}, {"255", 0xFF}}) {
        f.ui().Combo_Addr(0)->setText(QString::fromLatin1(text));
        f.ui().Command_OK1->click();
        QCOMPARE(static_cast<int>(static_cast<quint8>(f.port.written.back()[5])), byte);
    }
    QCOMPARE(f.port.written[1], QByteArray::fromHex("00060000000149DB"));
}

void TestAcquisition::addressChangeLeavesAcquisitionRunning() {
    ToolRig f;
    f.openPort();
    f.ui().Command_OK3->click();
    f.ui().Command_OK1->click();
    QVERIFY(f.ui().Timer2.isActive());
    QCOMPARE(f.ui().Command_OK3->text(), QStringLiteral("停 止"));
}

void TestAcquisition::receivedBytesAccumulateInArrivalOrder() {
    ToolRig f;
    f.openPort();
    f.port.receive(QByteArray::fromHex("01"));
    f.port.receive(QByteArray::fromHex("0304"));
    f.port.receive({});
    f.port.raiseEvent(1);
    f.port.raiseEvent(1009);
    QCOMPARE(f.w().exchange().receiveHex(), QStringLiteral("01 03 04 "));
    f.port.receive(QByteArray::fromHex("0A"));
    QCOMPARE(f.w().exchange().receiveHex(), QStringLiteral("01 03 04 0A "));

    // A flood is capped in whole bytes and the port is still drained.
    for (int i = 0; i < 40; ++i)
        f.port.receive(QByteArray(1000, '\x55'));
    QCOMPARE(f.w().exchange().receiveHex().size(), ReceiveLimit::kMaxCharacters);
    QVERIFY(f.w().exchange().receiveHex().endsWith(QStringLiteral("55 ")));
    QVERIFY(f.port.input().isEmpty());
}

void TestAcquisition::statisticsWindowCountsTheLine() {
    ToolRig f;
    f.openPort();
    f.ui().Command_OK3->click();
    auto* action = f.w().findChild<QAction*>(QStringLiteral("statisticsAction"));
    QVERIFY(action);
    action->trigger();
    auto* window = f.w().findChild<StatisticsWindow*>();
    QVERIFY(window && window->isVisible());

    for (const QByteArray& reply :
         {kReply, kReply, QByteArray(), QByteArray::fromHex("01030400FA02580000"),
          QByteArray::fromHex("018302C0F1"), QByteArray::fromHex("01830B00F7"),
          QByteArray::fromHex("01830AC137")}) {
        f.w().Timer2_Timer();
        f.port.receive(reply);
        f.ui().tickTimer1();
    }
    using Row = StatisticsWindow::Row;
    QCOMPARE(window->value(Row::Requests), QStringLiteral("7"));
    QCOMPARE(window->value(Row::Accepted), QStringLiteral("2"));
    QCOMPARE(window->value(Row::Refused), QStringLiteral("5"));
    // A gateway's 0B counts as no reply, its 0A as a refusal of its own.
    QCOMPARE(window->value(ReplyFault::NoReply), QStringLiteral("2（0B 码 1 次）"));
    QCOMPARE(window->value(ReplyFault::CrcError), QStringLiteral("1"));
    QCOMPARE(window->value(ReplyFault::Exception), QStringLiteral("1（02 码 1 次）"));
    QCOMPARE(window->value(ReplyFault::GatewayRefused), QStringLiteral("1（0A 码 1 次）"));
    QCOMPARE(window->value(Row::GoodShare), QStringLiteral("28.6 %"));
    // The reply time is measured from the bytes the exchange took in.
    QVERIFY(QRegularExpression(QStringLiteral("^\\d+ / \\d+ / \\d+ ms$"))
                .match(window->value(Row::ReplyTimes))
                .hasMatch());
    // A request still waiting for its judgement counts as sent, not in the share.
    f.w().Timer2_Timer();
    QCOMPARE(window->value(Row::Requests), QStringLiteral("8"));
    QCOMPARE(window->value(Row::GoodShare), QStringLiteral("28.6 %"));

    // Closing keeps the counts for reading; an open whose configure fails keeps them too;
    // only a line really opened starts afresh.
    f.ui().Command_OK3->click();
    f.openPort();
    QCOMPARE(window->value(Row::Requests), QStringLiteral("8"));
    f.port.settingsResult = {CommError::kInvalidValue, QStringLiteral("refused")};
    f.openPort();
    QCOMPARE(f.ui().Command1->text(), PortCaption::Open());
    QCOMPARE(window->value(Row::Requests), QStringLiteral("8"));
    f.port.settingsResult = {};
    f.openPort();
    QCOMPARE(window->value(Row::Requests), QStringLiteral("0"));
    QCOMPARE(window->value(Row::GoodShare), QStringLiteral("—"));
}

void TestAcquisition::trendKeepsTheReadingsOfRunningAcquisition() {
    ToolRig f;
    f.openPort();
    f.ui().Command_OK3->click();
    const auto poll = [&](const QByteArray& reply) {
        f.w().Timer2_Timer();
        f.port.receive(reply);
        f.ui().tickTimer1();
    };
    poll(kReply);
    poll(QByteArray::fromHex("01030400FA02580000")); // refused: nothing to plot
    f.w().Timer2_Timer();
    f.port.receive(kReply);
    f.ui().Command_OK3->click(); // stopped before the check: not shown, not plotted
    f.ui().tickTimer1();
    f.ui().Command_OK3->click();
    poll(AppendCRC(QByteArray::fromHex("010304FF9C01F4"), 6)); // -10.0 ℃, 50.0 %

    auto* trend = f.w().findChild<TrendPart*>(QStringLiteral("trend"));
    QVERIFY(trend);
    const auto& points = trend->series().points();
    QCOMPARE(points.size(), size_t(2));
    QCOMPARE(points.front().temperature, 25.0f);
    QCOMPARE(points.front().humidity, 60.0f);
    QCOMPARE(points.back().temperature, -10.0f);
    QCOMPARE(points.back().humidity, 50.0f);
    QVERIFY(points.front().ms <= points.back().ms);
    QCOMPARE(trend->series().curveOf(0).sensor, (SensorOnPort{1, 1}));

    // The trend's curves: another address starts one; so do two refused cycles in a row
    // (one is bridged) and a pause of the poll; an address write is no cycle of the poll.
    const std::size_t curves = trend->series().curves().size();
    qint64 at = points.back().ms;
    for (const auto& [after, address] :
         std::vector<std::pair<qint64, int>>{{700, 2},
                                             {700, -2},
                                             {300, 0},
                                             {400, 2},
                                             {700, 2}, // another address, one miss
                                             {700, -2},
                                             {700, -2},
                                             {700, 2}, // two misses
                                             {TrendPart::kPauseMs + 1, 2},
                                             {700, 2}}) { // a pause
        JudgedCycle cycle;
        cycle.time = QDateTime::fromMSecsSinceEpoch(at += after);
        cycle.address = std::abs(address);
        cycle.addressWrite = address == 0;
        cycle.verdict.fault = address > 0 ? ReplyFault::None : ReplyFault::NoReply;
        if (address > 0)
            cycle.readings = ModelReadings{Readout{215, 1, QStringLiteral("21.5℃")},
                                           Readout{400, 1, QStringLiteral("40.0%")}};
        trend->keep(cycle);
    }
    QCOMPARE(trend->series().curves().size(), curves + 3);
    QCOMPARE(trend->series().curves().back().sensor, (SensorOnPort{2, 1}));
    QCOMPARE(trend->series().points().size(), size_t(2 + 6));
}

// A message box on the way out (com.txt unwritable) runs the event loop: nothing may be
// sent, judged or complained about after the window closed.
void TestAcquisition::closingInsideACycleEndsTheExchange() {
    ToolRig f;
    f.openPort();
    f.ui().Command_OK3->click();
    f.w().Timer2_Timer();
    QVERIFY(f.ui().Timer1.isActive());
    f.w().show();
    QVERIFY(f.w().close());
    QVERIFY(!f.ui().Timer1.isActive() && !f.ui().Timer2.isActive());
    QCoreApplication::processEvents();
    QCOMPARE(f.port.written.size(), size_t(1));
    QVERIFY(f.ui().Message_Show->toPlainText().isEmpty());
    QVERIFY(f.messages.shown.isEmpty());
}

void TestAcquisition::recordRowsCarryAddressReasonAndTheirOwnCount() {
    ToolRig f;
    f.openPort();
    f.ui().Combo_Addr(2)->setText(QStringLiteral("171"));
    f.ui().Command_OK3->click();
    const QString first = f.dir.filePath(QStringLiteral("first.csv"));
    QString error;
    QVERIFY(f.w().recording().start(first, RecordFile::Mode::Replace, &error));
    const QByteArray reply171 = AppendCRC(QByteArray::fromHex("AB030400FB0259"), 6);
    QByteArray spoiled = reply171;
    spoiled[spoiled.size() - 1] = static_cast<char>(spoiled.back() ^ 0x21);
    // A gateway's codes keep their own tokens, as the sensor's exception codes do.
    const QByteArray gatewaySilent = AppendCRC(QByteArray::fromHex("AB830B"), 2);
    const QByteArray gatewayRefused = AppendCRC(QByteArray::fromHex("AB830A"), 2);
    for (const QByteArray& reply :
         {reply171, QByteArray(), spoiled, gatewaySilent, gatewayRefused}) {
        f.w().Timer2_Timer();
        f.port.receive(reply);
        f.ui().tickTimer1();
    }
    // Not acquisition's cycles: an address write's echo, and a cycle judged after 停 止.
    f.ui().Command_OK1->click();
    f.port.receive(f.port.written.back());
    f.ui().tickTimer1();
    QCOMPARE(f.ui().Message_Show->toPlainText(), Caption::Good());
    f.w().Timer2_Timer();
    f.ui().Command_OK3->click();
    f.port.receive(reply171);
    f.ui().tickTimer1();
    QCOMPARE(f.ui().Message_Show->toPlainText(), Caption::Good());
    QCOMPARE(f.w().recording().recorder().rows(), 5);
    f.w().recording().stop();
    f.ui().Command_OK3->click();

    // A second recording in the same run counts only its own rows.
    const QString second = f.dir.filePath(QStringLiteral("second.csv"));
    QVERIFY(f.w().recording().start(second, RecordFile::Mode::Replace, &error));
    f.w().Timer2_Timer();
    f.ui().tickTimer1();
    QCOMPARE(f.w().recording().recorder().rows(), 1);
    f.w().recording().stop();

    QFile file(first);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> rows = file.readAll().trimmed().split('\n').mid(1);
    QCOMPARE(rows.size(), 5);
    QCOMPARE(rows[0].split(',').at(1), QByteArray("171"));
    QCOMPARE(rows[0].split(',').at(2), QByteArray("ok"));
    QCOMPARE(rows[0].split(',').at(3), QByteArray("25.1"));
    QCOMPARE(rows[0].split(',').at(4), QByteArray("60.1"));
    QCOMPARE(rows[1].split(',').at(1), QByteArray("171"));
    QCOMPARE(rows[1].trimmed().split(',').at(7), QByteArray("no_reply"));
    QCOMPARE(rows[2].split(',').at(2), QByteArray("error"));
    QCOMPARE(rows[2].trimmed().split(',').at(7), QByteArray("crc"));
    QCOMPARE(rows[3].trimmed().split(',').at(7), QByteArray("exception_0b"));
    QCOMPARE(rows[4].trimmed().split(',').at(7), QByteArray("exception_0a"));
}

QTEST_MAIN(TestAcquisition)
#include "test_acquisition.moc"
