// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

// Error codes of the serial-port control. Only kNoSuchPort and kPortBusy select
// specific operator messages; the others are told apart for the reason text.
namespace CommError {
constexpr int kNone = 0;
constexpr int kInvalidValue = 380;      // a setting the line cannot take
constexpr int kNoSuchPort = 8002;       // the port's device does not exist
constexpr int kPortBusy = 8005;         // another program holds the port
constexpr int kPermissionDenied = 8010; // the user may not open the device
constexpr int kNotOpen = 8018;          // an operation that needs an open port
constexpr int kIoFailure = 8020;        // the device failed to read or write
constexpr int kOther = 8000;
constexpr int kPending = -1; // opening goes on; openFinished tells how it ended
} // namespace CommError

// Event codes raised through OnComm.
namespace CommEventCode {
constexpr int kSend = 1;    // transmit buffer emptied
constexpr int kReceive = 2; // bytes are waiting in the receive buffer
} // namespace CommEventCode

struct CommResult {
    CommResult() = default;
    CommResult(int code, QString reason, QString device = {})
        : code(code), reason(std::move(reason)), device(std::move(device)) {}

    int code = CommError::kNone;
    QString reason;         // the system's own words, or the network's
    QString device;         // the device or the serial server it concerns, when known
    bool viaServer = false; // device names a serial device server, reached over the network

    bool ok() const { return code == CommError::kNone; }
    bool pending() const { return code == CommError::kPending; }
    static CommResult success() { return {}; }
    static CommResult Pending() { return {CommError::kPending, {}}; }
};

// The operations the tool performs on its one serial port. Events are delivered on the
// UI thread.
class SerialControl : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual CommResult setCommPort(int port) = 0;
    virtual void setOutBufferSize(int bytes) = 0;
    virtual void setInBufferSize(int bytes) = 0;
    virtual void setInputMode(int mode) = 0;
    virtual void setInputLen(int length) = 0;
    virtual void setInBufferCount(int count) = 0;
    virtual void setSThreshold(int threshold) = 0;
    virtual void setRThreshold(int threshold) = 0;
    virtual CommResult setSettings(const QString& settings) = 0;
    // Opening may take a while (a connection to a serial server): then it answers
    // CommResult::Pending() at once and emits openFinished later, from the event loop.
    // Closing while it is pending gives it up, and nothing is emitted.
    virtual CommResult setPortOpen(bool open) = 0;
    virtual bool portOpen() const = 0;
    // Hands the bytes to the system's driver before returning; a write that fails after
    // that (Windows completes writes later) is reported as portLost.
    virtual CommResult output(const QByteArray& bytes) = 0;
    virtual int commEvent() const = 0;
    // Everything received and not yet read; reading removes it.
    virtual QByteArray input() = 0;

signals:
    void OnComm();
    // How a pending open ended: open, or why not.
    void openFinished(const CommResult& result);
    // The open port failed for good (device gone, hang-up). Raised once; the port is
    // closed by then.
    void portLost(const QString& reason, const QString& device);
};
