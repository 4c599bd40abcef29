// SPDX-License-Identifier: MIT
// The window with the real serial-port service against the virtual sensor on a
// pseudo-terminal, with real timers.
#include "fixture_process.h"
#include "handover/handover_dialog.h"
#include "line_rig.h"
#include "model_identification.h"
#include "record/recording_part.h"
#include "scan/scan_dialog.h"
#include "sensor_exchange.h"
#include "sensor_scan.h"
#include "trend/trend_part.h"
#include "watch/bus_watch_part.h"
#include "watch/bus_watch_window.h"
#include "watch/watch_table_model.h"
#include "window/lamp.h"

#include <QAction>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

class TestEndToEnd : public QObject {
    Q_OBJECT
private slots:
    void portLifecycleAndSettingsRoundTrip();
    void fullCycleShowsFramesAndReadings();
    void silentSensorIsJudged500msAfterEachRequest();
    void verdictsOnTheLine_data();
    void verdictsOnTheLine();
    void lateReplyBytesAreDiscardedOrStandInFront();
    void addressChangeIsEchoedAndReadingsStay();
    void stoppingInsideTheReplyWindow();
    void refusalsStopAcquisition();
    void vanishingSensorStopsAcquisitionOnce();
    void cadenceOnTheWire();
    void scanFindsSensorsAtAnotherRateAndUsesOne();
    void sensorBehindASerialServer();
    void busWatchOfThreeWithOneSilent();
    void mixedBusWatchedAndRecordedByModel();
    void scanNamesTheModelsAndWatchesEachByItsOwn();
    void humidityFirstModelPolledAndReaddressedItsWay();
    void addressAfterAPowerCycleConfirmedWhenTheOperatorSays();
};

void TestEndToEnd::portLifecycleAndSettingsRoundTrip() {
    SensorRig rig(3);
    QVERIFY(rig.sensor.start({QStringLiteral("--flood"), QStringLiteral("200")}));
    rig.startWindow();
    QCOMPARE(rig.ui().Combo1->text(), QStringLiteral("COM3"));
    rig.ui().Command1->click();
    QCOMPARE(rig.ui().Command1->text(), QStringLiteral("关闭串口"));
    QCOMPARE(rig.ui().Shape1->fillColor(), QColor(0, 255, 0));
    QVERIFY(rig.messages.shown.isEmpty());
    // Bytes from the line accumulate while nothing empties them.
    QTRY_VERIFY(rig.w().exchange().receiveHex().size() > 30);
    rig.ui().Command1->click();
    QCOMPARE(rig.ui().Command1->text(), QStringLiteral("打开串口"));
    QCOMPARE(rig.ui().Shape1->fillColor(), QColor(0, 0, 0));

    // Busy while another program holds it.
    {
        PortHolder holder;
        QVERIFY(holder.hold(QFileInfo(rig.sensor.linkPath()).canonicalFilePath()));
        rig.ui().Command1->click();
        QCOMPARE(rig.messages.shown, QStringList{QStringLiteral("串口已打开！")});
        QCOMPARE(rig.ui().Command1->text(), QStringLiteral("打开串口"));
    }
    // COM9 does not exist.
    rig.ui().Combo1->setListIndex(8);
    rig.ui().Command1->click();
    QCOMPARE(rig.messages.shown.last(), QStringLiteral("串口不存在！"));

    rig.ui().Combo1->setListIndex(2);
    rig.w().close();
    QCOMPARE(rig.comTxt(), QByteArray("3\r\n9600\r\n"));
    rig.startWindow();
    QCOMPARE(rig.ui().Combo1->text(), QStringLiteral("COM3"));
    QCOMPARE(rig.ui().Combo1->listIndex(), 2);
}

void TestEndToEnd::fullCycleShowsFramesAndReadings() {
    SensorRig rig;
    QVERIFY(rig.startPolling({QStringLiteral("--temperature"), QStringLiteral("-57"),
                              QStringLiteral("--humidity"), QStringLiteral("613")}));
    for (int cycle = 0; cycle < 3; ++cycle) {
        QCOMPARE(rig.nextVerdict(), kGood);
        QCOMPARE(rig.ui().Text1(0)->toPlainText(), QStringLiteral("01 03 00 00 00 02 C4 0B "));
        QCOMPARE(rig.ui().Text2->toPlainText().left(9), QStringLiteral("01 03 04 "));
        QCOMPARE(rig.ui().AI_SHOW(0)->text(), QStringLiteral("-5.7℃"));
        QCOMPARE(rig.ui().AI_SHOW(1)->text(), QStringLiteral("61.3%"));
    }
    QVERIFY(rig.messages.shown.isEmpty());
}

void TestEndToEnd::silentSensorIsJudged500msAfterEachRequest() {
    SensorRig rig;
    QVERIFY(rig.sensor.start({QStringLiteral("--silent")}));
    rig.startWindow();
    rig.ui().Command1->click();
    QElapsedTimer sinceRequest;
    QList<qint64> delays;
    QObject::connect(rig.ui().Text1(0), &QPlainTextEdit::textChanged, rig.ui().Text1(0), [&] {
        if (!rig.ui().Text1(0)->toPlainText().isEmpty())
            sinceRequest.start();
    });
    QObject::connect(rig.ui().Message_Show, &QPlainTextEdit::textChanged, rig.ui().Message_Show,
                     [&] {
                         if (rig.status() == kBad)
                             delays << sinceRequest.elapsed();
                     });
    rig.ui().Command_OK3->click();
    QTRY_VERIFY_WITH_TIMEOUT(delays.size() >= 3, 4000);
    for (const qint64 delay : delays)
        QVERIFY2(delay >= 495 && delay <= 530, qPrintable(QString::number(delay)));
    QVERIFY(rig.ui().Text2->toPlainText().isEmpty());
    QVERIFY(rig.ui().AI_SHOW(0)->text().isEmpty());
}

void TestEndToEnd::verdictsOnTheLine_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("verdict");
    QTest::newRow("wrong CRC") << QStringList{"--bad-crc"} << kBad;
    QTest::newRow("one byte at a time") << QStringList{"--chunk", "1", "--gap", "15"} << kGood;
    QTest::newRow("three pieces") << QStringList{"--chunk", "3", "--gap", "60"} << kGood;
    QTest::newRow("exception reply") << QStringList{"--exception"} << kBad;
    QTest::newRow("garbage before the reply") << QStringList{"--garbage", "2"} << kBad;
    QTest::newRow("reply after 520 ms") << QStringList{"--delay", "520"} << kBad;
}

void TestEndToEnd::verdictsOnTheLine() {
    QFETCH(QStringList, options);
    QFETCH(QString, verdict);
    SensorRig rig;
    QVERIFY(rig.startPolling(options + QStringList{"--temperature", "-15", "--humidity", "421"}));
    QCOMPARE(rig.nextVerdict(), verdict);
    const bool decoded = verdict == kGood;
    QCOMPARE(rig.ui().AI_SHOW(0)->text(), decoded ? QStringLiteral("-1.5℃") : QString());
    QCOMPARE(rig.ui().AI_SHOW(1)->text(), decoded ? QStringLiteral("42.1%") : QString());
    QCOMPARE(rig.ui().Text2->toPlainText().isEmpty(), !decoded);
}

void TestEndToEnd::lateReplyBytesAreDiscardedOrStandInFront() {
    {
        // Arrives after the check, before the next tick: discarded by that tick.
        SensorRig rig;
        QVERIFY(rig.startPolling({QStringLiteral("--delay"), QStringLiteral("600")}));
        QCOMPARE(rig.nextVerdict(), kBad);
        QCOMPARE(rig.nextVerdict(), kBad);
        QVERIFY(rig.w().exchange().receiveHex().isEmpty()); // the previous reply did not carry over
        QTRY_COMPARE_WITH_TIMEOUT(rig.w().exchange().receiveHex().size(), 27, 1000);
    }
    {
        // The tail arrives after the next tick and stands in front of what comes next.
        SensorRig rig;
        QVERIFY(rig.startPolling({QStringLiteral("--delay"), QStringLiteral("640"),
                                  QStringLiteral("--chunk"), QStringLiteral("5"),
                                  QStringLiteral("--gap"), QStringLiteral("120")}));
        QCOMPARE(rig.nextVerdict(), kBad);
        QCOMPARE(rig.nextVerdict(), kBad);
        QCOMPARE(rig.w().exchange().receiveHex().size(),
                 12); // the last 4 bytes of the earlier reply
        QVERIFY(!rig.w().exchange().receiveHex().startsWith(QStringLiteral("01 03")));
    }
}

void TestEndToEnd::addressChangeIsEchoedAndReadingsStay() {
    SensorRig rig;
    QVERIFY(rig.startPolling({QStringLiteral("--temperature"), QStringLiteral("250"),
                              QStringLiteral("--humidity"), QStringLiteral("600")}));
    QCOMPARE(rig.nextVerdict(), kGood);
    rig.ui().Command_OK3->click(); // stop
    QTRY_VERIFY(!rig.ui().Timer1.isActive());

    rig.ui().Combo_Addr(0)->setText(QStringLiteral("5"));
    QElapsedTimer clock;
    clock.start();
    rig.ui().Command_OK1->click();
    QVERIFY(clock.elapsed() >= 100); // the pause after the write
    QCOMPARE(rig.ui().Text1(0)->toPlainText(), QStringLiteral("00 06 00 00 00 05 48 18 "));
    QTRY_COMPARE_WITH_TIMEOUT(rig.status(), kGood, 1000);
    QCOMPARE(rig.ui().Text2->toPlainText(), QStringLiteral("00 06 00 00 00 05 48 18 "));
    QCOMPARE(rig.ui().AI_SHOW(0)->text(), QStringLiteral("25.0℃"));
    QCOMPARE(rig.ui().AI_SHOW(1)->text(), QStringLiteral("60.0%"));
    const auto received = rig.sensor.frames(QStringLiteral("RX"));
    QVERIFY(!received.empty());
    QCOMPARE(received.back().hex, QStringLiteral("00 06 00 00 00 05 48 18 "));

    // The sensor now answers at 5 only.
    rig.ui().Command_OK3->click();
    QCOMPARE(rig.nextVerdict(), kBad);
    rig.ui().Combo_Addr(2)->setText(QStringLiteral("5"));
    // The text is read afresh at the next tick.
    QCOMPARE(rig.nextVerdict(), kGood);
    QCOMPARE(rig.ui().Text1(0)->toPlainText().left(5), QStringLiteral("05 03"));
}

void TestEndToEnd::stoppingInsideTheReplyWindow() {
    SensorRig rig;
    QVERIFY(rig.startPolling());
    QTRY_VERIFY_WITH_TIMEOUT(!rig.w().exchange().sendHex().isEmpty(), 1500);
    rig.ui().Command_OK3->click();
    QTRY_COMPARE_WITH_TIMEOUT(rig.status(), kGood, 1000);
    QVERIFY(rig.ui().AI_SHOW(0)->text().isEmpty());
    QVERIFY(rig.ui().AI_SHOW(1)->text().isEmpty());
    QVERIFY(!rig.ui().Timer2.isActive());
    QCOMPARE(rig.sensor.frames(QStringLiteral("RX")).size(), size_t(1));
}

void TestEndToEnd::refusalsStopAcquisition() {
    SensorRig rig;
    QVERIFY(rig.sensor.start());
    rig.startWindow();
    rig.ui().Command_OK3->click(); // port still closed
    QTRY_COMPARE_WITH_TIMEOUT(rig.messages.shown, QStringList{QStringLiteral("请先打开串口！")},
                              1500);
    QCOMPARE(rig.ui().Command_OK3->text(), QStringLiteral("采 集"));

    rig.ui().Command1->click();
    rig.ui().Command_OK3->click();
    QCOMPARE(rig.nextVerdict(), kGood);
    rig.ui().Combo_Addr(2)->setText(QString());
    QTRY_COMPARE_WITH_TIMEOUT(rig.messages.shown.size(), 2, 1500);
    QCOMPARE(rig.messages.shown.last(), QStringLiteral("模块地址未设置！"));
    QCOMPARE(rig.ui().Command_OK3->text(), QStringLiteral("采 集"));
    QVERIFY(!rig.ui().Timer2.isActive());
}

void TestEndToEnd::vanishingSensorStopsAcquisitionOnce() {
    SensorRig rig;
    QVERIFY(rig.startPolling());
    QCOMPARE(rig.nextVerdict(), kGood);
    QVERIFY(rig.sensor.stop());
    QTRY_COMPARE_WITH_TIMEOUT(rig.messages.shown.size(), 1, 2000);
    // Nothing left to tick that could say it again.
    QVERIFY(!rig.ui().Timer1.isActive() && !rig.ui().Timer2.isActive());
    QCOMPARE(rig.messages.shown, QStringList{QStringLiteral("串口已断开！")});
    // Still the reason, in the tool's words, with the device; no verdict over it.
    QVERIFY2(rig.status().startsWith(QStringLiteral("COM1（/dev/pts/")), qPrintable(rig.status()));
    QVERIFY(rig.status().endsWith(QStringLiteral("）已断开")));
    QCOMPARE(rig.ui().Command1->text(), QStringLiteral("打开串口"));
    QCOMPARE(rig.ui().Shape1->fillColor(), QColor(0, 0, 0));
    QCOMPARE(rig.ui().Command_OK3->text(), QStringLiteral("采 集"));

    // The sensor comes back; one click opens the port again.
    QVERIFY(rig.sensor.start());
    rig.ui().Command1->click();
    QCOMPARE(rig.ui().Command1->text(), QStringLiteral("关闭串口"));
    rig.ui().Command_OK3->click();
    QCOMPARE(rig.nextVerdict(), kGood);
}

void TestEndToEnd::cadenceOnTheWire() {
    SensorRig rig;
    QVERIFY(rig.startPolling());
    // A real event loop: QTest's waits sleep in 10 ms steps, which would jitter the ticks.
    QEventLoop loop;
    QTimer::singleShot(22 * 700 + 300, &loop, &QEventLoop::quit);
    loop.exec();
    rig.ui().Command_OK3->click();
    const auto frames = rig.sensor.frames(QStringLiteral("RX"));
    std::vector<double> spacing;
    for (size_t i = 1; i < frames.size(); ++i)
        spacing.push_back((frames[i].seconds - frames[i - 1].seconds) * 1000);
    std::nth_element(spacing.begin(), spacing.begin() + spacing.size() / 2, spacing.end());
    const double median = spacing[spacing.size() / 2];
    qInfo("median request spacing over %zu cycles: %.2f ms", spacing.size(), median);
    QVERIFY(spacing.size() >= 20);
    QVERIFY2(std::abs(median - 700) <= 3, qPrintable(QString::number(median)));
}

void TestEndToEnd::scanFindsSensorsAtAnotherRateAndUsesOne() {
    SensorRig rig;
    QVERIFY(rig.startPolling({QStringLiteral("--address"), QStringLiteral("3,7"),
                              QStringLiteral("--baud"), QStringLiteral("4800")}));
    auto* scanAction = rig.w().findChild<QAction*>(QStringLiteral("scanAction"));
    QVERIFY(scanAction);
    // Not while polling: it says why and opens nothing.
    scanAction->trigger();
    QCOMPARE(rig.messages.shown, QStringList{QStringLiteral("请先停止采集！")});
    QVERIFY(!rig.w().findChild<ScanDialog*>());
    rig.ui().Command_OK3->click();

    scanAction->trigger();
    auto* dialog = rig.w().findChild<ScanDialog*>();
    QVERIFY(dialog);
    const auto child = [&](const char* name) {
        return dialog->findChild<QWidget*>(QLatin1String(name));
    };
    QVERIFY(static_cast<QCheckBox*>(child("rate9600"))->isChecked()); // the current rate
    auto* scan = dialog->findChild<SensorScan*>();
    QVERIFY(scan);
    QSignalSpy ended(scan, &SensorScan::finished);

    // Cancelled halfway through the other rate, the line is as it was.
    static_cast<QCheckBox*>(child("rate4800"))->setChecked(true);
    static_cast<QPushButton*>(child("start"))->click();
    QTRY_VERIFY_WITH_TIMEOUT(scan->done() > 20, 10000);
    QCOMPARE(rig.realPort->appliedSettings(), QStringLiteral("4800,N,8,1"));
    static_cast<QPushButton*>(child("cancel"))->click();
    QCOMPARE(ended.count(), 1);
    QCOMPARE(rig.realPort->appliedSettings(), QStringLiteral("9600,N,8,1"));

    static_cast<QSpinBox*>(child("lastAddress"))->setValue(10);
    static_cast<QCheckBox*>(child("rate9600"))->setChecked(false);
    static_cast<QPushButton*>(child("start"))->click();
    QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 2, 5000);
    QCOMPARE(ended.last().at(0).toBool(), true);
    QCOMPARE(rig.realPort->appliedSettings(), QStringLiteral("9600,N,8,1"));
    auto* results = static_cast<QTableWidget*>(child("results"));
    QCOMPARE(results->rowCount(), 2);
    QCOMPARE(results->item(0, 0)->text(), QStringLiteral("3"));
    QCOMPARE(results->item(1, 0)->text(), QStringLiteral("7"));
    QCOMPARE(results->item(1, 1)->text(), QStringLiteral("4800"));
    QCOMPARE(results->item(1, 2)->text(), QStringLiteral("8N1"));
    QVERIFY(results->item(1, 3)->text().endsWith(QStringLiteral("℃")));
    QVERIFY(results->item(1, 4)->text().endsWith(QStringLiteral("%")));
    // Nothing but read requests went out: 03, and 04 where identification asks for it.
    for (const char* direction : {"RX", "RX-RATE"}) {
        for (const auto& frame : rig.sensor.frames(QLatin1String(direction)))
            QVERIFY2(frame.hex.mid(3, 2) == QStringLiteral("03") ||
                         frame.hex.mid(3, 2) == QStringLiteral("04"),
                     qPrintable(frame.hex));
    }

    results->selectRow(1);
    static_cast<QPushButton*>(child("use"))->click();
    QCOMPARE(rig.ui().Combo_Addr(2)->text(), QStringLiteral("7"));
    QCOMPARE(rig.ui().Combo2->text(), QStringLiteral("4800"));
    QCOMPARE(rig.ui().Command1->text(), QStringLiteral("关闭串口"));
    QCOMPARE(rig.realPort->appliedSettings(), QStringLiteral("4800,N,8,1"));
    // The next scan starts from, and goes back to, the rate the port has now.
    scanAction->trigger();
    auto* again = rig.w().findChild<ScanDialog*>();
    QVERIFY(again->findChild<QCheckBox*>(QStringLiteral("rate4800"))->isChecked());
    again->findChild<QCheckBox*>(QStringLiteral("rate9600"))->setChecked(true);
    again->findChild<QSpinBox*>(QStringLiteral("lastAddress"))->setValue(10);
    again->findChild<QSpinBox*>(QStringLiteral("timeout"))->setValue(20);
    again->findChild<QPushButton*>(QStringLiteral("start"))->click();
    QTRY_VERIFY_WITH_TIMEOUT(again->findChild<SensorScan*>()->done() > 12,
                             5000); // into the 9600 pass
    again->close();                 // as the window's close button does
    QCOMPARE(rig.realPort->appliedSettings(), QStringLiteral("4800,N,8,1"));
    rig.ui().Command_OK3->click();
    QCOMPARE(rig.nextVerdict(), kGood);
    QVERIFY(rig.ui().Text2->toPlainText().startsWith(QStringLiteral("07 03 04 ")));
    rig.ui().Command_OK3->click();

    // 全部监视 from a scan at another rate than the port's: the port follows the sensors.
    rig.ui().Combo2->setListIndex(1); // 9600 closes the port
    rig.ui().Command1->click();
    QCOMPARE(rig.realPort->appliedSettings(), QStringLiteral("9600,N,8,1"));
    scanAction->trigger();
    auto* third = rig.w().findChild<ScanDialog*>();
    third->findChild<QCheckBox*>(QStringLiteral("rate9600"))->setChecked(false);
    third->findChild<QCheckBox*>(QStringLiteral("rate4800"))->setChecked(true);
    third->findChild<QSpinBox*>(QStringLiteral("lastAddress"))->setValue(8);
    third->findChild<QPushButton*>(QStringLiteral("start"))->click();
    QTRY_VERIFY_WITH_TIMEOUT(!third->scanning(), 5000);
    third->findChild<QPushButton*>(QStringLiteral("watchAll"))->click();
    auto* part = rig.w().findChild<BusWatchPart*>();
    QVERIFY(part->running());
    QCOMPARE(rig.realPort->appliedSettings(), QStringLiteral("4800,N,8,1"));
    QCOMPARE(rig.ui().Combo2->text(), QStringLiteral("4800"));
    QCOMPARE(part->tally().sensors().size(), size_t(2));
    QTRY_COMPARE_WITH_TIMEOUT(part->tally().sensors().at(1).good, 1, 2000);
    QCOMPARE(part->tally().sensors().at(1).address, 7);
    part->stop();
    rig.w().close();
    QCOMPARE(rig.comTxt(), QByteArray("1\r\n4800\r\n"));
}

// The README's recipe for an Ethernet serial server: the server's side is the virtual sensor
// behind a TCP listener, the tool's side a pseudo-terminal linked as COM5 and bridged to it.
void TestEndToEnd::sensorBehindASerialServer() {
    const QString socat = QStandardPaths::findExecutable(QStringLiteral("socat"));
    QVERIFY2(!socat.isEmpty(), "socat is not installed");
    QTemporaryDir serverDir;
    SimProcess server(serverDir.path(), 9);
    QVERIFY(server.start({QStringLiteral("--temperature"), QStringLiteral("231")}));
    const QString tcpPort = QString::number(20000 + QCoreApplication::applicationPid() % 20000);

    QProcess listener;
    EndWithTheTest(listener);
    listener.start(socat, {QStringLiteral("TCP-LISTEN:%1,bind=127.0.0.1,reuseaddr").arg(tcpPort),
                           QStringLiteral("FILE:%1,rawer").arg(server.linkPath())});
    QVERIFY(listener.waitForStarted());
    SensorRig rig(5);
    QProcess bridge;
    EndWithTheTest(bridge);
    const QString link = rig.dir.filePath(QStringLiteral("COM5"));
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            if (bridge.state() == QProcess::NotRunning)
                bridge.start(socat, {QStringLiteral("PTY,link=%1,rawer").arg(link),
                                     QStringLiteral("TCP:127.0.0.1:%1").arg(tcpPort)});
            return QFileInfo::exists(link);
        }(),
        5000);

    rig.startWindow();
    rig.ui().Command1->click();
    QCOMPARE(rig.ui().Command1->text(), QStringLiteral("关闭串口"));
    rig.ui().Command_OK3->click();
    QCOMPARE(rig.nextVerdict(), kGood);
    QCOMPARE(rig.ui().AI_SHOW(0)->text(), QStringLiteral("23.1℃"));
    rig.ui().Command_OK3->click();
    rig.ui().Command1->click();
    bridge.terminate();
    listener.terminate();
    QVERIFY(bridge.waitForFinished(3000) && listener.waitForFinished(3000));
}

// Three sensors on the line with a line's timing, one of them silent: the table shows two
// readings and the silent one marked, the record has a row for every turn, the trend a
// series for each that answered; stopped, the line is the poll's again.
void TestEndToEnd::busWatchOfThreeWithOneSilent() {
    SensorRig rig;
    QVERIFY(rig.startPolling({QStringLiteral("--address"), QStringLiteral("4,9,31"),
                              QStringLiteral("--silent-address"), QStringLiteral("9"),
                              QStringLiteral("--turnaround"), QStringLiteral("2")},
                             false));
    QString error;
    QVERIFY(rig.w().recording().start(rig.filePath(QStringLiteral("watch.csv")),
                                      RecordFile::Mode::Replace, &error));
    rig.w().findChild<QAction*>(QStringLiteral("watchAction"))->trigger();
    auto* window = rig.w().findChild<BusWatchWindow*>();
    QVERIFY(window);
    window->findChild<QLineEdit*>(QStringLiteral("watchAddresses"))
        ->setText(QStringLiteral("4, 9, 31"));
    window->findChild<QSpinBox*>(QStringLiteral("watchTimeout"))->setValue(80);
    window->findChild<QPushButton*>(QStringLiteral("startWatch"))->click();
    auto* part = rig.w().findChild<BusWatchPart*>();
    QTRY_VERIFY_WITH_TIMEOUT(part->tally().sensors().at(1).silent(), 4000);

    const QStringList rows = window->tableText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(rows.size(), 4);
    const QStringList first = rows[1].split(QLatin1Char('\t'));
    const QStringList silent = rows[2].split(QLatin1Char('\t'));
    const QStringList last = rows[3].split(QLatin1Char('\t'));
    QCOMPARE(first.at(0), QStringLiteral("4"));
    QVERIFY2(first.at(1).endsWith(QStringLiteral("℃")), qPrintable(rows[1]));
    QCOMPARE(first.at(3), QStringLiteral("正常"));
    QCOMPARE(first.at(5), QStringLiteral("100.0 %"));
    // A line's timing: at 9600 Bd a reply takes some 20 ms, not a fraction of one.
    QVERIFY2(first.at(6).toInt() >= 15, qPrintable(rows[1]));
    QCOMPARE(silent.at(0), QStringLiteral("9"));
    QVERIFY2(silent.at(3).startsWith(QStringLiteral("无回复（已 ")), qPrintable(rows[2]));
    QVERIFY(silent.at(1).isEmpty());
    QCOMPARE(last.at(0), QStringLiteral("31"));
    QCOMPARE(last.at(3), QStringLiteral("正常"));
    QVERIFY(rig.w().findChild<TrendPart*>()->watchedSeries(31));
    QVERIFY(!rig.w().findChild<TrendPart*>()->watchedSeries(9));

    part->stop();
    rig.w().recording().stop();
    QFile file(rig.filePath(QStringLiteral("watch.csv")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().trimmed().split('\n').mid(1);
    QVERIFY(lines.size() >= 8); // three rounds, the last up to the silent one
    for (const QByteArray& line : lines) {
        const QList<QByteArray> fields = line.trimmed().split(',');
        if (fields.at(1) == "9")
            QCOMPARE(fields.at(7), QByteArray("no_reply"));
        else
            QCOMPARE(fields.at(2), QByteArray("ok"));
    }

    // The poll has the line again.
    rig.ui().Combo_Addr(2)->setText(QStringLiteral("31"));
    rig.ui().Command_OK3->click();
    QCOMPARE(rig.nextVerdict(), kGood);
}

QTEST_MAIN(TestEndToEnd)
#include "test_end_to_end.moc"

// Three models on one line: each row reads its own map, names its model, and the record
// carries each model and the port after the columns it always had.
void TestEndToEnd::mixedBusWatchedAndRecordedByModel() {
    SensorRig rig(2);
    QVERIFY(rig.startPolling({QStringLiteral("--bus"),
                              QStringLiteral("4:default,7:xy-md02,12:jxct-soil"),
                              QStringLiteral("--temperature"), QStringLiteral("-37"),
                              QStringLiteral("--humidity"), QStringLiteral("486")},
                             false));
    QString error;
    QVERIFY(rig.w().recording().start(rig.filePath(QStringLiteral("mixed.csv")),
                                      RecordFile::Mode::Replace, &error));
    const SensorCatalogue& catalogue = rig.w().findChild<SensorModelPart*>()->catalogue();
    auto* part = rig.w().findChild<BusWatchPart*>();
    const char* const modelIds[] = {"default", "xy-md02", "jxct-soil"};
    QVERIFY(part->watch({4, 7, 12}, 120, {},
                        {*catalogue.find(QStringLiteral("default")),
                         *catalogue.find(QStringLiteral("xy-md02")),
                         *catalogue.find(QStringLiteral("jxct-soil"))}));
    QTRY_VERIFY_WITH_TIMEOUT(std::all_of(part->tally().sensors().begin(),
                                         part->tally().sensors().end(),
                                         [](const SensorTally& s) { return s.good >= 2; }),
                             4000);
    const QStringList rows =
        part->window()->tableText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(rows.size(), 4);
    const QStringList names = {QStringLiteral("本工具的传感器"),
                               QStringLiteral("SHT20 导轨模块（XY-MD02 类）"),
                               QStringLiteral("土壤温湿度探头（JXCT 类）")};
    for (int row = 1; row <= 3; ++row) {
        const QStringList cells = rows[row].split(QLatin1Char('\t'));
        QCOMPARE(cells.at(1), QStringLiteral("-3.7℃"));
        QCOMPARE(cells.at(2), QStringLiteral("48.6%"));
        QCOMPARE(cells.at(3), QStringLiteral("正常"));
        QCOMPARE(cells.at(WatchTableModel::kModel), names.at(row - 1));
    }
    // Each turn asked with its model's read.
    const auto received = rig.sensor.frames(QStringLiteral("RX"));
    QVERIFY(std::any_of(received.begin(), received.end(), [](const SimProcess::Frame& f) {
        return f.hex.startsWith(QStringLiteral("07 04 00 01 00 02 "));
    }));
    QVERIFY(std::any_of(received.begin(), received.end(), [](const SimProcess::Frame& f) {
        return f.hex.startsWith(QStringLiteral("0C 03 00 12 00 02 "));
    }));

    // Handed over while watched: every watched sensor with its own model, in one dialog.
    rig.w().findChild<QAction*>(QStringLiteral("handoverAction"))->trigger();
    auto* handover = rig.w().findChild<HandoverDialog*>();
    QVERIFY(handover);
    QCOMPARE(handover->bus().sensors.size(), 3);
    for (int index = 0; index < 3; ++index)
        QCOMPARE(handover->bus().sensors[index].model.id, QString::fromLatin1(modelIds[index]));
    const QString telegraf =
        handover->findChild<QPlainTextEdit*>(QStringLiteral("preview-telegraf"))->toPlainText();
    for (const char* slave : {"slave_id = 4", "slave_id = 7", "slave_id = 12"})
        QVERIFY2(telegraf.contains(QLatin1String(slave)), slave);

    part->stop();
    rig.w().recording().stop();
    QFile file(rig.filePath(QStringLiteral("mixed.csv")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().trimmed().split('\n');
    QVERIFY(lines.first().trimmed().endsWith(",request,reply,reason,model,port"));
    const QMap<QByteArray, QByteArray> modelOf = {
        {"4", "default"}, {"7", "xy-md02"}, {"12", "jxct-soil"}};
    for (const QByteArray& line : lines.mid(1)) {
        const QList<QByteArray> fields = line.trimmed().split(',');
        QCOMPARE(fields.size(), 10);
        QCOMPARE(fields.at(8), modelOf.value(fields.at(1)));
        QCOMPARE(fields.at(9), QByteArray("2"));
        if (fields.at(2) == "ok")
            QCOMPARE(fields.at(3) + "/" + fields.at(4), QByteArray("-3.7/48.6"));
    }
}

// A humidity-first transmitter at its own 4800 Bd: the line is taken from the model, the
// readouts are the right way round, and 确 定 writes the address register at the polled
// address, reads at the new one, and the polled address follows.
void TestEndToEnd::humidityFirstModelPolledAndReaddressedItsWay() {
    SensorRig rig;
    QVERIFY(rig.startPolling({QStringLiteral("--model"), QStringLiteral("rs-ws-n01"),
                              QStringLiteral("--address"), QStringLiteral("3"),
                              QStringLiteral("--temperature"), QStringLiteral("251"),
                              QStringLiteral("--humidity"), QStringLiteral("603")},
                             false));
    QVERIFY(rig.chooseModel(QStringLiteral("rs-ws-n01")));
    QCOMPARE(rig.ui().Combo2->text(), QStringLiteral("4800"));
    QCOMPARE(rig.w().line().lineSettings().baudRate, 4800);
    QVERIFY(rig.ui().AI_SHOW(1)->toolTip().contains(QStringLiteral("湿度在前的变送器")));
    rig.ui().Combo_Addr(2)->setText(QStringLiteral("3"));
    rig.ui().Command_OK3->click();
    QCOMPARE(rig.nextVerdict(), kGood);
    QCOMPARE(rig.ui().Text1(0)->toPlainText().left(18), QStringLiteral("03 03 00 00 00 02 "));
    QCOMPARE(rig.ui().AI_SHOW(0)->text(), QStringLiteral("25.1℃"));
    QCOMPARE(rig.ui().AI_SHOW(1)->text(), QStringLiteral("60.3%"));
    rig.ui().Command_OK3->click();
    QTRY_VERIFY(!rig.ui().Timer1.isActive());

    rig.ui().Combo_Addr(0)->setText(QStringLiteral("41"));
    rig.ui().Command_OK1->click();
    QTRY_COMPARE_WITH_TIMEOUT(rig.ui().Combo_Addr(2)->text(), QStringLiteral("41"), 2500);
    QVERIFY(rig.status().contains(QStringLiteral("41")));
    const auto received = rig.sensor.frames(QStringLiteral("RX"));
    QVERIFY(received.size() >= 2);
    // 2000 = 0x07D0: the address register, written at the old address.
    QCOMPARE(received[received.size() - 2].hex.left(18), QStringLiteral("03 06 07 D0 00 29 "));
    QCOMPARE(received.back().hex.left(18), QStringLiteral("29 03 00 00 00 02 "));
    QCOMPARE(rig.ui().AI_SHOW(0)->text(), QStringLiteral("25.1℃"));

    // A model with no way refuses, naming the model.
    QVERIFY(rig.chooseModel(QStringLiteral("dip-switch"), false));
    rig.messages.shown.clear();
    rig.ui().Command_OK1->click();
    QCOMPARE(rig.messages.shown.size(), 1);
    QVERIFY(rig.messages.shown.first().contains(QStringLiteral("机房传感器")));
}

// A model that takes its new address after a power cycle: the tool says so and reads at
// the new address once the operator confirms.
void TestEndToEnd::addressAfterAPowerCycleConfirmedWhenTheOperatorSays() {
    SensorRig rig;
    QVERIFY(rig.startPolling({QStringLiteral("--model"), QStringLiteral("xy-md02"),
                              QStringLiteral("--address"), QStringLiteral("6")},
                             false));
    QVERIFY(rig.chooseModel(QStringLiteral("xy-md02")));
    rig.ui().Combo_Addr(2)->setText(QStringLiteral("6"));
    rig.ui().Combo_Addr(0)->setText(QStringLiteral("17"));
    rig.ui().Command_OK1->click();
    QMessageBox* ask = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT(
        (ask = rig.w().findChild<QMessageBox*>(QStringLiteral("powerCycleQuestion"))), 2000);
    QCOMPARE(rig.ui().Combo_Addr(2)->text(), QStringLiteral("6"));
    QVERIFY(rig.sensor.powerCycle());
    ask->buttons().at(0)->click();
    QTRY_COMPARE_WITH_TIMEOUT(rig.ui().Combo_Addr(2)->text(), QStringLiteral("17"), 2000);
    QCOMPARE(rig.sensor.frames(QStringLiteral("RX")).back().hex.left(18),
             QStringLiteral("11 04 00 01 00 02 "));
}

// The scan identifies each answering address among the models; 全部监视 takes each with the
// model found.
void TestEndToEnd::scanNamesTheModelsAndWatchesEachByItsOwn() {
    SensorRig rig;
    QVERIFY(rig.startPolling({QStringLiteral("--bus"),
                              QStringLiteral("3:default,5:xy-md02,8:jxct-soil,11:rs-ws-n01"),
                              QStringLiteral("--any-line")},
                             false));
    rig.w().findChild<QAction*>(QStringLiteral("scanAction"))->trigger();
    auto* dialog = rig.w().findChild<ScanDialog*>();
    QVERIFY(dialog);
    auto* scan = dialog->findChild<SensorScan*>();
    QSignalSpy ended(scan, &SensorScan::finished);
    dialog->findChild<QSpinBox*>(QStringLiteral("lastAddress"))->setValue(12);
    dialog->findChild<QPushButton*>(QStringLiteral("start"))->click();
    QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 1, 15000);
    auto* results = dialog->findChild<QTableWidget*>(QStringLiteral("results"));
    QCOMPARE(results->rowCount(), 4);
    QStringList named;
    for (int row = 0; row < 4; ++row)
        named << results->item(row, 0)->text() + QLatin1Char('=') + results->item(row, 6)->text();
    // The tool's own map and the parameter-frame transmitter's cannot be told apart by reads.
    QCOMPARE(named, (QStringList{QStringLiteral("3=未知（可能是：本工具的传感器、"
                                                "特殊地址帧的壁挂变送器（PKTH100B 类））"),
                                 QStringLiteral("5=SHT20 导轨模块（XY-MD02 类）"),
                                 QStringLiteral("8=土壤温湿度探头（JXCT 类）"),
                                 QStringLiteral("11=湿度在前的变送器（RS-WS-N01 类）")}));
    // Each found sensor cost a handful of requests at most.
    QVERIFY(rig.sensor.frames(QStringLiteral("RX")).size() <= 12 + 4 * (kMostExtraReads));

    dialog->findChild<QPushButton*>(QStringLiteral("watchAll"))->click();
    auto* part = rig.w().findChild<BusWatchPart*>();
    QTRY_VERIFY(part->running());
    QStringList models;
    for (const SensorTally& sensor : part->tally().sensors())
        models << sensor.model.id;
    // Undecided, the address takes the poll's model.
    QCOMPARE(models, (QStringList{QStringLiteral("default"), QStringLiteral("xy-md02"),
                                  QStringLiteral("jxct-soil"), QStringLiteral("rs-ws-n01")}));
    part->stop();
}
