// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>
#include <array>
#include <optional>

// Reply times in whole milliseconds, kept as a histogram of one-millisecond bins: the
// clock that measures them counts whole milliseconds, so the median read from the bins is
// the exact median of what was measured, and the memory stays the same however long a run
// goes (a week of a sensor's turns is some 864,000 times). The median follows each time
// added in a step or two, so reading it costs nothing.
class ReplyTimes {
public:
    // No reply is judged later than the longest reply timeout (1000 ms); the bins reach twice
    // that, and a time beyond (a stalled event loop) counts in the last bin.
    static constexpr int kBins = 2001;

    void add(qint64 ms);
    void clear() { *this = {}; }
    quint32 count() const { return count_; }
    // Of an even count the upper of the two middle times: a time that was measured.
    std::optional<qint64> median() const;
    std::optional<qint64> fastest() const;
    std::optional<qint64> slowest() const;

private:
    std::array<quint32, kBins> bins_{};
    quint32 count_ = 0;
    int medianBin_ = 0;
    quint32 belowMedian_ = 0; // times in the bins below medianBin_
    qint64 fastest_ = 0;
    qint64 slowest_ = 0;
};
