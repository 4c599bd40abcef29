// SPDX-License-Identifier: MIT
#include "sensor_scan.h"

#include "crc.h"
#include "frame_sizes.h"
#include "line_timing.h"
#include "reply_check.h"
#include "serial_line.h"
#include "tool_limits.h"

#include <QStringList>
#include <algorithm>

SensorScan::SensorScan(SerialLine& line, QObject* parent) : QObject(parent), LineJob(line, *this) {
    replyTimer_.setSingleShot(true);
    replyTimer_.setTimerType(Qt::PreciseTimer);
    nextTimer_.setSingleShot(true);
    nextTimer_.setInterval(0);
    connect(&replyTimer_, &QTimer::timeout, this, &SensorScan::replyTimedOut);
    connect(&nextTimer_, &QTimer::timeout, this, &SensorScan::sendNext);
}

SensorScan::~SensorScan() {
    endQuietly();
}

int SensorScan::RequestTimeMs(const LineSettings& line) {
    return LineTiming::CeilMilliseconds(LineTiming::WireMicroseconds(FrameSize::kRequest, line));
}

int SensorScan::total() const {
    return static_cast<int>(lines_.size()) * std::max(0, addressCount());
}

qint64 SensorScan::msLeft() const {
    const int count = std::max(1, addressCount());
    qint64 left = 0;
    for (int item = index_; item < total(); ++item)
        left += plan_.timeoutMs + RequestTimeMs(lines_[item / count]);
    return left;
}

bool SensorScan::start(const ScanPlan& plan) {
    if (running_ || plan.rates.isEmpty() || plan.firstAddress < Limits::kFirstAddress ||
        plan.lastAddress > Limits::kHighestAddress || plan.firstAddress > plan.lastAddress ||
        !TimeoutAllowed(plan.timeoutMs))
        return false;
    plan_ = plan;
    const QList<LineFormat> formats =
        plan.formats.isEmpty() ? QList<LineFormat>{LineSetupOf(plan.line).format} : plan.formats;
    lines_.clear();
    for (const int rate : plan.rates) {
        for (const LineFormat& format : formats)
            lines_ << ApplyLineSetup({rate, format}, plan.line);
    }
    index_ = 0;
    gatewayAnswers_ = {};
    lineNow_ = plan.line;
    running_ = true;
    // The line's replies are the scan's until it ends.
    holdLine(SharedText::ScanFeature());
    emit progressed(0, total(), msLeft());
    sendNext();
    return true;
}

void SensorScan::cancel() {
    if (running_)
        finish(false, {});
}

void SensorScan::sendNext() {
    if (!running_)
        return;
    if (index_ >= total()) {
        finish(true, {});
        return;
    }
    current_ = lines_[index_ / addressCount()];
    currentAddress_ = plan_.firstAddress + index_ % addressCount();
    if (FormatLineSettings(current_) != FormatLineSettings(lineNow_)) {
        const CommResult result = line_->applySettings(current_);
        if (!result.ok()) {
            finish(false,
                   tr("无法把串口设为 %1：%2").arg(LineSetupOf(current_).text(), result.reason));
            return;
        }
        lineNow_ = current_;
    }
    // Whatever is still arriving belongs to an earlier address.
    line_->discardReceived();
    received_.clear();
    if (!write(ReadRequest(static_cast<std::uint8_t>(currentAddress_))))
        return;
    sinceRequest_.start();
    replyTimer_.start(plan_.timeoutMs);
}

void SensorScan::onReceived(const QByteArray& bytes) {
    if (!running_ || !replyTimer_.isActive())
        return;
    received_ += bytes;
    const auto address = static_cast<std::uint8_t>(currentAddress_);
    if (finding_) {
        const ScanReply reply = FindReadReply(address, probe_, received_);
        if (reply.kind == ScanReply::Kind::None)
            return;
        replyTimer_.stop();
        answers_ << ProbeAnswer::from(probe_, reply);
        identify();
        return;
    }
    const ScanReply reply = FindScanReply(address, received_);
    if (reply.kind == ScanReply::Kind::None)
        return;
    if (reply.kind == ScanReply::Kind::Exception) {
        // A gateway speaking for an address where it reached no sensor: nothing found there,
        // and no need to wait out the timeout.
        const ReplyFault meaning = ExceptionFault(reply.exceptionCode);
        if (meaning != ReplyFault::Exception) {
            ++(meaning == ReplyFault::NoReply ? gatewayAnswers_.targetNoResponse
                                              : gatewayAnswers_.pathUnavailable);
            advance();
            return;
        }
    }
    const LineSetup line = LineSetupOf(current_);
    const ScanFinding finding{currentAddress_, line.baud, line.format, reply,
                              sinceRequest_.elapsed()};
    if (plan_.models.isEmpty()) {
        emit found(finding);
        advance();
        return;
    }
    replyTimer_.stop();
    finding_ = finding;
    answers_ = {ProbeAnswer::from(plan_.models.front().read, reply)};
    identify();
}

void SensorScan::replyTimedOut() {
    if (!finding_) {
        advance();
        return;
    }
    answers_ << ProbeAnswer{probe_, ProbeAnswer::Kind::NoReply, 0, {}};
    identify();
}

// Only an address that answered gets more reads, so a silent line costs what it always did.
void SensorScan::identify() {
    if (!running_)
        return;
    const Identification result = IdentifyModel(plan_.models, currentAddress_, answers_);
    if (result.verdict == Identification::Verdict::Ask) {
        probe_ = result.next;
        line_->discardReceived();
        received_.clear();
        if (!write(ReadRegistersRequest(static_cast<std::uint8_t>(currentAddress_), probe_)))
            return;
        replyTimer_.start(plan_.timeoutMs);
        return;
    }
    ScanFinding finding = *finding_;
    finding.model = result;
    if (result.verdict == Identification::Verdict::Known &&
        result.modelId != QLatin1String(ModelId::kToolsOwn)) {
        const auto model = std::find_if(
            plan_.models.begin(), plan_.models.end(),
            [&result](const SensorModel& candidate) { return candidate.id == result.modelId; });
        if (model != plan_.models.end())
            finding.readings = ReadingsFromAnswers(*model, answers_);
    }
    finding_.reset();
    answers_.clear();
    emit found(finding);
    advance();
}

void SensorScan::advance() {
    if (!running_)
        return;
    replyTimer_.stop();
    ++index_;
    emit progressed(index_, total(), msLeft());
    nextTimer_.start();
}

void SensorScan::finish(bool completed, const QString& failure) {
    replyTimer_.stop();
    finding_.reset();
    answers_.clear();
    nextTimer_.stop();
    running_ = false;
    QString problem = failure;
    if (line_ && FormatLineSettings(lineNow_) != FormatLineSettings(plan_.line)) {
        const CommResult restored = line_->applySettings(plan_.line);
        if (!restored.ok() && problem.isEmpty())
            problem =
                tr("无法恢复线路参数 %1：%2").arg(FormatLineSettings(plan_.line), restored.reason);
    }
    giveLineBack();
    emit finished(completed && problem.isEmpty(), problem);
}

WatchChoice ChooseWatchable(const QList<ScanFinding>& findings, const LineSetup& portLine) {
    WatchChoice choice;
    if (findings.isEmpty())
        return choice;
    const auto lineOf = [](const ScanFinding& finding) {
        return LineSetup{finding.baud, finding.format};
    };
    choice.line = lineOf(findings.front());
    for (const ScanFinding& finding : findings) {
        if (lineOf(finding) != choice.line)
            choice.mixedLines = true;
    }
    if (choice.mixedLines)
        choice.line = portLine;
    for (const ScanFinding& finding : findings) {
        if (lineOf(finding) == choice.line && !choice.addresses.contains(finding.address))
            choice.addresses << finding.address;
    }
    std::sort(choice.addresses.begin(), choice.addresses.end());
    return choice;
}
