// SPDX-License-Identifier: MIT
// The bus watch: the addresses as typed, the turns it takes on the line, and the line given
// back however it ends.
#include "address_list.h"
#include "bus_watch.h"
#include "bus_watch_part.h"
#include "bus_watch_window.h"
#include "crc.h"
#include "sensor_scan.h"
#include "tool_limits.h"
#include "tool_rig.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

namespace {
const LineSettings k9600{9600, QSerialPort::NoParity, QSerialPort::Data8, QSerialPort::OneStop};

QByteArray readingFrom(int address) {
    QByteArray body = QByteArray::fromHex("000304010B0236");
    body[0] = static_cast<char>(address);
    return AppendCRC(body, 6);
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
    void eachTurnJudgedWhenCompleteOrAtTheTimeout();
    void aRoundThatOverrunsStartsTheNextAtOnce();
    void theLineIsGivenBackHoweverTheWatchEnds();
    void foundSensorsWatchedAtOneRate();
};

void TestWatch::addressListsAsTyped_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("addresses"); // empty: refused
    QTest::addColumn<QString>("written");      // as FormatAddressList writes them back
    QTest::newRow("ranges and singles")
        << "1-5, 7, 9" << QList<int>{1, 2, 3, 4, 5, 7, 9} << "1-5, 7, 9";
    QTest::newRow("other separators, repeats")
        << "9,7 7；3、4" << QList<int>{3, 4, 7, 9} << "3, 4, 7, 9";
    QTest::newRow("blanks round a tilde") << " 12 ~ 14 " << QList<int>{12, 13, 14} << "12-14";
    QTest::newRow("range of one") << "6-6" << QList<int>{6} << "6";
    QTest::newRow("the limits") << "1, 253-254" << QList<int>{1, 253, 254} << "1, 253, 254";
    QTest::newRow("zero") << "0" << QList<int>{} << "";
    QTest::newRow("255") << "250-255" << QList<int>{} << "";
    QTest::newRow("backwards") << "5-3" << QList<int>{} << "";
    QTest::newRow("double dash") << "1--3" << QList<int>{} << "";
    QTest::newRow("open range") << "3-" << QList<int>{} << "";
    QTest::newRow("letters") << "1, a" << QList<int>{} << "";
    QTest::newRow("nothing") << " , " << QList<int>{} << "";
    QTest::newRow("huge") << "99999999999" << QList<int>{} << "";
}

void TestWatch::addressListsAsTyped() {
    QFETCH(QString, text);
    QFETCH(QList<int>, addresses);
    QFETCH(QString, written);
    const AddressList list = ParseAddressList(text);
    QCOMPARE(list.ok(), !addresses.isEmpty());
    QCOMPARE(list.addresses, addresses);
    if (list.ok())
        QCOMPARE(FormatAddressList(list.addresses), written);
    else
        QVERIFY(!list.error.isEmpty());
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
    auto cycle = judged.at(0).at(0).value<JudgedCycle>();
    QCOMPARE(cycle.address, 3);
    QVERIFY(cycle.verdict.accepted() && cycle.acquiring && !cycle.addressWrite);
    QCOMPARE(cycle.readings->temperatureTenths, 267);
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

QTEST_MAIN(TestWatch)
#include "test_watch.moc"
