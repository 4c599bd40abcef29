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

// The sensor a reading came from: its address, and the port it answered on (0: not known).
struct SensorOnPort {
    int address = 0;
    int port = 0;
    bool operator==(const SensorOnPort& other) const {
        return address == other.address && port == other.port;
    }
    bool operator!=(const SensorOnPort& other) const { return !(*this == other); }
};

// A run of readings drawn as one line: one sensor, without a gap.
struct Curve {
    qint64 id = 0;          // counts up through the run
    qint64 firstSerial = 0; // of its first point (points are numbered as they came)
    SensorOnPort sensor;
};

// The accepted readings of this run, the newest 24 hours of them at most (some 123,000
// points, 16 bytes each, for one sensor polled every 700 ms), split into curves: a new one
// starts with another sensor, after more than two cycles without a reading (a gap of more
// than two cycles), or where the cycles themselves paused (breakCurve).
class ReadingSeries {
public:
    static constexpr qint64 kSpanMs = 24LL * 60 * 60 * 1000;
    // Cycles in a row without a reading that a curve still bridges.
    static constexpr int kBridgedMisses = 1;

    void add(qint64 ms, double temperature, std::optional<double> humidity,
             SensorOnPort sensor = {});
    // A cycle that brought no reading.
    void missed() { ++missedInARow_; }
    // The next reading starts a curve of its own.
    void breakCurve() { broken_ = true; }
    const std::deque<ReadingPoint>& points() const { return points_; }
    bool empty() const { return points_.empty(); }
    // The point nearest to ms, or nullptr when there is none; its place in points().
    const ReadingPoint* nearest(qint64 ms) const;
    std::optional<std::size_t> nearestIndex(qint64 ms) const;
    // The curve of points()[index].
    const Curve& curveOf(std::size_t index) const;
    const std::deque<Curve>& curves() const { return curves_; }
    // The serial number of points().front(): points are numbered as they came.
    qint64 firstSerial() const { return firstSerial_; }

private:
    std::deque<ReadingPoint> points_;
    std::deque<Curve> curves_;
    qint64 firstSerial_ = 0;
    int missedInARow_ = 0;
    bool broken_ = false;
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
    qint64 firstCurve = -1; // the curves of its first and last point
    qint64 lastCurve = -1;
};

// The points from fromMs to toMs spread over columns, each column keeping the extremes of
// the points that fall into it: a day of readings draws in a few hundred columns without
// losing a spike.
std::vector<ThinnedColumn> Thin(const ReadingSeries& series, qint64 fromMs, qint64 toMs,
                                int columns);
