// SPDX-License-Identifier: MIT
#include "line_statistics.h"
#include "statistics/statistics_window.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTranslator>
#include <QtTest>

namespace {
// Marks every text it is asked for, so a text that escaped the translator shows.
class MarkingTranslator final : public QTranslator {
public:
    bool isEmpty() const override { return false; }
    QString translate(const char*, const char* source, const char*, int) const override {
        return QStringLiteral("«%1»").arg(QString::fromUtf8(source));
    }
};
} // namespace

class TestLineHealth : public QObject {
    Q_OBJECT
private slots:
    void scriptedCycles();
    void windowCaptionsFollowTheTranslator();
    void windowTellsWhenCountingBegan();
};

// A sequence of cycles on a clock the test moves: counts by reason, the good share, and
// the reply times of accepted replies only, from the write to the last byte.
void TestLineHealth::scriptedCycles() {
    qint64 now = 1000;
    LineStatistics statistics([&now] { return now; });
    QSignalSpy changed(&statistics, &LineStatistics::changed);
    QVERIFY(!statistics.summary().goodShare);
    QVERIFY(!statistics.summary().medianMs);

    struct Cycle {
        std::vector<qint64> bytesAt; // after the write, in ms
        ReplyVerdict verdict;
    };
    const Cycle cycles[] = {
        {{5, 12}, {ReplyFault::None}},             // 12 ms
        {{}, {ReplyFault::NoReply}},               //
        {{40}, {ReplyFault::None}},                // 40 ms
        {{3, 9}, {ReplyFault::CrcError}},          // refused: no reply time
        {{20}, {ReplyFault::None}},                // 20 ms
        {{8}, {ReplyFault::Exception, 2}},         //
        {{15}, {ReplyFault::Exception, 2}},        //
        {{1, 2, 3, 4}, {ReplyFault::WrongLength}}, //
        {{30}, {ReplyFault::None}},                // 30 ms
    };
    for (const Cycle& cycle : cycles) {
        now += 700;
        const qint64 sentAt = now;
        statistics.requestSent();
        for (const qint64 at : cycle.bytesAt) {
            now = sentAt + at;
            statistics.bytesReceived();
        }
        now = sentAt + 500; // the check comes later than the last byte
        statistics.cycleJudged(cycle.verdict);
    }
    const LineStatistics::Summary summary = statistics.summary();
    QCOMPARE(summary.requests, 9);
    QCOMPARE(summary.accepted, 4);
    QCOMPARE(summary.refused, 5);
    QCOMPARE(summary.refusals.at(ReplyFault::NoReply), 1);
    QCOMPARE(summary.refusals.at(ReplyFault::CrcError), 1);
    QCOMPARE(summary.refusals.at(ReplyFault::Exception), 2);
    QCOMPARE(summary.refusals.at(ReplyFault::WrongLength), 1);
    QCOMPARE(summary.refusals.count(ReplyFault::WrongSender), size_t(0));
    QCOMPARE(summary.exceptionCodes.at(2), 2);
    QCOMPARE(*summary.goodShare, 4.0 / 9.0);
    QCOMPARE(*summary.fastestMs, qint64(12));
    QCOMPARE(*summary.medianMs, qint64(30)); // of 12, 20, 30, 40: the upper middle
    QCOMPARE(*summary.slowestMs, qint64(40));
    QVERIFY(changed.size() >= 18);
    {
        StatisticsWindow window(statistics);
        QCOMPARE(window.value(StatisticsWindow::Row::ReplyTimes),
                 QStringLiteral("12 / 30 / 40 ms"));
        QCOMPARE(window.value(StatisticsWindow::Row::GoodShare), QStringLiteral("44.4 %"));
    }

    // A request that is never judged (the port closed) counts as sent only.
    statistics.requestSent();
    QCOMPARE(statistics.summary().requests, 10);
    QCOMPARE(statistics.summary().accepted + statistics.summary().refused, 9);

    statistics.reset();
    QCOMPARE(statistics.summary().requests, 0);
    QVERIFY(statistics.summary().refusals.empty());
    QVERIFY(!statistics.summary().medianMs);
    // Bytes of a request before the reset do not time the next one.
    now += 700;
    statistics.requestSent();
    now += 25;
    statistics.cycleJudged({ReplyFault::None});
    QVERIFY(!statistics.summary().medianMs);
}

// A translator installed before the window is built reaches every caption.
void TestLineHealth::windowCaptionsFollowTheTranslator() {
    MarkingTranslator marking;
    QCoreApplication::installTranslator(&marking);
    LineStatistics statistics;
    StatisticsWindow window(statistics);
    QCoreApplication::removeTranslator(&marking);
    QVERIFY(window.windowTitle().startsWith(QStringLiteral("«")));
    int captions = 0;
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (!label->buddy())
            continue;
        ++captions;
        QVERIFY2(label->text().contains(QStringLiteral("«")), qPrintable(label->text()));
    }
    QCOMPARE(captions, 12);
}

// The first row gives the time the counting began, again after a reset; the window opens
// with its focus on a button, so no caret sits in a value.
void TestLineHealth::windowTellsWhenCountingBegan() {
    LineStatistics statistics;
    StatisticsWindow window(statistics);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCOMPARE(window.value(StatisticsWindow::Row::Since),
             statistics.since().toString(QStringLiteral("HH:mm:ss")));
    QVERIFY(qobject_cast<QPushButton*>(window.focusWidget()));
    statistics.requestSent();
    const QDateTime before = statistics.since();
    QTRY_VERIFY(QDateTime::currentDateTime().toString(QStringLiteral("HH:mm:ss")) !=
                before.toString(QStringLiteral("HH:mm:ss")));
    window.findChild<QPushButton*>(QStringLiteral("resetStatistics"))->click();
    QVERIFY(statistics.since() > before);
    QCOMPARE(window.value(StatisticsWindow::Row::Since),
             statistics.since().toString(QStringLiteral("HH:mm:ss")));
    QCOMPARE(window.value(StatisticsWindow::Row::Requests), QStringLiteral("0"));
}

QTEST_MAIN(TestLineHealth)
#include "test_line_health.moc"
