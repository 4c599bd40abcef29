// SPDX-License-Identifier: MIT
#include "serial_line.h"
#include "tool_rig.h"

#include <QSignalSpy>
#include <QtTest>
#include <memory>

namespace {
const SerialLine::Choice kCom3{3, QStringLiteral("9600"), QStringLiteral("N"), QStringLiteral("8"),
                               QStringLiteral("1")};
}

class TestSerialLine : public QObject {
    Q_OBJECT
private slots:
    void opensClosesAndTellsWhatItShows();
    void whatArrivesGoesToTheLatestListener();
};

void TestSerialLine::opensClosesAndTellsWhatItShows() {
    LineRig rig;
    FakeSerialControl& port = rig.port;
    SerialLine& line = rig.line;
    QSignalSpy shown(&line, &SerialLine::shownOpenChanged);
    QSignalSpy problems(&line, &SerialLine::problem);

    line.toggleOpen(kCom3);
    QVERIFY(line.shownOpen() && port.open);
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.at(0).at(0).toBool(), true);
    QCOMPARE(line.openPortNumber(), 3);
    QCOMPARE(line.lineSettings().baudRate, 9600);
    QVERIFY(port.calls.contains(QStringLiteral("Settings=9600,N,8,1")));
    QVERIFY(line.write(QByteArray::fromHex("010300000002C40B")).ok());
    QCOMPARE(port.written.size(), size_t(1));

    line.toggleOpen(kCom3); // open: closes
    QVERIFY(!line.shownOpen() && !port.open);
    QCOMPARE(shown.last().at(0).toBool(), false);
    QCOMPARE(line.openPortNumber(), 0);

    // A port that is not there: the trial fails, it stays closed and says why.
    port.openResults.push_back({CommError::kNoSuchPort, QStringLiteral("gone")});
    line.toggleOpen(kCom3);
    QVERIFY(!line.shownOpen());
    QCOMPARE(problems.size(), 1);
    QCOMPARE(rig.messages.shown, QStringList{QStringLiteral("串口不存在！")});
    QCOMPARE(shown.size(), 2);

    // The lost line is passed on.
    QSignalSpy lost(&line, &SerialLine::lost);
    port.loseLine(QStringLiteral("hang-up"));
    QCOMPARE(lost.size(), 1);
    QCOMPARE(lost.at(0).at(0).toString(), QStringLiteral("hang-up"));
}

void TestSerialLine::whatArrivesGoesToTheLatestListener() {
    LineRig rig;
    FakeSerialControl& port = rig.port;
    SerialLine& line = rig.line;
    QObject poll;
    auto scan = std::make_unique<QObject>();
    QByteArray toPoll, toScan;
    line.listen(&poll, [&](const QByteArray& bytes) { toPoll += bytes; });
    port.receive("a");
    line.listen(scan.get(), [&](const QByteArray& bytes) { toScan += bytes; });
    port.receive("b");
    line.release(scan.get());
    port.receive("c");
    line.listen(scan.get(), [&](const QByteArray& bytes) { toScan += bytes; });
    port.receive("d");
    scan.reset(); // gone without a word: the line goes back to the poll
    port.receive("e");
    port.raiseEvent(CommEventCode::kSend); // not a receive: nothing read, nothing handed on
    QCOMPARE(toPoll, QByteArray("ace"));
    QCOMPARE(toScan, QByteArray("bd"));
}

QTEST_GUILESS_MAIN(TestSerialLine)
#include "test_serial_line.moc"
