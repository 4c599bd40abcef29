// SPDX-License-Identifier: MIT
#include "line_statistics.h"

#include <QElapsedTimer>
#include <algorithm>

LineStatistics::LineStatistics(std::function<qint64()> clockMs, QObject* parent)
    : QObject(parent), clockMs_(std::move(clockMs)) {
    if (!clockMs_) {
        clockMs_ = [] {
            static QElapsedTimer clock;
            if (!clock.isValid())
                clock.start();
            return clock.elapsed();
        };
    }
}

void LineStatistics::reset() {
    counts_ = {};
    sentAt_.reset();
    lastByteAt_.reset();
    replyTimes_.clear();
    emit changed();
}

void LineStatistics::requestSent() {
    ++counts_.requests;
    sentAt_ = clockMs_();
    lastByteAt_.reset();
    emit changed();
}

void LineStatistics::bytesReceived() {
    lastByteAt_ = clockMs_();
}

void LineStatistics::cycleJudged(const ReplyVerdict& verdict) {
    if (verdict.accepted()) {
        ++counts_.accepted;
        if (sentAt_ && lastByteAt_ && *lastByteAt_ >= *sentAt_)
            replyTimes_.push_back(*lastByteAt_ - *sentAt_);
    } else {
        ++counts_.refused;
        ++counts_.refusals[verdict.fault];
        if (verdict.fault == ReplyFault::Exception)
            ++counts_.exceptionCodes[verdict.exceptionCode];
    }
    sentAt_.reset();
    emit changed();
}

LineStatistics::Summary LineStatistics::summary() const {
    Summary summary = counts_;
    const int judged = counts_.accepted + counts_.refused;
    if (judged > 0)
        summary.goodShare = static_cast<double>(counts_.accepted) / judged;
    if (!replyTimes_.empty()) {
        std::vector<qint64> times = replyTimes_;
        const auto middle = times.begin() + static_cast<std::ptrdiff_t>(times.size() / 2);
        std::nth_element(times.begin(), middle, times.end());
        summary.medianMs = *middle;
        const auto [fastest, slowest] = std::minmax_element(times.begin(), times.end());
        summary.fastestMs = *fastest;
        summary.slowestMs = *slowest;
    }
    return summary;
}
