// SPDX-License-Identifier: MIT
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <vector>

// The virtual sensor as a child process serving COMn in a folder.
class SimProcess {
public:
    SimProcess(const QString& folder, int port = 1);
    ~SimProcess();

    // Starts it with the extra options and waits until its link exists (or, with
    // --rfc2217, until its endpoint listens). It answers at once
    // unless the options set a timing (--turnaround, --reply-after).
    bool start(const QStringList& options = {});
    // SIGTERM and wait; true when it exited cleanly.
    bool stop();
    // Switches its sensors off and on (SIGHUP) and waits until they are back.
    bool powerCycle();
    QString linkPath() const;
    // The port of its RFC 2217 endpoint, once started with --rfc2217.
    int rfc2217Port() const { return rfc2217Port_; }
    QString logPath() const;
    // Timestamps (seconds) and hex of the logged frames in one direction ("RX" or "TX"), or
    // of other events ("POWER-CYCLE").
    struct Frame {
        double seconds;
        QString hex;
    };
    std::vector<Frame> frames(const QString& direction) const;

private:
    QString folder_;
    int port_;
    QProcess process_;
    int rfc2217Port_ = 0;
};

// Another program holding a port open, for "busy" cases.
class PortHolder {
public:
    ~PortHolder();
    bool hold(const QString& devicePath);

private:
    QProcess process_;
};
