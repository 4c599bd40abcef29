// SPDX-License-Identifier: MIT
// The CSV record's format and the series behind the trend.
#include "csv_record.h"
#include "reading_series.h"
#include "recorder.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <ctime>

class TestRecord : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        qputenv("TZ", "CST-8"); // a POSIX zone, which Windows' C runtime reads too
        tzset();
    }
    void rowsAndQuoting_data();
    void rowsAndQuoting();
    void fileStartsWithMarkAndHeaderOnce();
    void thinningKeepsTheExtremesOfEachColumn();
    void seriesHoldsOneDayAndFindsTheNearest();
    void seriesSplitsIntoCurves();
};

void TestRecord::rowsAndQuoting_data() {
    QTest::addColumn<QByteArray>("row");
    QTest::addColumn<QByteArray>("expected");
    const QDateTime at(QDate(2026, 12, 7), QTime(16, 5, 50, 123), Qt::OffsetFromUTC, 8 * 3600);
    CycleRecord good{at,
                     1,
                     true,
                     251,
                     603,
                     QStringLiteral("01 03 00 00 00 02 C4 0B "),
                     QStringLiteral("01 03 04 00 FB 02 5B 5A 9B "),
                     {}};
    const QByteArray time = "2026-12-07T16:05:50.123+08:00";
    QTest::newRow("accepted") << Csv::Row(good)
                              << time + ",1,ok,25.1,60.3,01 03 00 00 00 02 C4 0B,"
                                        "01 03 04 00 FB 02 5B 5A 9B,,,\r\n";
    CycleRecord cold = good;
    cold.temperatureTenths = -5;
    cold.humidityTenths.reset(); // a one-register reply
    QTest::newRow("below zero, no humidity")
        << Csv::Row(cold)
        << time + ",1,ok,-0.5,,01 03 00 00 00 02 C4 0B,01 03 04 00 FB 02 5B 5A 9B,,,\r\n";
    CycleRecord refused = good;
    refused.ok = false;
    refused.reply.clear();
    refused.reason = QStringLiteral("no_reply");
    QTest::newRow("refused cycle has no values")
        << Csv::Row(refused) << time + ",1,error,,,01 03 00 00 00 02 C4 0B,,no_reply,,\r\n";
    CycleRecord spoilt = good;
    spoilt.ok = false;
    spoilt.reason = QStringLiteral("crc");
    QTest::newRow("a wrong CRC is an error with its reason")
        << Csv::Row(spoilt)
        << time + ",1,error,,,01 03 00 00 00 02 C4 0B,01 03 04 00 FB 02 5B 5A 9B,crc,,\r\n";
    QTest::newRow("a file begun without the model column keeps eight")
        << Csv::Row(spoilt, Csv::Columns::WithReason)
        << time + ",1,error,,,01 03 00 00 00 02 C4 0B,01 03 04 00 FB 02 5B 5A 9B,crc\r\n";
    CycleRecord moisture = good;
    moisture.model = QStringLiteral("jxct-soil");
    moisture.port = 4;
    moisture.temperatureScaled = -1234;
    moisture.temperatureDecimals = 2;
    moisture.humidityScaled = 417;
    QTest::newRow("a model's values in its own decimals, with the model and the port")
        << Csv::Row(moisture)
        << time + ",1,ok,-12.34,41.7,01 03 00 00 00 02 C4 0B,01 03 04 00 FB 02 5B 5A 9B,,"
                  "jxct-soil,4\r\n";
    CycleRecord faulty = moisture;
    faulty.temperatureTenths.reset();
    faulty.temperatureScaled.reset(); // the sensor said it cannot measure
    QTest::newRow("a sensor error leaves its value empty")
        << Csv::Row(faulty)
        << time + ",1,ok,,41.7,01 03 00 00 00 02 C4 0B,01 03 04 00 FB 02 5B 5A 9B,,jxct-soil,4\r\n";
    QTest::newRow("a file begun without the reason column keeps seven")
        << Csv::Row(spoilt, Csv::Columns::WithoutReason)
        << time + ",1,error,,,01 03 00 00 00 02 C4 0B,01 03 04 00 FB 02 5B 5A 9B\r\n";
    QTest::newRow("plain field") << Csv::Field(QStringLiteral("ok")).toUtf8() << QByteArray("ok");
    QTest::newRow("comma and quote")
        << Csv::Field(QStringLiteral("a,\"b\"")).toUtf8() << QByteArray("\"a,\"\"b\"\"\"");
    QTest::newRow("line break") << Csv::Field(QStringLiteral("a\r\nb")).toUtf8()
                                << QByteArray("\"a\r\nb\"");
}

void TestRecord::rowsAndQuoting() {
    QFETCH(QByteArray, row);
    QFETCH(QByteArray, expected);
    QCOMPARE(row, expected);
}

void TestRecord::fileStartsWithMarkAndHeaderOnce() {
    // Local time with its offset, also where the local zone is UTC.
    const QDateTime at(QDate(2026, 12, 7), QTime(9, 0, 0, 7), Qt::UTC);
    QCOMPARE(Csv::Timestamp(at), QStringLiteral("2026-12-07T17:00:00.007+08:00"));
    qputenv("TZ", "UTC");
    tzset();
    QCOMPARE(Csv::Timestamp(at), QStringLiteral("2026-12-07T09:00:00.007+00:00"));
    qputenv("TZ", "CST-8");
    tzset();

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("record.csv"));
    const CycleRecord cycle{at, 7, true, 200, 500, QStringLiteral("07 03 "), QStringLiteral("07 "),
                            {}};
    for (const RecordFile::Mode mode : {RecordFile::Mode::Append, RecordFile::Mode::Append}) {
        Recorder recorder;
        QString error;
        QVERIFY(recorder.start(path, mode, &error));
        recorder.record(cycle);
        QCOMPARE(recorder.rows(), 1);
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    QVERIFY(content.startsWith("\xEF\xBB\xBFtime,address,verdict,"));
    QCOMPARE(content.count("time,address"), 1); // appending adds no second header
    QCOMPARE(content.count("\r\n"), 3);
    QCOMPARE(content.count('\n'), 3);
    file.close();

    Recorder replacing;
    QString error;
    QVERIFY(replacing.start(path, RecordFile::Mode::Replace, &error));
    replacing.stop();
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), Csv::Preamble());

    Recorder nowhere;
    QVERIFY(!nowhere.start(dir.filePath(QStringLiteral("no/such/folder.csv")),
                           RecordFile::Mode::Append, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!nowhere.recording());

    // A file begun by the version before the reason column keeps its seven columns.
    const QString older = dir.filePath(QStringLiteral("older.csv"));
    QFile olderFile(older);
    QVERIFY(olderFile.open(QIODevice::WriteOnly));
    olderFile.write("\xEF\xBB\xBFtime,address,verdict,temperature_c,humidity_percent,request,"
                    "reply\r\n");
    olderFile.close();
    CycleRecord refused = cycle;
    refused.ok = false;
    refused.reason = QStringLiteral("crc");
    for (const QString& target : {older, path}) {
        Recorder appending;
        QVERIFY(appending.start(target, RecordFile::Mode::Append, &error));
        appending.record(refused);
    }
    const auto lastRow = [](const QString& target) {
        QFile file(target);
        file.open(QIODevice::ReadOnly);
        return file.readAll().trimmed().split('\n').last();
    };
    QCOMPARE(lastRow(older).count(','), 6);
    QVERIFY(lastRow(path).contains(",crc,"));
}

void TestRecord::thinningKeepsTheExtremesOfEachColumn() {
    ReadingSeries series;
    // A day at 700 ms with one spike up and one down in the humidity, far apart.
    const qint64 start = 1'800'000'000'000;
    const int count = static_cast<int>(ReadingSeries::kSpanMs / 700);
    for (int i = 0; i < count; ++i) {
        const double humidity = i == 1000 ? 99.9 : i == 90000 ? 0.1 : 50.0 + (i % 7) / 10.0;
        series.add(start + 700LL * i, 20.0 + (i % 11) / 10.0, humidity);
    }
    const qint64 end = start + 700LL * (count - 1);
    const auto columns = Thin(series, start, end, 600);
    QCOMPARE(columns.size(), size_t(600));
    float highest = 0, lowest = 100;
    for (const ThinnedColumn& column : columns) {
        QVERIFY(column.temperature.present && column.humidity.present);
        QCOMPARE(column.temperature.min, 20.0f);
        QCOMPARE(column.temperature.max, 21.0f);
        highest = std::max(highest, column.humidity.max);
        lowest = std::min(lowest, column.humidity.min);
    }
    QCOMPARE(highest, 99.9f);
    QCOMPARE(lowest, 0.1f);
    // The spike sits in the column its time falls into, and only there.
    const auto spikeColumn = static_cast<size_t>(double(700LL * 1000) / double(end - start) * 600);
    QCOMPARE(columns[spikeColumn].humidity.max, 99.9f);
    QVERIFY(columns[spikeColumn + 1].humidity.max < 51.0f);
}

void TestRecord::seriesHoldsOneDayAndFindsTheNearest() {
    ReadingSeries series;
    const qint64 start = 1'800'000'000'000;
    for (qint64 t = 0; t <= ReadingSeries::kSpanMs + 3600'000; t += 60'000)
        series.add(start + t, 21.0, std::nullopt);
    QVERIFY(series.points().front().ms >= series.points().back().ms - ReadingSeries::kSpanMs);
    QCOMPARE(series.points().size(), size_t(24 * 60 + 1));
    const ReadingPoint* near = series.nearest(series.points().front().ms + 29'000);
    QVERIFY(near);
    QCOMPARE(near->ms, series.points().front().ms);
    QCOMPARE(series.nearest(series.points().front().ms + 31'000)->ms,
             series.points().front().ms + 60'000);
    QVERIFY(std::isnan(near->humidity));
    QVERIFY(!ReadingSeries().nearest(0));
    // Past either end, the end itself.
    QCOMPARE(series.nearest(series.points().back().ms + 600'000)->ms, series.points().back().ms);
    QCOMPARE(series.nearest(series.points().front().ms - 600'000)->ms, series.points().front().ms);
}

// A curve is one sensor without a gap: another address or port starts one, so do two
// cycles in a row without a reading (one is bridged) and a break; curves go with their
// oldest points, and the columns of a thinned span name the curves they hold.
void TestRecord::seriesSplitsIntoCurves() {
    ReadingSeries series;
    const qint64 start = 1'800'000'000'000;
    qint64 t = start;
    const auto next = [&](int address, int port, int missed = 0) {
        for (int i = 0; i < missed; ++i)
            series.missed();
        series.add(t += 700 * (missed + 1), 21.5, 40.0, {address, port});
    };
    next(7, 3);
    next(7, 3);
    next(7, 3, 1); // bridged
    next(7, 3, 2); // a gap: curve 1 from point 3
    next(9, 3);    // another address: curve 2
    next(9, 4);    // another port: curve 3
    series.breakCurve();
    next(9, 4); // curve 4 from point 6
    next(9, 4);
    QCOMPARE(series.curves().size(), size_t(5));
    QCOMPARE(series.curves()[1].firstSerial, qint64(3));
    QCOMPARE(series.curves()[4].firstSerial, qint64(6));
    QCOMPARE(series.curveOf(2).id, qint64(0));
    QCOMPARE(series.curveOf(5).sensor, (SensorOnPort{9, 4}));
    QCOMPARE(series.curveOf(7).id, qint64(4));
    qint64 seen = -1;
    int breaks = 0;
    for (const ThinnedColumn& column : Thin(series, start, t, 100)) {
        if (column.temperature.present) {
            breaks += seen >= 0 && column.firstCurve != seen ? 1 : 0;
            seen = column.lastCurve;
        }
    }
    QCOMPARE(breaks, 4);
    // A day later only the newest curve is left, and it still finds its points.
    t += ReadingSeries::kSpanMs;
    next(9, 4);
    QCOMPARE(series.curves().size(), size_t(1));
    QCOMPARE(series.curveOf(0).id, qint64(4));
}

QTEST_GUILESS_MAIN(TestRecord)
#include "test_record.moc"
