// SPDX-License-Identifier: MIT
#include "reading_series.h"

#include <algorithm>

void ReadingSeries::add(qint64 ms, double temperature, std::optional<double> humidity) {
    points_.push_back(
        {ms, static_cast<float>(temperature), humidity ? static_cast<float>(*humidity) : NAN});
    while (!points_.empty() && points_.front().ms < ms - kSpanMs)
        points_.pop_front();
}

const ReadingPoint* ReadingSeries::nearest(qint64 ms) const {
    if (points_.empty())
        return nullptr;
    const auto after = std::lower_bound(points_.begin(), points_.end(), ms,
                                        [](const ReadingPoint& p, qint64 t) { return p.ms < t; });
    if (after == points_.begin())
        return &*after;
    if (after == points_.end())
        return &points_.back();
    const auto before = std::prev(after);
    return (ms - before->ms) <= (after->ms - ms) ? &*before : &*after;
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
    for (; it != points.end() && it->ms <= toMs; ++it) {
        const auto column =
            std::min<qint64>(columns - 1, static_cast<qint64>((it->ms - fromMs) / span * columns));
        ThinnedColumn& cell = result[static_cast<std::size_t>(column)];
        take(cell.temperature, it->temperature);
        take(cell.humidity, it->humidity);
    }
    return result;
}
