// SPDX-License-Identifier: MIT
#pragma once

#include "judged_cycle.h"
#include "reply_times.h"

#include <QDateTime>
#include <QList>
#include <optional>
#include <vector>

// What the bus watch has seen of one sensor since it started.
struct SensorTally {
    int address = 0;
    SensorModel model;                  // whose map its readings follow
    std::optional<Readout> temperature; // of the last good reading
    std::optional<Readout> humidity;
    std::optional<ReplyVerdict> lastVerdict;
    QDateTime lastGood;
    int judged = 0;
    int good = 0;
    int silentInARow = 0;  // turns in a row without any reply
    ReplyTimes replyTimes; // of accepted replies: a fixed size however long the watch runs

    std::optional<double> goodShare() const;
    std::optional<qint64> medianReplyMs() const { return replyTimes.median(); }
    // Not answered for this many rounds in a row: marked as silent.
    static constexpr int kSilentRounds = 3;
    bool silent() const { return silentInARow >= kSilentRounds; }
};

// The bus watch's table: one tally per watched address, in the order they were given.
class WatchTally {
public:
    // models: each address's, in the same order; the tool's own where none is given.
    void begin(const QList<int>& addresses, const QList<SensorModel>& models = {});
    // Returns the row that changed, or -1 for an address not watched.
    int add(const JudgedCycle& cycle, qint64 replyMs);
    const std::vector<SensorTally>& sensors() const { return sensors_; }

private:
    std::vector<SensorTally> sensors_;
};
