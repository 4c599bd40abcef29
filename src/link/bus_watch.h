// SPDX-License-Identifier: MIT
#pragma once

#include "judged_cycle.h"
#include "line_job.h"
#include "line_settings.h"
#include "reading_source.h"
#include "sensor_model.h"

#include <QElapsedTimer>
#include <QList>
#include <QTimer>

// Which sensors to watch and how long to wait for each.
struct WatchPlan {
    QList<int> addresses;
    int timeoutMs = 200;
    LineSettings line; // the open port's, for the silence between frames
    // The model of each address, in the same order; the tool's own where none is given.
    QList<SensorModel> models{};
};

// Watches several sensors on the open port: in each round it sends the ordinary read
// request to every address in turn, judges a reply as soon as its announced length has
// arrived (or at the timeout), and keeps the line quiet for 3.5 characters before the next
// request. A round starts every 700 ms, or at once when the last needed longer. While it
// runs it owns the line, as a scan does; it gives it back when it stops. Its judged turns
// reach the parts as the poll's cycles do, replyMs timed from the write to the last byte.
class BusWatch final : public ReadingSource, public LineJob {
    Q_OBJECT
public:
    static constexpr int kRoundMs = 700;
    // Bytes kept of one reply; far beyond any reply, so a flood is judged, not hoarded.
    static constexpr int kMaxReplyBytes = 256;

    explicit BusWatch(SerialLine& line, QObject* parent = nullptr);
    ~BusWatch() override;

    // False when the plan asks nothing or its timeout is out of range.
    bool start(const WatchPlan& plan);
    // Stops at once and gives the line back; a pending reply is not judged.
    void stop();
    const WatchPlan& plan() const { return plan_; }
    // The round under way (from 1), or the last one once stopped.
    int round() const { return round_; }

signals:
    void started();
    // A round begins: its number, from 1.
    void roundStarted(int round);
    // Every address has had its turn: how long the round kept the line busy.
    void roundEnded(int round, qint64 busyMs);
    // The watch ended; failure says why when it could not go on, empty when stopped.
    void stopped(const QString& failure);

private:
    void startRound();
    void sendNext();
    void onReceived(const QByteArray& bytes) override;
    void judge();
    void end(const QString& failure) override;
    const SensorModel& modelAt(int index) const;

    WatchPlan plan_;
    SensorModel toolsOwn_;
    QTimer replyTimer_;
    QTimer silenceTimer_;
    QTimer roundTimer_;
    QElapsedTimer sinceRequest_;
    QElapsedTimer sinceRoundStart_;
    QByteArray received_;
    QString request_;
    qint64 lastByteMs_ = -1;
    int index_ = 0;
    int round_ = 0;
    int silenceMs_ = 0;
    bool awaiting_ = false;
};
