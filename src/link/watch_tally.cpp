// SPDX-License-Identifier: MIT
#include "watch_tally.h"

#include <algorithm>

std::optional<double> SensorTally::goodShare() const {
    if (judged == 0)
        return std::nullopt;
    return static_cast<double>(good) / judged;
}

void WatchTally::begin(const QList<int>& addresses, const QList<SensorModel>& models) {
    sensors_.clear();
    for (int i = 0; i < addresses.size(); ++i) {
        SensorTally tally;
        tally.address = addresses[i];
        if (i < models.size())
            tally.model = models[i];
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
    tally.model = cycle.model;
    tally.lastVerdict = cycle.verdict;
    tally.silentInARow = cycle.verdict.fault == ReplyFault::NoReply ? tally.silentInARow + 1 : 0;
    if (cycle.verdict.accepted()) {
        ++tally.good;
        tally.lastGood = cycle.time;
        if (replyMs >= 0)
            tally.replyTimes.add(replyMs);
        if (cycle.readings) {
            tally.temperature = cycle.readings->temperature;
            tally.humidity = cycle.readings->humidity;
        }
    }
    return static_cast<int>(found - sensors_.begin());
}
