// SPDX-License-Identifier: MIT
#include "reading_series.h"

#include <algorithm>

void ReadingSeries::add(qint64 ms, double temperature, std::optional<double> humidity,
                        SensorOnPort sensor) {
    const qint64 serial = firstSerial_ + static_cast<qint64>(points_.size());
    if (curves_.empty() || curves_.back().sensor != sensor || missedInARow_ > kBridgedMisses ||
        broken_)
        curves_.push_back({curves_.empty() ? 0 : curves_.back().id + 1, serial, sensor});
    missedInARow_ = 0;
    broken_ = false;
    points_.push_back(
        {ms, static_cast<float>(temperature), humidity ? static_cast<float>(*humidity) : NAN});
    while (!points_.empty() && points_.front().ms < ms - kSpanMs) {
        points_.pop_front();
        ++firstSerial_;
    }
    while (curves_.size() > 1 && curves_[1].firstSerial <= firstSerial_)
        curves_.pop_front();
}

const Curve& ReadingSeries::curveOf(std::size_t index) const {
    const qint64 serial = firstSerial_ + static_cast<qint64>(index);
    const auto after =
        std::upper_bound(curves_.begin(), curves_.end(), serial,
                         [](qint64 s, const Curve& curve) { return s < curve.firstSerial; });
    return *std::prev(after);
}

std::optional<std::size_t> ReadingSeries::nearestIndex(qint64 ms) const {
    if (points_.empty())
        return std::nullopt;
    const auto after = std::lower_bound(points_.begin(), points_.end(), ms,
                                        [](const ReadingPoint& p, qint64 t) { return p.ms < t; });
    if (after == points_.begin())
        return 0;
    if (after == points_.end())
        return points_.size() - 1;
    const auto before = std::prev(after);
    const auto nearer = (ms - before->ms) <= (after->ms - ms) ? before : after;
    return static_cast<std::size_t>(nearer - points_.begin());
}

const ReadingPoint* ReadingSeries::nearest(qint64 ms) const {
    const auto index = nearestIndex(ms);
    return index ? &points_[*index] : nullptr;
}

namespace {
void take(ColumnValues& column, float value) {
    if (std::isnan(value))
        return;
    if (!column.present) {
        column = {true, value, value, value, value};
        return;
    }
    column.min = std::min(column.min, value);
    column.max = std::max(column.max, value);
    column.last = value;
}
} // namespace

std::vector<ThinnedColumn> Thin(const ReadingSeries& series, qint64 fromMs, qint64 toMs,
                                int columns) {
    std::vector<ThinnedColumn> result(static_cast<std::size_t>(std::max(0, columns)));
    if (columns <= 0 || toMs <= fromMs)
        return result;
    const auto& points = series.points();
    auto it = std::lower_bound(points.begin(), points.end(), fromMs,
                               [](const ReadingPoint& p, qint64 t) { return p.ms < t; });
    const double span = static_cast<double>(toMs - fromMs);
    if (it == points.end())
        return result;
    // The curves are walked beside the points: a point belongs to the last curve begun by
    // its serial number.
    const auto& curves = series.curves();
    auto index = static_cast<std::size_t>(it - points.begin());
    auto curve = std::prev(std::upper_bound(
        curves.begin(), curves.end(), series.firstSerial() + static_cast<qint64>(index),
        [](qint64 serial, const Curve& c) { return serial < c.firstSerial; }));
    for (; it != points.end() && it->ms <= toMs; ++it, ++index) {
        const qint64 serial = series.firstSerial() + static_cast<qint64>(index);
        while (std::next(curve) != curves.end() && std::next(curve)->firstSerial <= serial)
            ++curve;
        const auto column =
            std::min<qint64>(columns - 1, static_cast<qint64>((it->ms - fromMs) / span * columns));
        ThinnedColumn& cell = result[static_cast<std::size_t>(column)];
        take(cell.temperature, it->temperature);
        take(cell.humidity, it->humidity);
        if (cell.firstCurve < 0)
            cell.firstCurve = curve->id;
        cell.lastCurve = curve->id;
    }
    return result;
}
