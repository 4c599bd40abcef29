// SPDX-License-Identifier: MIT
#include "qt_serial_control.h"

#include "line_settings.h"
#include "port_names.h"
#include "serial_system.h"

#include <QDir>
#include <QTimer>

QtSerialControl::QtSerialControl(QString portFolder, QObject* parent)
    : SerialControl(parent), portFolder_(std::move(portFolder)) {
    connect(&port_, &QSerialPort::readyRead, this, [this] {
        if (rThreshold_ > 0)
            raise(CommEventCode::kReceive);
    });
    connect(&port_, &QSerialPort::bytesWritten, this, [this] {
        if (sThreshold_ > 0 && port_.bytesToWrite() == 0)
            raise(CommEventCode::kSend);
    });
    connect(&port_, &QSerialPort::errorOccurred, this, &QtSerialControl::onError);
}

QString QtSerialControl::folder() const {
    return portFolder_.isEmpty() ? QDir::currentPath() : portFolder_;
}

void QtSerialControl::raise(int eventCode) {
    commEvent_ = eventCode;
    emit OnComm();
}

CommResult QtSerialControl::setCommPort(int port) {
    if (port_.isOpen())
        return {CommError::kPortBusy, tr("串口已打开")};
    if (port < 1 || port > 255)
        return {CommError::kNoSuchPort, tr("串口号 %1 无效").arg(port)};
    commPort_ = port;
    return CommResult::success();
}

void QtSerialControl::setInBufferSize(int bytes) {
    // QSerialPort stops taking bytes from the device once its buffer holds this many;
    // the rest waits in the driver until the next read.
    port_.setReadBufferSize(bytes);
}

void QtSerialControl::setInBufferCount(int count) {
    if (count == 0 && port_.isOpen())
        port_.clear(QSerialPort::Input);
}

CommResult QtSerialControl::setSettings(const QString& settings) {
    const auto parsed = ParseLineSettings(settings);
    if (!parsed)
        return {CommError::kInvalidValue, tr("线路设置“%1”无效").arg(settings)};
    settingsText_ = settings;
    if (port_.isOpen()) {
        const bool applied =
            port_.setBaudRate(parsed->baudRate) && port_.setParity(parsed->parity) &&
            port_.setDataBits(parsed->dataBits) && port_.setStopBits(parsed->stopBits);
        if (!applied)
            return {CommError::kInvalidValue, port_.errorString(), device_};
    }
    return CommResult::success();
}

CommResult QtSerialControl::setPortOpen(bool open) {
    if (!open) {
        if (port_.isOpen())
            port_.close();
        return CommResult::success();
    }
    if (port_.isOpen())
        return {CommError::kPortBusy, tr("串口已经打开")};

    const QString path = PortDevicePath(commPort_, folder());
    if (DeviceKnownMissing(path))
        return {CommError::kNoSuchPort, tr("设备 %1 不存在").arg(path), path};
    const auto settings = ParseLineSettings(settingsText_);
    if (!settings)
        return {CommError::kInvalidValue, tr("线路设置“%1”无效").arg(settingsText_)};

    port_.setPortName(path);
    device_ = path;
    port_.setBaudRate(settings->baudRate);
    port_.setParity(settings->parity);
    port_.setDataBits(settings->dataBits);
    port_.setStopBits(settings->stopBits);
    port_.clearError();
    if (!port_.open(QIODevice::ReadWrite))
        return openFailure(path);
    return CommResult::success();
}

CommResult QtSerialControl::openFailure(const QString& path) {
    const QString reason = port_.errorString();
    switch (port_.error()) {
    case QSerialPort::DeviceNotFoundError:
        return {CommError::kNoSuchPort, reason, path};
    case QSerialPort::OpenError:
        return {CommError::kPortBusy, reason, path};
    case QSerialPort::PermissionError:
        if (UserLacksAccess(path))
            return {CommError::kPermissionDenied, reason, path};
        return {CommError::kPortBusy, reason, path};
    default:
        return {CommError::kOther, reason, path};
    }
}

CommResult QtSerialControl::output(const QByteArray& bytes) {
    if (!port_.isOpen())
        return {CommError::kNotOpen, tr("串口没有打开")};
    writing_ = true;
    WriteAttempt attempt;
    attempt.size = bytes.size();
    attempt.queued = port_.write(bytes);
    // write() only queues; flush() hands the bytes to the driver now, so they are on the
    // line even if the caller blocks the event loop right after.
    attempt.flushed = attempt.queued == attempt.size && port_.flush();
    attempt.pendingAfterFlush = port_.bytesToWrite();
    writing_ = false;
    if (!WriteHandedOver(attempt, SystemWriteCompletion())) {
        const QString reason = port_.errorString();
        const QString device = device_;
        port_.close();
        return {CommError::kIoFailure, reason, device};
    }
    return CommResult::success();
}

QString QtSerialControl::appliedSettings() const {
    return FormatLineSettings(
        {port_.baudRate(), port_.parity(), port_.dataBits(), port_.stopBits()});
}

QByteArray QtSerialControl::input() {
    if (!port_.isOpen())
        return {};
    return inputLen_ > 0 ? port_.read(inputLen_) : port_.readAll();
}

void QtSerialControl::onError(QSerialPort::SerialPortError error) {
    if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError)
        return;
    // Open failures are answered by setPortOpen, write failures by output; what is left
    // is an open port going away. Qt reports a hang-up as a burst of errors: the first
    // closes the port, the rest find it closed.
    if (writing_ || !port_.isOpen())
        return;
    const QString reason = port_.errorString();
    port_.close();
    // Let QSerialPort unwind before anyone reacts (and perhaps reopens).
    QTimer::singleShot(0, this, [this, reason] { emit portLost(reason, device_); });
}
