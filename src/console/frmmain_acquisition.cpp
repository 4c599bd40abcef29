// SPDX-License-Identifier: MIT
// The poll cycle, the reply check and the address change.
#include "frmmain.h"

#include "address_text.h"
#include "crc.h"
#include "hex_transcript.h"
#include "message_sink.h"
#include "readings.h"
#include "reply_check.h"
#include "reply_fault_text.h"
#include "serial_control.h"

#include <QDateTime>
#include <QPushButton>

void frmmain::Command_OK3_Click() {
    const QString caption = Command_OK3->text();
    if (caption == Caption::kStart) {
        Timer2.start();
        Command_OK3->setText(Caption::kStop);
    } else if (caption == Caption::kStop) {
        Timer2.stop();
        Command_OK3->setText(Caption::kStart);
    }
}

bool frmmain::acquiring() const {
    return Command_OK3->text() == Caption::kStop;
}

void frmmain::stopAcquisition(const QString& message) {
    Timer2.stop();
    Command_OK3->setText(Caption::kStart);
    messages_.show(message);
}

void frmmain::Timer2_Timer() {
    clearExchange();

    if (!portShownOpen()) {
        stopAcquisition(QStringLiteral("请先打开串口！"));
        return;
    }
    const QString addressText = Combo_Addr(2)->text();
    if (addressText.isEmpty()) {
        stopAcquisition(QStringLiteral("模块地址未设置！"));
        return;
    }
    const auto address = ParseAddressText(addressText);
    if (!address) {
        stopAcquisition(QStringLiteral("模块地址设置错误！"));
        return;
    }

    if (sendRequest(ReadRequest(*address)))
        Timer1.start();
}

void frmmain::Timer1_Timer() {
    const ReplyVerdict verdict = JudgeReply(SendHex, ReceiveHex);
    std::optional<Readings> readings;
    if (verdict.accepted()) {
        Text2->setPlainText(ReceiveHex);
        readings = ShowReadings();
        setStatus(Caption::kGood);
    } else {
        QString reason = DescribeReplyFault(verdict, ReceiveHex.size() / 3);
        if (verdict.fault == ReplyFault::NoReply && SendHex.startsWith(QStringLiteral("00 06")))
            reason += tr("\n地址写入是广播，有些传感器不回应广播：在新地址读取一次"
                         "（或右键“扫描传感器…”）即可确认地址是否已更改");
        showStatus({Caption::kBad, reason});
    }
    emit cycleJudged({QDateTime::currentDateTime(), sentAddress_, verdict, readings, SendHex,
                      ReceiveHex, acquiring()});
}

std::optional<Readings> frmmain::ShowReadings() {
    const auto readings = DecodeReadings(ReceiveHex, acquiring());
    if (!readings)
        return std::nullopt;
    AI_SHOW(0)->setText(readings->temperature);
    if (readings->humidity)
        AI_SHOW(1)->setText(*readings->humidity);
    return readings;
}

void frmmain::Command_OK1_Click() {
    clearExchange();

    if (!portShownOpen()) {
        messages_.show(QStringLiteral("请先打开串口！"));
        return;
    }
    const auto newAddress = ParseAddressText(Combo_Addr(0)->text());
    if (!newAddress) {
        messages_.show(QStringLiteral("参数设置错误！"));
        return;
    }

    if (!sendRequest(AddressWriteRequest(*newAddress)))
        return;
    // The sensor needs the line quiet while it stores its new address.
    services_.sleep(100);
    Timer1.start();
}

// Every send starts from empty boxes and transcripts, also when it is then refused.
void frmmain::clearExchange() {
    setStatus({});
    SendHex.clear();
    ReceiveHex.clear();
    sentAddress_ = -1;
    Text1(0)->clear();
    Text2->clear();
}

// Shows the request and writes it. A failed write means the port is gone from under an
// "open" caption: treat it like a lost line rather than carry on as if the request went out.
bool frmmain::sendRequest(const QByteArray& frame) {
    AppendTranscript(SendHex, frame);
    sentAddress_ = static_cast<quint8>(frame.at(0));
    Text1(0)->setPlainText(SendHex);
    const CommResult result = line_->write(frame);
    if (result.ok()) {
        emit requestSent();
        return true;
    }
    lineClosed(PortProblem::WriteFailed, result, tr("串口写入失败！"));
    return false;
}

void frmmain::lineClosed(PortProblem problem, const CommResult& result, const QString& message) {
    const int port = line_->openPortNumber();
    line_->closePort();
    // A pending judgement would only overwrite the reason with a verdict on nothing.
    Timer1.stop();
    showStatus(DescribePortProblem(problem, {port, result.device, result.reason, {}, {}}));
    stopAcquisition(message);
}
