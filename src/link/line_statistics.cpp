// SPDX-License-Identifier: MIT
#include "line_statistics.h"

#include <QElapsedTimer>

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
    since_ = QDateTime::currentDateTime();
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
            replyTimes_.add(*lastByteAt_ - *sentAt_);
    } else {
        ++counts_.refused;
        ++counts_.refusals[verdict.fault];
        if (verdict.exceptionCode != 0)
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
    summary.medianMs = replyTimes_.median();
    summary.fastestMs = replyTimes_.fastest();
    summary.slowestMs = replyTimes_.slowest();
    return summary;
}
