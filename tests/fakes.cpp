// SPDX-License-Identifier: MIT
#include "fakes.h"

void FakeSerialControl::receive(const QByteArray& bytes) {
    buffer_ += bytes;
    raiseEvent(CommEventCode::kReceive);
}

void FakeSerialControl::raiseEvent(int code) {
    event_ = code;
    emit OnComm();
}

void FakeSerialControl::loseLine(const QString& reason) {
    open = false;
    emit portLost(reason, {});
}

CommResult FakeSerialControl::setCommPort(int port) {
    calls << QStringLiteral("CommPort=%1").arg(port);
    if (port < 1)
        return {CommError::kNoSuchPort, QStringLiteral("no port %1").arg(port)};
    return {};
}

CommResult FakeSerialControl::setSettings(const QString& settings) {
    calls << QStringLiteral("Settings=%1").arg(settings);
    return settingsResult;
}

CommResult FakeSerialControl::setPortOpen(bool wanted) {
    calls << QStringLiteral("PortOpen=%1").arg(wanted);
    if (!wanted) {
        open = false;
        return {};
    }
    if (!openResults.empty()) {
        const CommResult result = openResults.front();
        openResults.pop_front();
        if (!result.ok())
            return result;
    }
    open = true;
    return {};
}

CommResult FakeSerialControl::output(const QByteArray& bytes) {
    calls << QStringLiteral("Output");
    if (!open)
        return {CommError::kNotOpen, QStringLiteral("not open")};
    if (!outputResult.ok())
        return outputResult;
    written.push_back(bytes);
    return {};
}

QByteArray FakeSerialControl::input() {
    calls << QStringLiteral("Input");
    return std::exchange(buffer_, {});
}
