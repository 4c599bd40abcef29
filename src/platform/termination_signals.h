// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM and SIGHUP (logout, shutdown, kill) delivered on the event loop. The signal
// handler only writes to a socket pair; everything else runs as an ordinary Qt slot.
// One instance per process; elsewhere than on Unix it never fires.
class TerminationSignals final : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    void received(int signalNumber);

private:
    QSocketNotifier* notifier_ = nullptr;
};
