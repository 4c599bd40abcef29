// SPDX-License-Identifier: MIT
#pragma once

#include "reply_check.h"
#include "reply_times.h"

#include <QDateTime>
#include <QObject>
#include <functional>
#include <map>
#include <optional>

// How the line has been doing since the port was opened (or the last reset): the "Tx / Err"
// counts of a Modbus master, with refusals by reason and the reply time of accepted replies,
// measured from the write to the last byte received before the reply was judged.
class LineStatistics final : public QObject {
    Q_OBJECT
public:
    // clockMs: a monotonic clock in milliseconds; the steady clock unless a test gives one.
    explicit LineStatistics(std::function<qint64()> clockMs = {}, QObject* parent = nullptr);

    struct Summary {
        int requests = 0;
        int accepted = 0;
        int refused = 0;
        std::map<ReplyFault, int> refusals; // by reason
        std::map<int, int> exceptionCodes;  // refusals by exception code, a gateway's too
        std::optional<double> goodShare;    // accepted / judged, 0..1
        std::optional<qint64> fastestMs, medianMs, slowestMs;
    };
    Summary summary() const;
    // When the counting began: at the start, or at the last reset.
    QDateTime since() const { return since_; }

    void reset();
    void requestSent();
    void bytesReceived();
    void cycleJudged(const ReplyVerdict& verdict);

signals:
    void changed();

private:
    std::function<qint64()> clockMs_;
    Summary counts_;
    QDateTime since_ = QDateTime::currentDateTime();
    std::optional<qint64> sentAt_;
    std::optional<qint64> lastByteAt_;
    ReplyTimes replyTimes_;
};
