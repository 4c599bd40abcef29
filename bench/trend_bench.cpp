// SPDX-License-Identifier: MIT
// Fills the trend's series with a full day of readings and times the chart's repaint.
#include "process_stats.h"
#include "reading_series.h"
#include "trend/trend_chart.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const long before = ResidentMemoryKiB();
    ReadingSeries series;
    const qint64 start = 1'800'000'000'000;
    // Two days at the poll rate: the series must keep only the newest one.
    const qint64 points = 2 * ReadingSeries::kSpanMs / 700;
    for (qint64 i = 0; i < points; ++i)
        series.add(start + 700 * i, 22 + 3 * std::sin(i / 5000.0) + (i % 13) / 20.0,
                   55 + 10 * std::cos(i / 7000.0));
    const long after = ResidentMemoryKiB();

    TrendChart chart(series);
    chart.setClock([&] { return series.points().back().ms; });
    chart.setSpan(TrendChart::Span::Everything);
    chart.resize(1200, 500);
    QImage image(chart.size(), QImage::Format_ARGB32_Premultiplied);
    std::vector<double> times;
    for (int i = 0; i < 41; ++i) {
        QElapsedTimer clock;
        clock.start();
        chart.render(&image);
        times.push_back(clock.nsecsElapsed() / 1e6);
    }
    times.erase(times.begin()); // the first paint warms the font caches
    std::sort(times.begin(), times.end());
    std::printf("points %zu\nrepaint_median_ms %.2f\nrepaint_max_ms %.2f\nseries_kib %ld\n",
                series.points().size(), times[times.size() / 2], times.back(), after - before);
    if (argc > 1)
        image.save(QString::fromLocal8Bit(argv[1]));
    return 0;
}
