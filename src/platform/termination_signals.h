// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

class QSocketNotifier;

// The system ending the program: SIGTERM and SIGHUP on Unix (logout, shutdown, kill),
// raised on the UI thread. On Windows, where a session ends with messages that Qt already
// answers by closing the windows, it never fires. One instance per process.
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
