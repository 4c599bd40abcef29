// SPDX-License-Identifier: MIT
#include "sensor_exchange.h"

#include "address_text.h"
#include "crc.h"
#include "frame_sizes.h"
#include "hex_transcript.h"
#include "message_sink.h"
#include "model_readings.h"
#include "model_texts.h"
#include "receive_accumulator.h"
#include "reply_check.h"
#include "reply_fault_text.h"
#include "sensor_catalogue.h"
#include "serial_line.h"
#include "tool_limits.h"

SensorExchange::SensorExchange(SerialLine& line, MessageSink& messages, Inputs inputs,
                               QObject* parent)
    : ReadingSource(Sensors::OneAtATime, parent), line_(line), messages_(messages),
      inputs_(std::move(inputs)), model_(SensorCatalogue().toolsOwn()) {
    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setInterval(kReplyWindowMs);
    Timer1.setSingleShot(true);
    Timer1.setTimerType(Qt::PreciseTimer);
    Timer2.setObjectName(QStringLiteral("Timer2"));
    Timer2.setInterval(kPollIntervalMs);
    Timer2.setTimerType(Qt::PreciseTimer);
    connect(&Timer1, &QTimer::timeout, this, &SensorExchange::Timer1_Timer);
    connect(&Timer2, &QTimer::timeout, this, &SensorExchange::Timer2_Timer);
}

void SensorExchange::toggleAcquisition() {
    if (!acquiring_ && !line_.heldFor().isEmpty()) {
        messages_.show(SharedText::LineHeldBy(line_.heldFor()));
        return;
    }
    acquiring_ = !acquiring_;
    if (acquiring_)
        Timer2.start();
    else
        Timer2.stop();
    emit acquisitionChanged(acquiring_);
}

void SensorExchange::setModel(const SensorModel& model) {
    model_ = model;
}

void SensorExchange::stopAcquisition(const QString& message) {
    Timer2.stop();
    acquiring_ = false;
    emit acquisitionChanged(false);
    messages_.show(message);
}

void SensorExchange::Timer2_Timer() {
    // A poll at the old address would break into the address change's write and read.
    if (movingTo_)
        return;
    clear();

    if (!line_.shownOpen()) {
        stopAcquisition(SharedText::OpenPortFirst());
        return;
    }
    if (!line_.heldFor().isEmpty()) {
        stopAcquisition(SharedText::LineHeldBy(line_.heldFor()));
        return;
    }
    const QString addressText = inputs_.pollAddress();
    if (addressText.isEmpty()) {
        stopAcquisition(tr("模块地址未设置！"));
        return;
    }
    const auto address = ParseAddressText(addressText);
    if (!address) {
        stopAcquisition(tr("模块地址设置错误！"));
        return;
    }

    if (send(ModelReadRequest(model_, *address)))
        Timer1.start();
}

void SensorExchange::Timer1_Timer() {
    const ReplyVerdict verdict = JudgeReply(SendHex, ReceiveHex, AcceptedReplyBytes(model_));
    std::optional<ModelReadings> readings;
    const bool confirming = confirming_;
    const bool addressWrite = sentAddressWrite_;
    // The confirming read shows what the sensor measures at its new address.
    if (verdict.accepted())
        readings = DecodeModelReply(model_, ReceiveHex, acquiring_ || confirming);
    // Judged at Timer1, not at the last byte: the poll does not time its replies.
    emit cycleJudged({QDateTime::currentDateTime(), sentAddress_, verdict, readings, SendHex,
                      ReceiveHex, acquiring_, sentAddressWrite_, model_, line_.openPortNumber()},
                     -1);
    if (!movingTo_)
        return;
    if (confirming) {
        const int newAddress = *movingTo_;
        confirming_ = false;
        movingTo_.reset();
        if (verdict.accepted())
            emit addressConfirmed(newAddress);
        else
            messages_.show(tr("新地址 %1 无正确应答：地址更改未能确认").arg(newAddress));
    } else if (addressWrite) {
        afterAddressWrite(verdict);
    }
}

// An address write or its confirmation needs the open port to itself; says why not.
bool SensorExchange::lineFree() {
    const QString reason = line_.notFreeReason();
    if (!reason.isEmpty())
        messages_.show(reason);
    return reason.isEmpty();
}

void SensorExchange::writeAddress(const QString& newAddressText) {
    clear();
    if (!lineFree())
        return;
    const auto newAddress = ParseAddressText(newAddressText);
    if (!newAddress) {
        messages_.show(tr("参数设置错误！"));
        return;
    }

    if (!model_.isToolsOwn()) {
        writeModelAddress(*newAddress);
        return;
    }
    if (!send(AddressWriteRequest(*newAddress)))
        return;
    // The sensor needs the line quiet while it stores its new address.
    inputs_.sleep(kAfterBroadcastMs);
    Timer1.start();
}

bool SensorExchange::writeModelAddress(int newAddress) {
    const AddressChange& change = model_.addressChange;
    if (change.way == AddressChange::Way::None) {
        messages_.show(tr("传感器型号“%1”的地址不能由本工具更改（拨码开关或厂家未公开）")
                           .arg(ModelDisplayName(model_)));
        return false;
    }
    int current = kBroadcastAddress;
    if (change.way != AddressChange::Way::Broadcast) {
        const auto polled = ParseAddressText(inputs_.pollAddress());
        if (!polled) {
            messages_.show(tr("模块地址设置错误！"));
            return false;
        }
        current = *polled;
    }
    // The parameter frame sets the rate too: the one the line runs at stays.
    const int rateCode = model_.rate.codeFor(line_.lineSettings().baudRate).value_or(0);
    const QByteArray frame = ModelAddressRequest(model_, static_cast<std::uint8_t>(current),
                                                 static_cast<std::uint8_t>(newAddress), rateCode);
    movingTo_ = newAddress;
    if (!send(frame))
        return false;
    inputs_.sleep(kAfterBroadcastMs);
    if (change.echoed)
        Timer1.start();
    else
        afterAddressWrite({ReplyFault::None});
    return true;
}

void SensorExchange::afterAddressWrite(const ReplyVerdict& verdict) {
    const int newAddress = *movingTo_;
    if (!verdict.accepted() || model_.addressChange.afterPowerCycle) {
        movingTo_.reset();
        if (verdict.accepted())
            emit powerCycleNeeded(newAddress);
        return;
    }
    sendConfirmation(newAddress);
}

void SensorExchange::confirmAddress(int newAddress) {
    clear();
    if (!lineFree())
        return;
    sendConfirmation(newAddress);
}

void SensorExchange::sendConfirmation(int newAddress) {
    clear();
    movingTo_ = newAddress;
    confirming_ = true;
    if (send(ModelReadRequest(model_, static_cast<std::uint8_t>(newAddress)))) {
        Timer1.start();
        return;
    }
    movingTo_.reset();
    confirming_ = false;
}

void SensorExchange::receive(const QByteArray& received) {
    const qsizetype before = ReceiveHex.size();
    AccumulateReceived(ReceiveHex, received);
    if (ReceiveHex.size() > before)
        emit bytesReceived();
}

// Every send starts from empty transcripts, also when it is then refused.
void SensorExchange::clear() {
    SendHex.clear();
    ReceiveHex.clear();
    sentAddress_ = -1;
    sentAddressWrite_ = false;
    emit cleared();
}

// A failed write means the port is gone from under an "open" caption: treat it like a lost
// line rather than carry on as if the request went out.
bool SensorExchange::send(const QByteArray& frame) {
    AppendTranscript(SendHex, frame);
    sentAddress_ = static_cast<quint8>(frame.at(0));
    sentAddressWrite_ = static_cast<quint8>(frame.at(1)) == Function::kWriteRegister;
    emit requestMade(SendHex);
    const CommResult result = line_.write(frame);
    if (result.ok()) {
        emit requestSent();
        return true;
    }
    lineClosed(PortProblem::WriteFailed, result, tr("串口写入失败！"));
    return false;
}

void SensorExchange::lineLost(const QString& reason, const QString& device) {
    if (line_.shownOpen())
        lineClosed(PortProblem::Lost, {CommError::kIoFailure, reason, device}, tr("串口已断开！"));
}

void SensorExchange::lineClosed(PortProblem problem, const CommResult& result,
                                const QString& message) {
    const int port = line_.openPortNumber();
    line_.closePort();
    // A pending judgement would only overwrite the reason with a verdict on nothing.
    Timer1.stop();
    movingTo_.reset();
    confirming_ = false;
    emit lineFailed(DescribePortProblem(problem, {port, result.device, result.reason, {}, {}}));
    stopAcquisition(message);
}

void SensorExchange::halt() {
    Timer1.stop();
    Timer2.stop();
}

QString RefusalReason(const JudgedCycle& cycle) {
    if (cycle.verdict.accepted())
        return {};
    QString reason =
        DescribeReplyFault(cycle.verdict, cycle.reply.size() / FrameSize::kTranscriptCharsPerByte);
    if (cycle.verdict.fault == ReplyFault::NoReply && cycle.addressWrite)
        reason += SensorExchange::tr("\n地址写入是广播，有些传感器不回应广播：在新地址读取一次"
                                     "（或右键“%1…”）即可确认地址是否已更改")
                      .arg(SharedText::ScanFeature());
    return reason;
}
