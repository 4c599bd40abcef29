// SPDX-License-Identifier: MIT
#include "watch_tally.h"

#include <algorithm>

std::optional<double> SensorTally::goodShare() const {
    if (judged == 0)
        return std::nullopt;
    return static_cast<double>(good) / judged;
}

void WatchTally::begin(const QList<int>& addresses) {
    sensors_.clear();
    for (const int address : addresses) {
        SensorTally tally;
        tally.address = address;
        sensors_.push_back(tally);
    }
}

int WatchTally::add(const JudgedCycle& cycle, qint64 replyMs) {
    const auto found = std::find_if(sensors_.begin(), sensors_.end(), [&](const SensorTally& s) {
        return s.address == cycle.address;
    });
    if (found == sensors_.end())
        return -1;
    SensorTally& tally = *found;
    ++tally.judged;
    tally.lastVerdict = cycle.verdict;
    tally.silentInARow = cycle.verdict.fault == ReplyFault::NoReply ? tally.silentInARow + 1 : 0;
    if (cycle.verdict.accepted()) {
        ++tally.good;
        tally.lastGood = cycle.time;
        if (replyMs >= 0)
            tally.replyTimes.add(replyMs);
        if (cycle.readings) {
            tally.temperatureTenths = cycle.readings->temperatureTenths;
            tally.humidityTenths = cycle.readings->humidityTenths;
        }
    }
    return static_cast<int>(found - sensors_.begin());
}
