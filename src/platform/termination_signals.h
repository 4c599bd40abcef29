// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

class QSocketNotifier;

// The system ending the program: SIGTERM and SIGHUP on Unix (logout, shutdown, kill), the
// end-of-session message on Windows (logoff, shutdown). Raised on the UI thread; on Windows
// while the message is handled, since the process may be ended as soon as it returns.
// One instance per process.
class TerminationSignals final : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    void received(int signalNumber);

private:
    QSocketNotifier* notifier_ = nullptr;      // Unix
    class SessionEndFilter* filter_ = nullptr; // Windows
};
