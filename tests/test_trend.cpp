// SPDX-License-Identifier: MIT
#include "language/qt_texts.h"
#include "sensor_catalogue.h"
#include "tool_rig.h"
#include "trend/trend_chart.h"
#include "trend/trend_part.h"
#include "trend/trend_window.h"

#include <QComboBox>
#include <QImage>
#include <QMouseEvent>
#include <QtTest>

namespace {
const QColor kTemperatureInk(200, 40, 30);

// The columns where the temperature is drawn, from..to.
int inkedColumns(TrendChart& chart, int from, int to) {
    QImage image(chart.size(), QImage::Format_RGB32);
    chart.render(&image);
    int inked = 0;
    for (int x = from; x < to; ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (image.pixelColor(x, y) == kTemperatureInk) {
                ++inked;
                break;
            }
        }
    }
    return inked;
}

// The highest and lowest rows where the temperature is drawn inside the plot's columns.
std::pair<int, int> inkedRows(TrendChart& chart) {
    QImage image(chart.size(), QImage::Format_RGB32);
    chart.render(&image);
    int top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 100; x < image.width() - 100; ++x) {
            if (image.pixelColor(x, y) == kTemperatureInk) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return {top, bottom};
}
// The pointer moved over the chart, as the window system reports it.
void pointAt(TrendChart& chart, QPoint at) {
    QMouseEvent move(QEvent::MouseMove, QPointF(at), chart.mapToGlobal(QPointF(at)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&chart, &move);
}
} // namespace

class TestTrend : public QObject {
    Q_OBJECT
private slots:
    void valueAxisSpansTheReadings();
    void pointerPastTheNewestShowsTheNewest();
    void curvesAreNotJoinedAcrossAGapAndTheHoverNamesTheSensor();
    void axesFollowTheModelsReadoutsInEitherLanguage();
};

// However narrow or wide the readings, they fill most of the plot's height and none is cut.
// The extremes sit between ticks, where rounding the axis the wrong way shows.
void TestTrend::valueAxisSpansTheReadings() {
    const qint64 start = 1'800'000'000'000;
    for (const auto& [low, high] : {std::pair{20.07, 20.63}, std::pair{-31.3, 44.2}}) {
        ReadingSeries series;
        for (int i = 0; i <= 600; ++i) // a sawtooth between the two extremes
            series.add(start + 1000LL * i, low + (high - low) * (i % 100) / 99.0, 50.0);
        TrendChart chart(series);
        chart.resize(800, 400);
        chart.setClock([start] { return start + 600'000; });
        chart.setSpan(TrendChart::Span::Everything);
        const auto [top, bottom] = inkedRows(chart);
        QVERIFY2(bottom - top > 400 / 2, qPrintable(QStringLiteral("%1..%2").arg(top).arg(bottom)));
        // Inside the plot (28 to 370), not clipped at its edges.
        QVERIFY2(top > 28 && bottom < 400 - 30,
                 qPrintable(QStringLiteral("%1..%2").arg(top).arg(bottom)));
    }
}

void TestTrend::pointerPastTheNewestShowsTheNewest() {
    const qint64 start = 1'800'000'000'000;
    ReadingSeries series;
    for (int i = 0; i < 100; ++i)
        series.add(start + 700LL * i, 20.0 + i / 10.0, 50.0);
    TrendChart chart(series);
    chart.resize(800, 400);
    // The window is drawn a little after the newest reading.
    chart.setClock([start] { return start + 700LL * 99 + 100; });
    chart.setSpan(TrendChart::Span::Everything);
    pointAt(chart, QPoint(800 - 65, 200)); // the plot's right edge: now
    QVERIFY(chart.hovered());
    QCOMPARE(chart.hovered()->ms, start + 700LL * 99);
    QCOMPARE(chart.hovered()->temperature, 29.9f);
    pointAt(chart, QPoint(64, 200)); // its left edge: the oldest
    QVERIFY(chart.hovered());
    QCOMPARE(chart.hovered()->ms, start);
}

// Two minutes of address 5 on COM3, four minutes without readings, two of address 8 on
// COM3: nothing is drawn in the gap; the pointer on either side names the sensor.
void TestTrend::curvesAreNotJoinedAcrossAGapAndTheHoverNamesTheSensor() {
    const qint64 start = 1'800'000'000'000;
    ReadingSeries series;
    for (int i = 0; i < 120; ++i)
        series.add(start + 1000LL * i, 20.0 + i / 100.0, 50.0, {5, 3});
    series.breakCurve();
    for (int i = 360; i < 480; ++i)
        series.add(start + 1000LL * i, 30.0 - i / 100.0, 50.0, {8, 3});
    TrendChart chart(series);
    chart.resize(64 + 480 + 64, 400); // one column a second
    chart.setClock([start] { return start + 480'000; });
    chart.setSpan(TrendChart::Span::Everything);
    QCOMPARE(inkedColumns(chart, 64 + 125, 64 + 355), 0);
    QVERIFY(inkedColumns(chart, 64 + 10, 64 + 110) > 90);
    QVERIFY(inkedColumns(chart, 64 + 370, 64 + 470) > 90);

    pointAt(chart, QPoint(64 + 60, 200));
    QVERIFY(chart.hovered());
    QCOMPARE(chart.hoveredSensor(), (SensorOnPort{5, 3}));
    pointAt(chart, QPoint(64 + 400, 200));
    QVERIFY(chart.hovered());
    QCOMPARE(chart.hoveredSensor(), (SensorOnPort{8, 3}));
}

// The axes take the names and units of the model whose readings the shown series holds: a
// soil probe's moisture for the poll, the tool's own for a watched sensor; in English too.
void TestTrend::axesFollowTheModelsReadoutsInEitherLanguage() {
    const auto chinese = qScopeGuard([] { InstallLanguage(*qApp, Language::Chinese); });
    LineRig rig(true);
    QWidget window;
    TrendPart part(window, rig.line);
    const auto cycle = [](int address, const char* model) {
        JudgedCycle judged;
        judged.time = QDateTime::currentDateTime();
        judged.address = address;
        judged.model = *SensorCatalogue().find(QLatin1String(model));
        judged.readings = ModelReadings{Readout{213, 1, QStringLiteral("21.3℃")}, {}};
        return judged;
    };
    part.showWindow();
    auto* trend = window.findChild<TrendWindow*>();
    part.keep(cycle(3, "jxct-soil"));
    part.keepWatched(cycle(41, "rs-ws-n01"));
    const ChartReadouts soil = trend->chart().readouts();
    QCOMPARE(soil.secondName + soil.secondUnit, QStringLiteral("土壤水分%"));
    QCOMPARE(soil.firstName + soil.firstUnit, QStringLiteral("温度℃"));

    auto* source = trend->findChild<QComboBox*>(QStringLiteral("trendSource"));
    source->setCurrentIndex(1);
    QCOMPARE(trend->chart().readouts().secondName, QStringLiteral("湿度"));
    // Another model found at the watched address: the source shown takes its readouts.
    part.keepWatched(cycle(41, "jxct-soil"));
    QCOMPARE(trend->chart().readouts().secondName + trend->chart().readouts().secondUnit,
             QStringLiteral("土壤水分%"));
    source->setCurrentIndex(0);
    QCOMPARE(trend->chart().readouts().secondName, QStringLiteral("土壤水分"));

    QVERIFY(InstallLanguage(*qApp, Language::English));
    QCoreApplication::processEvents(); // the window hears the change; the part follows
    trend = window.findChild<TrendWindow*>();
    QCOMPARE(trend->chart().readouts().secondName, QStringLiteral("Soil moisture"));
    QCOMPARE(trend->chart().readouts().firstName, QStringLiteral("Temperature"));
}

QTEST_MAIN(TestTrend)
#include "test_trend.moc"
