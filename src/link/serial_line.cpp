// SPDX-License-Identifier: MIT
#include "serial_line.h"

#include "message_sink.h"
#include "serial_devices.h"

SerialLine::SerialLine(SerialControl& port, MessageSink& messages, const SerialDevices& devices,
                       QObject* parent)
    : QObject(parent), port_(port), messages_(messages), devices_(devices) {
    connect(&port_, &SerialControl::OnComm, this, &SerialLine::deliver);
    connect(&port_, &SerialControl::portLost, this, &SerialLine::lost);
}

void SerialLine::show(bool open) {
    shownOpen_ = open;
    emit shownOpenChanged(open);
}

void SerialLine::showProblem(PortProblem problem, qint16 port, const CommResult& result) {
    PortProblemContext context{port, result.device, result.reason, PortSettings, {}};
    if (problem == PortProblem::Missing)
        context.existing = devices_.available();
    emit this->problem(DescribePortProblem(problem, context));
}

LineSettings SerialLine::lineSettings() const {
    return ParseLineSettings(PortSettings).value_or(LineSettings{});
}

void SerialLine::toggleOpen(const Choice& choice) {
    if (shownOpen_) {
        closePort();
        return;
    }
    if (!CheckPort(choice.port))
        return;
    show(true);
    ParityLetter = choice.parity;
    PortSettings = choice.baud + QLatin1Char(',') + ParityLetter + QLatin1Char(',') +
                   choice.dataBits + QLatin1Char(',') + choice.stopBits;
    if (OpenPort(choice.port)) {
        OpenPortNumber = choice.port;
        emit opened();
    }
}

bool SerialLine::CheckPort(qint16 port) {
    if (port == SelectedPort && shownOpen_)
        return false;
    CommResult result = port_.setCommPort(port);
    if (result.ok())
        result = port_.setPortOpen(true);
    if (result.ok())
        result = port_.setPortOpen(false);
    if (result.ok())
        return true;

    // Only a missing and a busy port have messages of their own; the status line says why.
    QString message = tr("其它错误");
    if (result.code == CommError::kNoSuchPort)
        message = tr("串口不存在！");
    else if (result.code == CommError::kPortBusy)
        message = tr("串口已打开！");
    showProblem(ProblemForCode(result.code), port, result);
    messages_.show(message);
    return false;
}

bool SerialLine::OpenPort(qint16 port) {
    const auto failed = [&](const CommResult& result, const QString& message) {
        show(false);
        showProblem(ProblemForCode(result.code), port, result);
        messages_.show(message);
        return false;
    };
    CommResult result = port_.setCommPort(port);
    if (result.ok()) {
        port_.setOutBufferSize(kBufferBytes);
        port_.setInBufferSize(kBufferBytes);
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

void SerialLine::selectPort(qint16 picked) {
    if (picked == SelectedPort)
        return;
    // Closing must show as closed, or the lamp would claim an open port.
    if (OpenPortNumber != 0 || shownOpen_)
        closePort();
    SelectedPort = picked;
}

void SerialLine::closeForNewBaud() {
    if (shownOpen_)
        closePort();
}

void SerialLine::reopen(const Choice& choice) {
    if (!shownOpen_)
        return;
    closePort();
    toggleOpen(choice);
}

void SerialLine::closePort() {
    port_.setPortOpen(false);
    show(false);
    OpenPortNumber = 0;
}

CommResult SerialLine::write(const QByteArray& frame) {
    return port_.output(frame);
}

CommResult SerialLine::applySettings(const LineSettings& settings) {
    return port_.setSettings(FormatLineSettings(settings));
}

void SerialLine::discardReceived() {
    port_.input();
}

void SerialLine::listen(QObject* owner, Listener listener, const QString& purpose) {
    release(owner);
    listeners_.push_back({owner, std::move(listener), purpose});
}

void SerialLine::release(QObject* owner) {
    listeners_.erase(std::remove_if(listeners_.begin(), listeners_.end(),
                                    [owner](const Listening& entry) {
                                        return !entry.owner || entry.owner == owner;
                                    }),
                     listeners_.end());
}

QString SerialLine::heldFor() const {
    for (auto entry = listeners_.rbegin(); entry != listeners_.rend(); ++entry) {
        if (entry->owner)
            return entry->purpose;
    }
    return {};
}

void SerialLine::deliver() {
    if (port_.commEvent() != CommEventCode::kReceive)
        return;
    // Read even with no one listening, so the port's buffer is drained and the event not
    // raised again.
    const QByteArray received = port_.input();
    while (!listeners_.empty() && !listeners_.back().owner)
        listeners_.pop_back();
    if (!listeners_.empty())
        listeners_.back().listener(received);
}
