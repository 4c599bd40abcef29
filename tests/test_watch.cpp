// SPDX-License-Identifier: MIT
// The bus watch: the addresses as typed, the turns it takes on the line, and the line given
// back however it ends.
#include "address_list.h"
#include "bus_watch.h"
#include "crc.h"
#include "handover/handover_dialog.h"
#include "language/qt_texts.h"
#include "line_timing.h"
#include "model_texts.h"
#include "rate_change.h"
#include "reading_source.h"
#include "readings.h"
#include "record/recording_part.h"
#include "reply_fault_text.h"
#include "sensor_catalogue.h"
#include "sensor_corrections.h"
#include "sensor_model/sensor_model_dialog.h"
#include "sensor_model/sensor_model_part.h"
#include "sensor_scan.h"
#include "statistics/statistics_window.h"
#include "tool_limits.h"
#include "tool_rig.h"
#include "tool_settings.h"
#include "trend/trend_part.h"
#include "watch/bus_watch_part.h"
#include "watch/bus_watch_window.h"
#include "watch/watch_table_model.h"

#include <QAction>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QtTest>
#include <algorithm>

namespace {
const LineSettings k9600{9600, QSerialPort::NoParity, QSerialPort::Data8, QSerialPort::OneStop};

QByteArray readingFrom(int address) {
    QByteArray body = QByteArray::fromHex("000304010B0236");
    body[0] = static_cast<char>(address);
    return AppendCRC(body, 6);
}

// A turn of the watch as it judged it: a reading in tenths, or a refusal.
JudgedCycle turnOf(int address, ReplyFault fault, int temperature = 0, int humidity = 0) {
    JudgedCycle cycle;
    cycle.time = QDateTime::currentDateTime();
    cycle.address = address;
    cycle.verdict.fault = fault;
    cycle.verdict.exceptionCode = fault == ReplyFault::Exception ? 2 : 0;
    cycle.acquiring = true;
    if (fault == ReplyFault::None)
        cycle.readings = ModelReadings{Readout{temperature, 1, FormatTenths(temperature) + "℃"},
                                       Readout{humidity, 1, FormatTenths(humidity) + "%"}};
    return cycle;
}

int askedAddress(const QByteArray& frame) {
    return static_cast<quint8>(frame.at(0));
}
} // namespace

Q_DECLARE_METATYPE(JudgedCycle)

class TestWatch : public QObject {
    Q_OBJECT
private slots:
    void addressListsAsTyped_data();
    void addressListsAsTyped();
    void silenceBetweenFrames();
    void tallyOfTurns();
    void medianOfReplyTimesIsExact();
    void windowFitsItsColumnsInEitherLanguage();
    void eachTurnJudgedWhenCompleteOrAtTheTimeout();
    void bytesWaitingBeforeATurnCountForNone();
    void aRoundThatOverrunsStartsTheNextAtOnce();
    void theLineIsGivenBackHoweverTheWatchEnds();
    void registerJobsJudgeRepliesAndEndAsTheWatchDoes();
    void footerCountsRoundsAsTheRowsDo();
    void pollAndWatchReachThePartsAlike();
    void foundSensorsWatchedAtOneRate();
    void watchedModelsAreKeptAndExported();
};

void TestWatch::addressListsAsTyped_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("addresses"); // empty: refused
    // As FormatAddressList writes the addresses back, or what the refusal must say.
    QTest::addColumn<QString>("outcome");
    const QList<int> none;
    QTest::newRow("ranges and singles")
        << "1-5, 7, 9" << QList<int>{1, 2, 3, 4, 5, 7, 9} << "1-5, 7, 9";
    QTest::newRow("other separators, repeats")
        << "9,7 7；3、4" << QList<int>{3, 4, 7, 9} << "3, 4, 7, 9";
    QTest::newRow("blanks round a tilde") << " 12 ~ 14 " << QList<int>{12, 13, 14} << "12-14";
    QTest::newRow("range of one") << "6-6" << QList<int>{6} << "6";
    QTest::newRow("the limits") << "1, 253-254" << QList<int>{1, 253, 254} << "1, 253, 254";
    QTest::newRow("zero") << "0" << none << "地址 0 超出范围";
    QTest::newRow("255") << "250-255" << none << "地址 255 超出范围";
    QTest::newRow("backwards") << "5-3" << none << "5-3 的起点大于终点";
    QTest::newRow("backwards alone") << "9-3" << none << "9-3 的起点大于终点";
    QTest::newRow("backwards beside one") << "2, 9-3" << none << "9-3 的起点大于终点";
    QTest::newRow("double dash") << "1--3" << none << "“1--3”不是地址范围";
    QTest::newRow("open range") << "3-" << none << "范围“3-”没有终点";
    QTest::newRow("open range, typed on") << "12, 7 -" << none << "范围“7-”没有终点";
    QTest::newRow("no start") << "-7" << none << "范围“-7”没有起点";
    QTest::newRow("letters") << "1, a" << none << "“a”不是地址";
    QTest::newRow("nothing") << " , " << none << "请输入至少一个地址";
    QTest::newRow("huge") << "99999999999" << none << "不是地址";
}

void TestWatch::addressListsAsTyped() {
    QFETCH(QString, text);
    QFETCH(QList<int>, addresses);
    QFETCH(QString, outcome);
    const AddressList list = ParseAddressList(text);
    QCOMPARE(list.ok(), !addresses.isEmpty());
    QCOMPARE(list.addresses, addresses);
    if (list.ok())
        QCOMPARE(FormatAddressList(list.addresses), outcome);
    else
        QVERIFY2(list.error.contains(outcome), qPrintable(list.error));
}

// 3.5 characters of the line's own bits (start, data, parity, stop), rounded up to whole
// microseconds; above 19200 Bd the fixed 1750 µs. Timers round up to whole milliseconds.
void TestWatch::silenceBetweenFrames() {
    const struct {
        int baud;
        QSerialPort::Parity parity;
        int dataBits;
        QSerialPort::StopBits stop;
        qint64 microseconds;
    } lines[] = {{9600, QSerialPort::NoParity, 8, QSerialPort::OneStop, 3646},
                 {9600, QSerialPort::EvenParity, 8, QSerialPort::OneStop, 4011},
                 {9600, QSerialPort::NoParity, 8, QSerialPort::TwoStop, 4011},
                 {4800, QSerialPort::OddParity, 7, QSerialPort::TwoStop, 8021},
                 {19200, QSerialPort::NoParity, 8, QSerialPort::OneStop, 1823}, // still counted
                 {38400, QSerialPort::EvenParity, 8, QSerialPort::OneStop, 1750}};
    for (const auto& l : lines)
        QCOMPARE(LineTiming::SilenceMicroseconds(
                     {l.baud, l.parity, static_cast<QSerialPort::DataBits>(l.dataBits), l.stop}),
                 l.microseconds);
    QCOMPARE(LineTiming::CeilMilliseconds(3646), 4);
    QCOMPARE(LineTiming::CeilMilliseconds(2000), 2);
}

// The tally behind the table: a new reading replaces both values; a garbled or exception
// reply is an answer, so only turns without any reply count toward 无回复; the median of an
// even count is the upper of the two middle times; sorting reads numbers, empty first.
void TestWatch::tallyOfTurns() {
    WatchTally tally;
    tally.begin({9, 4});
    WatchTableModel table(tally);
    const auto cell = [&](int row, int column, int role = Qt::DisplayRole) {
        return table.data(table.index(row, column), role);
    };
    QCOMPARE(tally.add(turnOf(4, ReplyFault::None, 267, 566), 31), 1);
    QCOMPARE(tally.add(turnOf(4, ReplyFault::None, -43, 612), 17), 1);
    QCOMPARE(cell(1, WatchTableModel::kTemperature).toString(), QStringLiteral("-4.3℃"));
    QCOMPARE(cell(1, WatchTableModel::kHumidity).toString(), QStringLiteral("61.2%"));
    QCOMPARE(cell(1, WatchTableModel::kReplyMs).toString(), QStringLiteral("31")); // 17, 31
    const QDateTime lastGood = tally.sensors()[1].lastGood;
    QVERIFY(lastGood.isValid() && lastGood.secsTo(QDateTime::currentDateTime()) < 5);
    QCOMPARE(cell(1, WatchTableModel::kLastGood).toString(), lastGood.toString("HH:mm:ss"));
    tally.add(turnOf(4, ReplyFault::None, -40, 600), 44);
    tally.add(turnOf(4, ReplyFault::None, -40, 600), 12);
    tally.add(turnOf(4, ReplyFault::CrcError), 29); // a refused reply's time is not kept
    QCOMPARE(cell(1, WatchTableModel::kReplyMs, Qt::UserRole).toInt(), 31); // 12, 17, 31, 44
    QCOMPARE(cell(1, WatchTableModel::kGoodShare).toString(), QStringLiteral("80.0 %"));
    QCOMPARE(cell(1, WatchTableModel::kTemperature, Qt::UserRole).toInt(), -40);
    QCOMPARE(cell(1, WatchTableModel::kHumidity, Qt::UserRole).toInt(), 600);
    QVERIFY(cell(0, WatchTableModel::kTemperature, Qt::UserRole).toInt() < -400);

    for (const ReplyFault answer : {ReplyFault::CrcError, ReplyFault::Exception,
                                    ReplyFault::WrongLength, ReplyFault::WrongSender}) {
        tally.add(turnOf(9, ReplyFault::NoReply), -1);
        tally.add(turnOf(9, ReplyFault::NoReply), -1);
        QCOMPARE(tally.add(turnOf(9, answer), 20), 0);
        QCOMPARE(cell(0, WatchTableModel::kVerdict).toString(), ReplyFaultName(answer));
        QVERIFY(cell(0, 0, Qt::BackgroundRole).isNull());
    }
    for (int round = 1; round <= 4; ++round)
        tally.add(turnOf(9, ReplyFault::NoReply), -1);
    QCOMPARE(cell(0, WatchTableModel::kVerdict).toString(),
             QCoreApplication::translate("WatchTableModel", "无回复（已 %n 轮）", "", 4));
    QVERIFY(!cell(0, 0, Qt::BackgroundRole).isNull());
    QCOMPARE(tally.add(turnOf(7, ReplyFault::None, 1, 1), 5), -1); // not watched
}

// The median read from the histogram is the one a sort gives, at every count, odd or even.
void TestWatch::medianOfReplyTimesIsExact() {
    QRandomGenerator random(20261208);
    ReplyTimes times;
    std::vector<qint64> all;
    for (int i = 0; i < 600; ++i) {
        // Clustered like real replies, with gaps and outliers either side.
        all.push_back(i % 9 == 0 ? random.bounded(0, 1500) : 20 + random.bounded(0, 15) * 3);
        times.add(all.back());
        std::vector<qint64> sorted = all;
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(*times.median(), sorted[sorted.size() / 2]);
        QCOMPARE(*times.fastest() + *times.slowest(), sorted.front() + sorted.back());
    }
    times.add(4000); // beyond the bins: still the slowest, exactly
    QCOMPARE(*times.slowest(), qint64(4000));
}

// Every column shows whole without scrolling sideways, at the widest values, in Chinese and
// in English (which counts in plurals).
void TestWatch::windowFitsItsColumnsInEitherLanguage() {
#ifdef Q_OS_WIN
    // Under Wine the fonts are not the system's: the widths say nothing of a real Windows.
    QSKIP("column widths are judged on the fonts of a real desktop");
#endif
    const auto chinese = qScopeGuard([] { InstallLanguage(*qApp, Language::Chinese); });
    for (const Language language : {Language::Chinese, Language::English}) {
        // Qt's own Chinese texts may be missing (a Windows prefix without them); the tool's
        // own texts are Chinese at their source either way.
        const bool installed = InstallLanguage(*qApp, language);
        QVERIFY(installed || language == Language::Chinese);
        WatchTally tally;
        WatchTableModel model(tally);
        BusWatchWindow window(model);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // The watch begins once the window is up, with a model of the longest name.
        const SensorModel longest = *SensorCatalogue().find(QStringLiteral("pkth100b"));
        tally.begin({1, 254});
        JudgedCycle answered = turnOf(254, ReplyFault::None, -398, 1000);
        answered.model = longest;
        tally.add(answered, 997);
        for (int round = 0; round < 1234; ++round)
            tally.add(turnOf(1, ReplyFault::NoReply), -1);
        model.reset();
        auto* table = window.findChild<QTableView*>(QStringLiteral("watchTable"));
        QTRY_VERIFY(table->horizontalHeader()->length() <= table->viewport()->width());
        QVERIFY(!table->horizontalScrollBar()->isVisible());
        QTRY_VERIFY(table->columnWidth(WatchTableModel::kModel) >
                    table->fontMetrics().horizontalAdvance(ModelTexts::name(longest)));
        QVERIFY(window.tableText().contains(language == Language::English
                                                ? QStringLiteral("No reply (1234 rounds)")
                                                : QStringLiteral("无回复（已 1234 轮）")));
    }
}

// Three addresses: one answers (judged as soon as its reply is complete), one is silent
// (judged at the timeout), one answers for another address. Between turns the line stays
// quiet for 3.5 characters; the next round comes 700 ms after the first began.
void TestWatch::eachTurnJudgedWhenCompleteOrAtTheTimeout() {
    LineRig rig(true);
    BusWatch watch(rig.line);
    QSignalSpy judged(&watch, &BusWatch::cycleJudged);
    QSignalSpy rounds(&watch, &BusWatch::roundEnded);
    QSignalSpy bytes(&watch, &BusWatch::bytesReceived);
    QSignalSpy sent(&watch, &BusWatch::requestSent);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(watch.start({{3, 4, 5}, 90, k9600}));
    QCOMPARE(rig.line.heldFor(), QStringLiteral("多传感器监视"));
    QCOMPARE(rig.port.written.size(), size_t(1));
    QCOMPARE(askedAddress(rig.port.written.back()), 3);

    const QByteArray reply = readingFrom(3);
    rig.port.receive(reply.left(4));
    QVERIFY(judged.isEmpty());
    rig.port.receive(reply.mid(4));
    QCOMPARE(judged.size(), 1); // complete: judged at once, not at the timeout
    QCOMPARE(bytes.size(), 2);  // one for each arrival
    QCOMPARE(sent.size(), 1);
    auto cycle = judged.at(0).at(0).value<JudgedCycle>();
    QCOMPARE(cycle.address, 3);
    QVERIFY(cycle.verdict.accepted() && cycle.acquiring && !cycle.addressWrite);
    QCOMPARE(cycle.readings->temperature->scaled.value_or(-1), qint64(267));
    QVERIFY(judged.at(0).at(1).toLongLong() >= 0);
    // The silence first: nothing goes out in the same breath.
    QCOMPARE(rig.port.written.size(), size_t(1));
    const qint64 judgedAt = clock.elapsed();
    QTRY_COMPARE_WITH_TIMEOUT(rig.port.written.size(), size_t(2), 200);
    QVERIFY(clock.elapsed() - judgedAt >= 4); // 3.5 characters at 9600 Bd, rounded up
    QCOMPARE(askedAddress(rig.port.written.back()), 4);

    const qint64 askedAt = clock.elapsed();
    QTRY_COMPARE_WITH_TIMEOUT(judged.size(), 2, 1000);
    QVERIFY(clock.elapsed() - askedAt >= 85);
    cycle = judged.at(1).at(0).value<JudgedCycle>();
    QCOMPARE(cycle.verdict.fault, ReplyFault::NoReply);
    QCOMPARE(judged.at(1).at(1).toLongLong(), qint64(-1));

    QTRY_COMPARE_WITH_TIMEOUT(rig.port.written.size(), size_t(3), 200);
    rig.port.receive(readingFrom(6)); // complete, but not from the address asked
    QCOMPARE(judged.size(), 3);
    QCOMPARE(judged.at(2).at(0).value<JudgedCycle>().verdict.fault, ReplyFault::WrongSender);
    // Bytes after the judgement count for no one, not even as bytes on the line.
    const qsizetype bytesSoFar = bytes.size();
    rig.port.receive(readingFrom(5));
    QCOMPARE(judged.size(), 3);
    QCOMPARE(bytes.size(), bytesSoFar);

    QTRY_COMPARE_WITH_TIMEOUT(rounds.size(), 1, 500);
    QCOMPARE(rounds.at(0).at(0).toInt(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(rig.port.written.size(), size_t(4), 1500);
    QVERIFY2(clock.elapsed() >= 690, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(askedAddress(rig.port.written.back()), 3);
    QCOMPARE(sent.size(), 4); // one for each request written
}

void TestWatch::aRoundThatOverrunsStartsTheNextAtOnce() {
    LineRig rig(true);
    BusWatch watch(rig.line);
    QSignalSpy rounds(&watch, &BusWatch::roundEnded);
    QVERIFY(watch.start({{1, 2, 3}, 260, k9600})); // nobody answers: 3 × 260 ms > 700 ms
    QTRY_COMPARE_WITH_TIMEOUT(rounds.size(), 1, 2000);
    QVERIFY(rounds.at(0).at(1).toLongLong() >= 3 * 255);
    QElapsedTimer sinceRound;
    sinceRound.start();
    QTRY_COMPARE_WITH_TIMEOUT(rig.port.written.size(), size_t(4), 1000);
    QVERIFY2(sinceRound.elapsed() < 100, qPrintable(QString::number(sinceRound.elapsed())));
    QVERIFY(!watch.start({{1}, 100, k9600})); // already running
    watch.stop();
    QVERIFY(!watch.start({{}, 100, k9600}));
    QVERIFY(!watch.start({{1}, BusWatch::kMinTimeoutMs - 1, k9600}));
    QVERIFY(!watch.start({{1}, BusWatch::kMaxTimeoutMs + 1, k9600}));
    // The limits themselves are accepted.
    for (const int limit : {BusWatch::kMinTimeoutMs, BusWatch::kMaxTimeoutMs}) {
        QVERIFY(watch.start({{1}, limit, k9600}));
        watch.stop();
    }
    // As the operator is told: 20 to 1000 ms, for the watch and the scan alike.
    SensorScan scan(rig.line);
    ScanPlan scanPlan;
    scanPlan.firstAddress = scanPlan.lastAddress = 6;
    scanPlan.rates = {9600};
    scanPlan.line = k9600;
    for (const auto& [ms, allowed] : {std::pair{20, true}, std::pair{1000, true},
                                      std::pair{19, false}, std::pair{1001, false}}) {
        QCOMPARE(watch.start({{1}, ms, k9600}), allowed);
        watch.stop();
        scanPlan.timeoutMs = ms;
        QCOMPARE(scan.start(scanPlan), allowed);
        scan.cancel();
    }
}

// A turn starts from an empty line: bytes taken in before its request (a late reply, noise)
// are dropped, however complete they look.
void TestWatch::bytesWaitingBeforeATurnCountForNone() {
    LineRig rig(true);
    BusWatch watch(rig.line);
    QSignalSpy judged(&watch, &BusWatch::cycleJudged);
    QVERIFY(watch.start({{3, 4}, 60, k9600}));
    rig.port.receive(readingFrom(3));
    QCOMPARE(judged.size(), 1);
    rig.port.hold(readingFrom(4)); // during the silence, not yet announced
    QTRY_COMPARE_WITH_TIMEOUT(rig.port.written.size(), size_t(2), 500);
    QCOMPARE(askedAddress(rig.port.written.back()), 4);
    rig.port.raiseEvent(CommEventCode::kReceive);
    QTRY_COMPARE_WITH_TIMEOUT(judged.size(), 2, 1000);
    const auto cycle = judged.at(1).at(0).value<JudgedCycle>();
    QCOMPARE(cycle.address, 4);
    QCOMPARE(cycle.verdict.fault, ReplyFault::NoReply);
    QVERIFY(!cycle.readings);

    // A flood is judged when the most a reply may hold has come, and not kept beyond it.
    QTRY_COMPARE_WITH_TIMEOUT(rig.port.written.size(), size_t(3), 1500);
    rig.port.receive(QByteArray(BusWatch::kMaxReplyBytes + 40, '\x55'));
    QCOMPARE(judged.size(), 3);
    const auto flooded = judged.at(2).at(0).value<JudgedCycle>();
    QVERIFY(!flooded.verdict.accepted());
    QCOMPARE(flooded.reply.size(), BusWatch::kMaxReplyBytes * 3);

    // Nor does the watch leave bytes behind for whoever has the line next.
    rig.port.hold(readingFrom(3));
    watch.stop();
    QVERIFY(rig.port.input().isEmpty());
}

// Stop, the window closed, a failed write, a lost port: each gives the line back, and while
// the watch holds it the poll, the address write and the scan are refused.
void TestWatch::theLineIsGivenBackHoweverTheWatchEnds() {
    ToolRig f;
    f.openPort();
    auto* part = f.w().findChild<BusWatchPart*>();
    QVERIFY(part);
    QVERIFY(part->watch({1, 2}, 50));
    f.ui().Command_OK3->click();
    QCOMPARE(f.ui().Command_OK3->text(), Caption::Start());
    f.ui().Command_OK1->click();
    f.w().findChild<QAction*>(QStringLiteral("scanAction"))->trigger();
    const QString held = SharedText::LineHeldBy(QStringLiteral("多传感器监视"));
    QCOMPARE(f.messages.shown, (QStringList{held, held, held}));
    // The addresses are kept in the tool's settings file, not in com.txt.
    QCOMPARE(ToolSettings(f.folder).watchAddresses(), QStringLiteral("1, 2"));
    QCOMPARE(ToolSettings(f.folder).watchTimeoutMs(200), 50);
    QCOMPARE(part->timeoutMs(), 50);
    QCOMPARE(f.comTxt(), QByteArray("1\r\n9600\r\n"));

    part->stop();
    QVERIFY(f.w().line().heldFor().isEmpty());
    f.ui().Command_OK3->click();
    QCOMPARE(f.ui().Command_OK3->text(), Caption::Stop());
    f.ui().Command_OK3->click();

    QVERIFY(part->watch({1}, 50));
    part->window()->close();
    QVERIFY(!part->running() && f.w().line().heldFor().isEmpty());

    QVERIFY(part->watch({1}, 50));
    f.port.outputResult = {CommError::kIoFailure, QStringLiteral("Input/output error")};
    QTRY_VERIFY(!part->running());
    QVERIFY(f.w().line().heldFor().isEmpty());
    QCOMPARE(f.ui().Command1->text(), PortCaption::Open());
    QVERIFY(f.messages.shown.last().contains(QStringLiteral("Input/output error")));
    f.port.outputResult = {};

    f.openPort();
    QVERIFY(part->watch({1}, 50));
    const qsizetype before = f.messages.shown.size();
    f.port.loseLine(QStringLiteral("hang-up"));
    QVERIFY(!part->running() && f.w().line().heldFor().isEmpty());
    QCOMPARE(f.messages.shown.size(), before + 1); // one message for the lost port
    QVERIFY(!part->watch({1}, 50));                // and none of it without a port
    QCOMPARE(f.messages.shown.last(), SharedText::OpenPortFirst());

    // Closing the tool while it watches ends the watch before the line goes.
    f.openPort();
    QVERIFY(part->watch({1}, 50));
    f.w().close();
    QVERIFY(!part->running());

    // A window destroyed while it watches (no close first) takes the watch down safely.
    ToolRig g;
    g.openPort();
    QVERIFY(g.w().findChild<BusWatchPart*>()->watch({1}, 50));
    g.window.reset();
}

// The register jobs: a reply from another address is not the sensor's, a read-back other
// than the write is told, a failed write ends the job with its reason, and a job that goes
// mid-request gives the line back with nothing left on it.
void TestWatch::registerJobsJudgeRepliesAndEndAsTheWatchDoes() {
    const SensorModel xy = *SensorCatalogue().find(QStringLiteral("xy-md02"));
    const auto registerReply = [](int address, quint16 word) {
        QByteArray body = QByteArray::fromHex("000302");
        body[0] = static_cast<char>(address);
        body.append(static_cast<char>(word >> 8)).append(static_cast<char>(word & 0xFF));
        return AppendCRC(body, 4);
    };
    LineRig rig(true);
    SensorCorrections corrections(rig.line);
    QSignalSpy finished(&corrections, &SensorCorrections::finished);
    const auto failure = [&] { return finished.takeFirst().at(1).toString(); };
    QCOMPARE(corrections.read(7, xy, k9600), SensorCorrections::Problem::None);
    QTRY_COMPARE(rig.port.written.size(), size_t(1));
    rig.port.receive(registerReply(8, 0xFFF1));
    QTRY_COMPARE(finished.size(), 1);
    QCOMPARE(failure(), QStringLiteral("传感器未回答校正值的读取"));
    QCOMPARE(rig.port.written.size(), size_t(1)); // nothing asked after the stranger's reply

    QCOMPARE(corrections.write(7, xy, k9600, {-2.5, {}}), SensorCorrections::Problem::None);
    QTRY_COMPARE(rig.port.written.size(), size_t(2));
    rig.port.receive(rig.port.written.back()); // the write echoed
    QTRY_COMPARE(rig.port.written.size(), size_t(3));
    rig.port.receive(registerReply(7, 0xFFE6)); // -2.6 kept
    QTRY_COMPARE(finished.size(), 1);
    QCOMPARE(failure(), QStringLiteral("读回的校正值与写入的不同"));

    const QString gone = QStringLiteral("Input/output error");
    rig.port.outputResult = {CommError::kIoFailure, gone};
    QCOMPARE(corrections.write(7, xy, k9600, {{}, 3.5}), SensorCorrections::Problem::None);
    QTRY_COMPARE(finished.size(), 1);
    QCOMPARE(failure(), SharedText::WriteFailed(gone));
    QVERIFY(rig.line.heldFor().isEmpty());
    {
        RateChange change(rig.line);
        std::optional<RateChangeOutcome> outcome;
        connect(&change, &RateChange::finished, this, [&](const auto& o) { outcome = o; });
        QVERIFY(change.start({{{7, xy}}, 19200, k9600}));
        QTRY_VERIFY(outcome);
        QCOMPARE(outcome->lineFailure, SharedText::WriteFailed(gone));
        QVERIFY(rig.line.heldFor().isEmpty());
        rig.port.outputResult = {};

        QVERIFY(change.start({{{7, xy}, {9, xy}}, 14400, k9600}));
        QTRY_COMPARE(rig.port.written.size(), size_t(4));
        rig.port.hold(rig.port.written.back()); // the echo on its way as the job goes
    }
    QVERIFY(rig.line.heldFor().isEmpty());
    QVERIFY(rig.port.input().isEmpty());
}

// Mid-round, a silent row's count and the footer's round are the same number; the table of
// one port is gone when another port opens, and stays when the same one opens again.
void TestWatch::footerCountsRoundsAsTheRowsDo() {
    ToolRig f;
    f.openPort();
    auto* part = f.w().findChild<BusWatchPart*>();
    QVERIFY(part->watch({3, 8}, 20));
    auto* note = part->window()->findChild<QLabel*>(QStringLiteral("watchNote"));
    QStringList differ;
    int compared = 0;
    connect(part, &BusWatchPart::cycleJudged, this, [&](const JudgedCycle& cycle) {
        const int silent = part->tally().sensors()[0].silentInARow;
        if (cycle.address != 3 || silent < 2)
            return;
        ++compared;
        if (!note->text().startsWith(QStringLiteral("第 %1 轮").arg(silent)))
            differ << QString::number(silent) + QStringLiteral(" ≠ ") + note->text();
    });
    QTRY_VERIFY_WITH_TIMEOUT(compared >= 2, 5000);
    part->stop();
    QVERIFY2(differ.isEmpty(), qPrintable(differ.join(QLatin1Char('\n'))));

    f.openPort();
    f.openPort(); // the same port again: the same sensors
    QCOMPARE(part->tally().sensors().size(), size_t(2));
    f.openPort();
    f.ui().Combo1->setListIndex(3);
    f.openPort();
    QCOMPARE(part->window()->tableText().count(QLatin1Char('\n')), 1); // the header alone
}

// The poll's cycles and the watch's turns reach the record, the trend and the statistics
// alike: a row and a count each, a point in the poll's series or in the watched address's.
void TestWatch::pollAndWatchReachThePartsAlike() {
    ToolRig f;
    f.openPort();
    QString error;
    QVERIFY(f.w().recording().start(f.filePath(QStringLiteral("both.csv")),
                                    RecordFile::Mode::Replace, &error));
    f.w().findChild<QAction*>(QStringLiteral("statisticsAction"))->trigger();
    auto* statistics = f.w().findChild<StatisticsWindow*>();
    auto* trend = f.w().findChild<TrendPart*>();
    QVERIFY(statistics && trend);

    f.ui().Combo_Addr(2)->setText(QStringLiteral("5"));
    f.ui().Command_OK3->click();
    f.w().Timer2_Timer();
    f.port.receive(readingFrom(5));
    f.ui().tickTimer1();
    f.ui().Command_OK3->click(); // the watch needs the line to itself

    auto* part = f.w().findChild<BusWatchPart*>();
    QSignalSpy sent(&part->source(), &ReadingSource::requestSent);
    QSignalSpy turns(&part->source(), &ReadingSource::cycleJudged);
    QVERIFY(part->watch({3, 7}, 40));
    f.port.receive(readingFrom(3));
    QTRY_VERIFY_WITH_TIMEOUT(turns.size() >= 2, 1000); // 7 is silent
    part->stop();

    // Later rounds may have begun on a slow machine: count what the watch judged.
    QCOMPARE(f.w().recording().recorder().rows(), 1 + turns.size());
    using Row = StatisticsWindow::Row;
    QCOMPARE(statistics->value(Row::Requests), QString::number(1 + sent.size()));
    QCOMPARE(statistics->value(Row::Accepted), QStringLiteral("2"));
    QCOMPARE(statistics->value(ReplyFault::NoReply), QString::number(turns.size() - 1));
    QCOMPARE(trend->series().points().size(), size_t(1));
    QCOMPARE(trend->series().curveOf(0).sensor, (SensorOnPort{5, 1}));
    QVERIFY(trend->watchedSeries(3) && !trend->watchedSeries(3)->points().empty());
    QVERIFY(!trend->watchedSeries(7));
}

// All the sensors a scan found when they answered at one rate and format; only those at
// the port's when the rates or formats differ.
void TestWatch::foundSensorsWatchedAtOneRate() {
    const LineFormat even{QLatin1Char('E'), 1};
    const auto found = [](int address, int baud, LineFormat format = {}) {
        ScanFinding finding;
        finding.address = address;
        finding.baud = baud;
        finding.format = format;
        return finding;
    };
    const LineSetup port{9600, {}};
    WatchChoice choice = ChooseWatchable({found(7, 4800), found(3, 4800)}, port);
    QCOMPARE(choice.line.text(), QStringLiteral("4800 8N1"));
    QCOMPARE(choice.addresses, (QList<int>{3, 7}));
    QVERIFY(!choice.mixedLines);

    choice = ChooseWatchable({found(7, 4800), found(3, 9600), found(12, 9600)}, port);
    QCOMPARE(choice.line.baud, 9600);
    QCOMPARE(choice.addresses, (QList<int>{3, 12}));
    QVERIFY(choice.mixedLines);

    choice = ChooseWatchable({found(7, 4800), found(3, 115200)}, port);
    QVERIFY(choice.addresses.isEmpty() && choice.mixedLines);

    // One rate, two formats: only those at the port's format.
    choice = ChooseWatchable({found(4, 9600, even), found(9, 9600), found(2, 9600)}, port);
    QCOMPARE(choice.addresses, (QList<int>{2, 9}));
    QVERIFY(choice.mixedLines);
    choice = ChooseWatchable({found(4, 19200, even), found(11, 19200, even)}, port);
    QCOMPARE(choice.line.text(), QStringLiteral("19200 8E1"));
    QCOMPARE(choice.addresses, (QList<int>{4, 11}));
}

// The models the scan's 全部监视 gave are kept with the addresses for the next start (an
// address typed in besides takes the poll's); the watch window's 导出配置… hands every
// watched sensor over with its model, also once the watch stopped.
void TestWatch::watchedModelsAreKeptAndExported() {
    ToolRig f;
    f.openPort();
    const SensorCatalogue& catalogue = f.w().findChild<SensorModelPart*>()->catalogue();
    QVERIFY(
        f.w().findChild<BusWatchPart*>()->watch({6, 19}, 40, {},
                                                {*catalogue.find(QStringLiteral("jxct-soil")),
                                                 *catalogue.find(QStringLiteral("kincony-ts"))}));
    const std::map<int, QString> kept = {{6, QStringLiteral("jxct-soil")},
                                         {19, QStringLiteral("kincony-ts")}};
    QCOMPARE(ToolSettings(f.folder).watchModels(), kept);

    f.startWindow(); // the next start, on the same folder
    f.openPort();
    auto* part = f.w().findChild<BusWatchPart*>();
    part->showWindow();
    auto* exportButton = part->window()->findChild<QPushButton*>(QStringLiteral("exportWatch"));
    QVERIFY(!exportButton->isEnabled()); // nothing watched yet
    auto* addresses = part->window()->findChild<QLineEdit*>(QStringLiteral("watchAddresses"));
    QCOMPARE(addresses->text(), QStringLiteral("6, 19"));
    addresses->setText(QStringLiteral("6, 11, 19"));
    part->window()->findChild<QPushButton*>(QStringLiteral("startWatch"))->click();
    QVERIFY(part->running());
    part->stop();
    QCOMPARE(ToolSettings(f.folder).watchModels(), kept);
    exportButton->click();
    auto* dialog = f.w().findChild<HandoverDialog*>();
    QVERIFY(dialog && dialog->isVisible());
    QStringList exported;
    for (const HandoverSensor& sensor : dialog->bus().sensors)
        exported << QStringLiteral("%1 %2").arg(sensor.address).arg(sensor.model.id);
    QCOMPARE(exported, (QStringList{QStringLiteral("6 jxct-soil"), QStringLiteral("11 default"),
                                    QStringLiteral("19 kincony-ts")}));
}

QTEST_MAIN(TestWatch)
#include "test_watch.moc"
