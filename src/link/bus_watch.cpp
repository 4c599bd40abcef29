// SPDX-License-Identifier: MIT
#include "bus_watch.h"

#include "crc.h"
#include "hex_transcript.h"
#include "line_timing.h"
#include "model_readings.h"
#include "reply_check.h"
#include "sensor_catalogue.h"
#include "serial_line.h"
#include "tool_limits.h"

#include <QCoreApplication>

BusWatch::BusWatch(SerialLine& line, QObject* parent)
    : ReadingSource(Sensors::SeveralInTurn, parent), LineJob(line, *this),
      toolsOwn_(SensorCatalogue().toolsOwn()) {
    for (QTimer* timer : {&replyTimer_, &silenceTimer_, &roundTimer_}) {
        timer->setSingleShot(true);
        timer->setTimerType(Qt::PreciseTimer);
    }
    connect(&replyTimer_, &QTimer::timeout, this, &BusWatch::judge);
    connect(&silenceTimer_, &QTimer::timeout, this, &BusWatch::sendNext);
    connect(&roundTimer_, &QTimer::timeout, this, &BusWatch::startRound);
}

BusWatch::~BusWatch() {
    endQuietly();
}

bool BusWatch::start(const WatchPlan& plan) {
    if (running_ || plan.addresses.isEmpty() || !TimeoutAllowed(plan.timeoutMs))
        return false;
    plan_ = plan;
    round_ = 0;
    silenceMs_ = LineTiming::CeilMilliseconds(LineTiming::SilenceMicroseconds(plan.line));
    running_ = true;
    holdLine(SharedText::WatchFeature());
    emit started();
    startRound();
    return true;
}

void BusWatch::stop() {
    if (running_)
        end({});
}

void BusWatch::startRound() {
    if (!running_)
        return;
    sinceRoundStart_.start();
    index_ = 0;
    emit roundStarted(++round_);
    sendNext();
}

void BusWatch::sendNext() {
    if (!running_)
        return;
    if (index_ >= plan_.addresses.size()) {
        const qint64 busy = sinceRoundStart_.elapsed();
        emit roundEnded(round_, busy);
        // A round that overran starts the next one at once: the line is never idle
        // longer than the silence while there is more to ask.
        roundTimer_.start(static_cast<int>(std::max<qint64>(0, kRoundMs - busy)));
        return;
    }
    line_->discardReceived();
    received_.clear();
    lastByteMs_ = -1;
    const QByteArray frame =
        ModelReadRequest(modelAt(index_), static_cast<std::uint8_t>(plan_.addresses[index_]));
    request_ = Transcript(frame);
    if (!write(frame))
        return;
    emit requestSent();
    sinceRequest_.start();
    awaiting_ = true;
    replyTimer_.start(plan_.timeoutMs);
}

void BusWatch::onReceived(const QByteArray& bytes) {
    // Bytes after a judgement belong to no request: a late reply must not count for the next.
    if (!running_ || !awaiting_ || bytes.isEmpty())
        return;
    received_ += bytes.left(kMaxReplyBytes - received_.size());
    lastByteMs_ = sinceRequest_.elapsed();
    emit bytesReceived();
    const auto length = AnnouncedReplyLength(received_, modelAt(index_).read.function);
    if ((length && received_.size() >= *length) || received_.size() >= kMaxReplyBytes)
        judge();
}

void BusWatch::judge() {
    if (!running_ || !awaiting_)
        return;
    awaiting_ = false;
    replyTimer_.stop();
    const QString reply = Transcript(received_);
    const SensorModel& model = modelAt(index_);
    const ReplyVerdict verdict = JudgeReply(request_, reply, AcceptedReplyBytes(model));
    std::optional<ModelReadings> readings;
    if (verdict.accepted())
        readings = DecodeModelReply(model, reply, true);
    const int address = plan_.addresses[index_];
    const JudgedCycle cycle{QDateTime::currentDateTime(),
                            address,
                            verdict,
                            readings,
                            request_,
                            reply,
                            true,
                            false,
                            model,
                            line_->openPortNumber()};
    ++index_;
    emit cycleJudged(cycle, lastByteMs_);
    if (running_)
        silenceTimer_.start(silenceMs_);
}

const SensorModel& BusWatch::modelAt(int index) const {
    return index < plan_.models.size() ? plan_.models[index] : toolsOwn_;
}

void BusWatch::end(const QString& failure) {
    running_ = false;
    awaiting_ = false;
    replyTimer_.stop();
    silenceTimer_.stop();
    roundTimer_.stop();
    giveLineBack();
    emit stopped(failure);
}
