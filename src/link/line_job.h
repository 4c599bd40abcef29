// SPDX-License-Identifier: MIT
#pragma once

#include "tool_limits.h"

#include "serial_line.h"

#include <QByteArray>
#include <QPointer>
#include <QString>

class QObject;

// What the jobs that take the line for a while (the scan, the bus watch, the register jobs)
// do alike: they hold the line through SerialLine while they run, end with the same words
// when a write fails, and give the line back without a word when they go while running; the
// scan and the watch wait for each reply within the same limits. Not a QObject: each job is
// one through its own base.
class LineJob {
public:
    static constexpr int kMinTimeoutMs = Limits::kShortestReplyTimeoutMs;
    static constexpr int kMaxTimeoutMs = Limits::kLongestReplyTimeoutMs;

    bool running() const { return running_; }

protected:
    // owner: the job itself, whom the line knows as the one holding it.
    LineJob(SerialLine& line, QObject& owner) : line_(&line), owner_(owner) {}
    virtual ~LineJob() = default;

    static bool TimeoutAllowed(int ms) { return ms >= kMinTimeoutMs && ms <= kMaxTimeoutMs; }
    // From now on what arrives on the line goes to onReceived, until the line is given back.
    void holdLine(const QString& purpose);
    // Drops what is still arriving and hands the line back to whoever listened before.
    void giveLineBack();
    // Writes a request; a write that fails ends the job, saying why, and answers false.
    bool write(const QByteArray& frame);
    // For the job's destructor: whoever listens may be going away too, so a job still
    // running ends without a word.
    void endQuietly();

    virtual void onReceived(const QByteArray& bytes) = 0;
    // Ends the job: failure says why it could not go on, empty when it was stopped.
    virtual void end(const QString& failure) = 0;

    // The window may take the line down before its parts when it closes in mid-job.
    QPointer<SerialLine> line_;
    bool running_ = false;

private:
    QObject& owner_;
};
