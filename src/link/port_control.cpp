// SPDX-License-Identifier: MIT
#include "port_control.h"

#include "message_sink.h"
#include "serial_devices.h"

#include <QObject>

PortControl::PortControl(SerialControl& port, PortView& view, MessageSink& messages,
                         const SerialDevices& devices)
    : port_(port), view_(view), messages_(messages), devices_(devices) {}

void PortControl::showProblem(PortProblem problem, qint16 port, const CommResult& result) {
    PortProblemContext context{port, result.device, result.reason, PortSettings, {}};
    if (problem == PortProblem::Missing)
        context.existing = devices_.available();
    view_.showStatus(DescribePortProblem(problem, context));
}

QString PortControl::ParityLetterFor(const QString& parityText) {
    if (parityText == QStringLiteral("无校验"))
        return QStringLiteral("N");
    if (parityText == QStringLiteral("奇校验"))
        return QStringLiteral("O");
    if (parityText == QStringLiteral("偶校验"))
        return QStringLiteral("E");
    return {};
}

void PortControl::toggleOpen() {
    if (view_.command1Caption() == PortCaption::kClose) {
        closePort();
        return;
    }
    const auto port = static_cast<qint16>(view_.portListIndex() + 1);
    if (!CheckPort(port))
        return;
    view_.showPortState(true);
    ParityLetter = ParityLetterFor(view_.parityText());
    const QString baud = view_.baudText();
    const QString dataBits = view_.dataBitsText();
    const QString stopBits = view_.stopBitsText();
    PortSettings = baud + QLatin1Char(',') + ParityLetter + QLatin1Char(',') + dataBits +
                   QLatin1Char(',') + stopBits;
    if (OpenPort(port))
        OpenPortNumber = port;
}

bool PortControl::CheckPort(qint16 port) {
    if (port == SelectedPort && view_.command1Caption() != PortCaption::kOpen)
        return false;
    CommResult result = port_.setCommPort(port);
    if (result.ok())
        result = port_.setPortOpen(true);
    if (result.ok())
        result = port_.setPortOpen(false);
    if (result.ok())
        return true;

    // Only a missing and a busy port have messages of their own; the status line says why.
    QString message = QStringLiteral("其它错误");
    if (result.code == CommError::kNoSuchPort)
        message = QStringLiteral("串口不存在！");
    else if (result.code == CommError::kPortBusy)
        message = QStringLiteral("串口已打开！");
    showProblem(ProblemForCode(result.code), port, result);
    messages_.show(message);
    return false;
}

bool PortControl::OpenPort(qint16 port) {
    const auto failed = [&](const CommResult& result, const QString& message) {
        view_.showPortState(false);
        showProblem(ProblemForCode(result.code), port, result);
        messages_.show(message);
        return false;
    };
    CommResult result = port_.setCommPort(port);
    if (result.ok()) {
        port_.setOutBufferSize(1024);
        port_.setInBufferSize(1024);
        port_.setInputMode(1);
        port_.setInputLen(0);
        port_.setInBufferCount(0);
        port_.setSThreshold(1);
        port_.setRThreshold(1);
        result = port_.setSettings(PortSettings);
        if (!result.ok())
            return failed(result, QObject::tr("串口参数设置失败：%1").arg(PortSettings));
        result = port_.setPortOpen(true);
    }
    if (!result.ok())
        return failed(result, QObject::tr("打开串口失败：COM%1").arg(port));
    return true;
}

void PortControl::selectPort() {
    const auto picked = static_cast<qint16>(view_.portListIndex() + 1);
    if (picked == SelectedPort)
        return;
    // Closing must show as closed, or the lamp would claim an open port.
    if (OpenPortNumber != 0 || shownOpen())
        closePort();
    SelectedPort = picked;
}

void PortControl::closeForNewBaud() {
    if (view_.command1Caption() == PortCaption::kClose)
        toggleOpen();
}

void PortControl::closePort() {
    port_.setPortOpen(false);
    view_.showPortState(false);
    OpenPortNumber = 0;
}
