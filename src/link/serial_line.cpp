// SPDX-License-Identifier: MIT
#include "serial_line.h"

#include "message_sink.h"
#include "serial_devices.h"
#include "tool_limits.h"

#include <utility>

SerialLine::SerialLine(SerialControl& port, MessageSink& messages, const SerialDevices& devices,
                       QObject* parent)
    : QObject(parent), port_(port), messages_(messages), devices_(devices) {
    connect(&port_, &SerialControl::OnComm, this, &SerialLine::deliver);
    connect(&port_, &SerialControl::portLost, this, &SerialLine::lost);
    connect(&port_, &SerialControl::openFinished, this, &SerialLine::onOpenFinished);
}

void SerialLine::show(bool open) {
    shownOpen_ = open;
    emit shownOpenChanged(open);
}

void SerialLine::showProblem(PortProblem problem, qint16 port, const CommResult& result) {
    PortProblemContext context{port, result.device, result.reason, PortSettings, {}};
    context.viaServer = result.viaServer;
    // A serial server is no device file: no list of devices, no link to make.
    if (problem == PortProblem::Missing && !result.viaServer)
        context.existing = devices_.available();
    emit this->problem(DescribePortProblem(problem, context));
}

// A serial server's refusal comes with its reason in one sentence beneath the message;
// a local port's stays in the status box.
void SerialLine::tell(const QString& message, const CommResult& result) {
    messages_.show(message, result.viaServer ? result.reason : QString());
}

LineSettings SerialLine::lineSettings() const {
    return ParseLineSettings(PortSettings).value_or(LineSettings{});
}

void SerialLine::toggleOpen(const Choice& choice) {
    if (shownOpen_) {
        closePort();
        return;
    }
    if (opening_ != Opening::None)
        return; // the open under way answers for this click too
    choice_ = choice;
    if (CheckPort(choice.port) == Step::Done)
        openChecked();
}

SerialLine::Step SerialLine::CheckPort(qint16 port) {
    if (port == SelectedPort && shownOpen_)
        return Step::Failed;
    CommResult result = port_.setCommPort(port);
    if (result.ok())
        result = port_.setPortOpen(true);
    if (result.pending()) {
        opening_ = Opening::Trial;
        return Step::Pending;
    }
    return trialEnded(port, result) ? Step::Done : Step::Failed;
}

// The trial open's outcome: closed again and true, or the operator told why not.
bool SerialLine::trialEnded(qint16 port, CommResult result) {
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
    tell(message, result);
    return false;
}

// The trial passed: the port shows open and is opened for real with the choice's settings.
void SerialLine::openChecked() {
    show(true);
    PortSettings = choice_.baud + QLatin1Char(',') + choice_.parity + QLatin1Char(',') +
                   choice_.dataBits + QLatin1Char(',') + choice_.stopBits;
    if (OpenPort(choice_.port) == Step::Done) {
        OpenPortNumber = choice_.port;
        emit opened();
    }
}

SerialLine::Step SerialLine::OpenPort(qint16 port) {
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
        if (!result.ok()) {
            openFailed(port, result, tr("串口参数设置失败：%1").arg(PortSettings));
            return Step::Failed;
        }
        result = port_.setPortOpen(true);
    }
    if (result.pending()) {
        opening_ = Opening::Real;
        return Step::Pending;
    }
    return realOpenEnded(port, result) ? Step::Done : Step::Failed;
}

// The real open's outcome: open and true, or shown closed again and the operator told why.
bool SerialLine::realOpenEnded(qint16 port, const CommResult& result) {
    if (result.ok())
        return true;
    openFailed(port, result, tr("打开串口失败：COM%1").arg(port));
    return false;
}

void SerialLine::openFailed(qint16 port, const CommResult& result, const QString& message) {
    show(false);
    showProblem(ProblemForCode(result.code), port, result);
    tell(message, result);
}

void SerialLine::onOpenFinished(const CommResult& result) {
    const Opening step = std::exchange(opening_, Opening::None);
    if (step == Opening::Trial) {
        if (trialEnded(choice_.port, result))
            openChecked();
    } else if (step == Opening::Real && realOpenEnded(choice_.port, result)) {
        OpenPortNumber = choice_.port;
        emit opened();
    }
}

void SerialLine::selectPort(qint16 picked) {
    if (picked == SelectedPort)
        return;
    // Closing must show as closed, or the lamp would claim an open port.
    if (OpenPortNumber != 0 || shownOpen_ || opening_ != Opening::None)
        closePort();
    SelectedPort = picked;
}

void SerialLine::closeForNewBaud() {
    if (shownOpen_ || opening_ != Opening::None)
        closePort();
}

void SerialLine::reopen(const Choice& choice) {
    if (!shownOpen_)
        return;
    closePort();
    toggleOpen(choice);
}

void SerialLine::closePort() {
    opening_ = Opening::None;
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

QString SerialLine::notFreeReason() const {
    if (!shownOpen())
        return SharedText::OpenPortFirst();
    if (const QString holder = heldFor(); !holder.isEmpty())
        return SharedText::LineHeldBy(holder);
    return {};
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
