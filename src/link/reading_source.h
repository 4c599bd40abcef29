// SPDX-License-Identifier: MIT
#pragma once

#include "judged_cycle.h"

#include <QObject>

// Whatever sends requests on the line and judges their replies: the poll, the bus watch.
// Every source tells the same three things, so the parts that count, keep and record the
// cycles (the statistics, the trend, the record) follow each source the same way.
class ReadingSource : public QObject {
    Q_OBJECT
public:
    // Whose cycles a source judges: the poll asks one sensor at a time (the one the operator
    // typed), the watch several in turn, each a sensor of its own.
    enum class Sensors { OneAtATime, SeveralInTurn };

    Sensors sensors() const { return sensors_; }

signals:
    // A request went out.
    void requestSent();
    // Bytes arrived for the request out.
    void bytesReceived();
    // The request's reply judged. replyMs runs from the write to the last byte; -1 when no
    // byte came or where the source judges at a fixed time and does not time replies.
    void cycleJudged(const JudgedCycle& cycle, qint64 replyMs);

protected:
    explicit ReadingSource(Sensors sensors, QObject* parent = nullptr)
        : QObject(parent), sensors_(sensors) {}

private:
    Sensors sensors_;
};
