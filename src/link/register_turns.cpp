// SPDX-License-Identifier: MIT
#include "register_turns.h"

#include "crc.h"
#include "frame_sizes.h"
#include "line_timing.h"
#include "model_readings.h"
#include "serial_line.h"

namespace {
// The length of the reply owed, once its head has come; nothing while it cannot be told.
std::optional<int> OwedLength(const QByteArray& request, const QByteArray& head) {
    if (head.size() < 2)
        return std::nullopt;
    const int function = static_cast<quint8>(request[1]);
    if (static_cast<quint8>(head[1]) == (function | Function::kExceptionFlag))
        return FrameSize::kExceptionReply;
    if (function == Function::kWriteRegister)
        return FrameSize::kRequest;
    if (head.size() < FrameSize::kReplyHeader)
        return std::nullopt;
    return FrameSize::kReplyHeader + static_cast<quint8>(head[2]) + FrameSize::kCrc;
}
} // namespace

RegisterTurns::RegisterTurns(SerialLine& line, QString purpose, QObject* parent)
    : QObject(parent), LineJob(line, *this), purpose_(std::move(purpose)) {
    replyTimer_.setSingleShot(true);
    connect(&replyTimer_, &QTimer::timeout, this, &RegisterTurns::judge);
}

RegisterTurns::~RegisterTurns() {
    endQuietly();
}

void RegisterTurns::hold(const LineSettings& settings) {
    settings_ = settings;
    silenceMs_ = LineTiming::CeilMilliseconds(LineTiming::SilenceMicroseconds(settings));
    running_ = true;
    holdLine(purpose_);
}

void RegisterTurns::release() {
    if (!running_)
        return;
    running_ = false;
    replyTimer_.stop();
    done_ = nullptr;
    giveLineBack();
}

void RegisterTurns::end(const QString& failure) {
    if (failure.isEmpty()) {
        release();
        return;
    }
    // The job that asked decides what becomes of the line.
    done_ = nullptr;
    emit lineFailed(failure);
}

bool RegisterTurns::useSettings(const LineSettings& settings) {
    settings_ = settings;
    silenceMs_ = LineTiming::CeilMilliseconds(LineTiming::SilenceMicroseconds(settings));
    return line_ && line_->applySettings(settings).ok();
}

void RegisterTurns::read(int address, const RegisterRead& read, Done done) {
    ask(ReadRegistersRequest(static_cast<std::uint8_t>(address), read), std::move(done));
}

void RegisterTurns::write(int address, int registerNumber, quint16 value, Done done) {
    ask(WriteRegisterRequest(static_cast<std::uint8_t>(address), registerNumber, value),
        std::move(done));
}

void RegisterTurns::ask(const QByteArray& frame, Done done) {
    // The silence that ends the last frame on the line, before the next begins.
    QTimer::singleShot(silenceMs_, this, [this, frame, done = std::move(done)]() mutable {
        if (!running_ || !line_)
            return;
        line_->discardReceived();
        received_.clear();
        request_ = frame;
        done_ = std::move(done);
        if (LineJob::write(frame))
            replyTimer_.start(kTimeoutMs);
    });
}

void RegisterTurns::onReceived(const QByteArray& bytes) {
    if (!done_)
        return;
    received_ += bytes.left(FrameSize::kMaxReadRegisters * 2 + 16 - received_.size());
    const auto owed = OwedLength(request_, received_);
    if (owed && received_.size() >= *owed)
        judge();
}

void RegisterTurns::judge() {
    if (!done_)
        return;
    replyTimer_.stop();
    RegisterAnswer answer;
    const auto owed = OwedLength(request_, received_);
    const QByteArray reply = owed ? received_.left(*owed) : received_;
    const int function = static_cast<quint8>(request_[1]);
    if (received_.isEmpty()) {
        answer.kind = RegisterAnswer::Kind::Silent;
    } else if (!owed || reply.size() < *owed || !HasValidCrc(reply) || reply[0] != request_[0]) {
        answer.kind = RegisterAnswer::Kind::Garbled;
    } else if (static_cast<quint8>(reply[1]) == (function | Function::kExceptionFlag)) {
        answer.kind = RegisterAnswer::Kind::Refused;
        answer.exceptionCode = static_cast<quint8>(reply[2]);
    } else if (function == Function::kWriteRegister) {
        answer.kind =
            reply == request_ ? RegisterAnswer::Kind::Done : RegisterAnswer::Kind::Garbled;
    } else if (const auto words = ReplyRegisters(reply)) {
        answer.kind = RegisterAnswer::Kind::Done;
        answer.registers = *words;
    } else {
        answer.kind = RegisterAnswer::Kind::Garbled;
    }
    Done done = std::move(done_);
    done_ = nullptr;
    done(answer);
}
