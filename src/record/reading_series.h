// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>
#include <cmath>
#include <deque>
#include <optional>
#include <vector>

// One accepted reading: when, in ms since the epoch, and the two values (humidity NaN when
// the reply carried none).
struct ReadingPoint {
    qint64 ms = 0;
    float temperature = 0;
    float humidity = NAN;
};

// The accepted readings of this run, the newest 24 hours of them at most.
class ReadingSeries {
public:
    static constexpr qint64 kSpanMs = 24LL * 60 * 60 * 1000;

    void add(qint64 ms, double temperature, std::optional<double> humidity);
    const std::deque<ReadingPoint>& points() const { return points_; }
    bool empty() const { return points_.empty(); }
    // The point nearest to ms, or nullptr when there is none.
    const ReadingPoint* nearest(qint64 ms) const;

private:
    std::deque<ReadingPoint> points_;
};

// What one drawn column of a chart holds of one value: its extremes, and the first and
// last value in time so the columns join up.
struct ColumnValues {
    bool present = false;
    float min = 0;
    float max = 0;
    float first = 0;
    float last = 0;
};

struct ThinnedColumn {
    ColumnValues temperature;
    ColumnValues humidity;
};

// The points from fromMs to toMs spread over columns, each column keeping the extremes of
// the points that fall into it: a day of readings draws in a few hundred columns without
// losing a spike.
std::vector<ThinnedColumn> Thin(const ReadingSeries& series, qint64 fromMs, qint64 toMs,
                                int columns);
