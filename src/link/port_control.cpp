#include "port_control.h"

#include "message_sink.h"

#include <QObject>

PortControl::PortControl(SerialControl& port, PortView& view, MessageSink& messages)
    : port_(port), view_(view), messages_(messages) {}

QString PortControl::ParityLetterFor(const QString& parityText) {
    if (parityText == QStringLiteral("无校验"))
        return QStringLiteral("N");
    if (parityText == QStringLiteral("奇校验"))
        return QStringLiteral("O");
    if (parityText == QStringLiteral("偶校验"))
        return QStringLiteral("E");
    return {};
}

void PortControl::Command1_Click() {
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

    switch (result.code) {
    case CommError::kNoSuchPort:
        view_.showStatus(QObject::tr("COM%1 不存在：%2").arg(port).arg(result.reason));
        messages_.show(QStringLiteral("串口不存在！"));
        break;
    case CommError::kPortBusy:
        view_.showStatus(QObject::tr("COM%1 被占用：%2").arg(port).arg(result.reason));
        messages_.show(QStringLiteral("串口已打开！"));
        break;
    case CommError::kPermissionDenied:
        view_.showStatus(QObject::tr("无权打开 COM%1（请把用户加入 dialout 组）：%2")
                             .arg(port)
                             .arg(result.reason));
        messages_.show(QStringLiteral("其它错误"));
        break;
    default:
        view_.showStatus(QObject::tr("COM%1：%2").arg(port).arg(result.reason));
        messages_.show(QStringLiteral("其它错误"));
        break;
    }
    return false;
}

bool PortControl::OpenPort(qint16 port) {
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
        if (!result.ok()) {
            view_.showPortState(false);
            view_.showStatus(result.reason);
            messages_.show(QObject::tr("串口参数设置失败：%1").arg(PortSettings));
            return false;
        }
        result = port_.setPortOpen(true);
    }
    if (!result.ok()) {
        view_.showPortState(false);
        view_.showStatus(result.reason);
        messages_.show(QObject::tr("打开串口失败：COM%1").arg(port));
        return false;
    }
    return true;
}

void PortControl::Combo1_Click() {
    const auto picked = static_cast<qint16>(view_.portListIndex() + 1);
    if (picked == SelectedPort)
        return;
    // Closing must show as closed, or the lamp would claim an open port.
    if (OpenPortNumber != 0 || shownOpen())
        closePort();
    SelectedPort = picked;
}

void PortControl::Combo2_Click() {
    if (view_.command1Caption() == PortCaption::kClose)
        Command1_Click();
}

void PortControl::ShowClosed() {
    closePort();
}

void PortControl::closePort() {
    port_.setPortOpen(false);
    view_.showPortState(false);
    OpenPortNumber = 0;
}
