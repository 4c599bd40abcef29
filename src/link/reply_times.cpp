// SPDX-License-Identifier: MIT
#include "reply_times.h"

#include <algorithm>

void ReplyTimes::add(qint64 ms) {
    ms = std::max<qint64>(0, ms);
    const int bin = static_cast<int>(std::min<qint64>(ms, kBins - 1));
    ++bins_[static_cast<std::size_t>(bin)];
    ++count_;
    if (count_ == 1) {
        fastest_ = slowest_ = ms;
        medianBin_ = bin;
        belowMedian_ = 0;
        return;
    }
    fastest_ = std::min(fastest_, ms);
    slowest_ = std::max(slowest_, ms);
    if (bin < medianBin_)
        ++belowMedian_;
    // The median is the time of rank count/2 (from 0): move to the bin that holds that rank.
    const quint32 rank = count_ / 2;
    while (rank < belowMedian_) {
        --medianBin_;
        belowMedian_ -= bins_[static_cast<std::size_t>(medianBin_)];
    }
    while (rank >= belowMedian_ + bins_[static_cast<std::size_t>(medianBin_)]) {
        belowMedian_ += bins_[static_cast<std::size_t>(medianBin_)];
        ++medianBin_;
    }
}

std::optional<qint64> ReplyTimes::median() const {
    if (count_ == 0)
        return std::nullopt;
    // The last bin holds every longer time: there the slowest stands for them.
    return medianBin_ == kBins - 1 ? slowest_ : medianBin_;
}

std::optional<qint64> ReplyTimes::fastest() const {
    return count_ == 0 ? std::nullopt : std::optional<qint64>(fastest_);
}

std::optional<qint64> ReplyTimes::slowest() const {
    return count_ == 0 ? std::nullopt : std::optional<qint64>(slowest_);
}
