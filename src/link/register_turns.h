// SPDX-License-Identifier: MIT
#pragma once

#include "line_job.h"
#include "line_settings.h"
#include "sensor_model.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

// What a sensor made of one request.
struct RegisterAnswer {
    enum class Kind {
        Silent,  // nothing came back in time
        Refused, // an exception reply
        Garbled, // bytes, but not the reply owed
        Done,    // the registers read, or the write echoed
    };
    Kind kind = Kind::Silent;
    int exceptionCode = 0;
    QList<quint16> registers; // of a read
};

// Single requests to one sensor at a time on a line held for a job of its own (a rate
// change, the corrections), as a scan or the bus watch holds it: the poll waits meanwhile.
// Each answer is taken as soon as it is whole, or as it stands at the timeout; the line is
// kept quiet for 3.5 characters between requests.
class RegisterTurns final : public QObject, private LineJob {
    Q_OBJECT
public:
    using Done = std::function<void(const RegisterAnswer&)>;
    static constexpr int kTimeoutMs = 300;

    RegisterTurns(SerialLine& line, QString purpose, QObject* parent = nullptr);
    ~RegisterTurns() override;

    // Takes the line from whoever listens now; release() gives it back.
    void hold(const LineSettings& settings);
    void release();
    bool holding() const { return running(); }
    // The settings now in force (for the silence between frames), set on the port.
    bool useSettings(const LineSettings& settings);

    void read(int address, const RegisterRead& read, Done done);
    void write(int address, int registerNumber, quint16 value, Done done);

signals:
    // The port refused a write; the job cannot go on.
    void lineFailed(const QString& reason);

private:
    void ask(const QByteArray& frame, Done done);
    void onReceived(const QByteArray& bytes) override;
    // A write failed (failure says why), or the job goes while it holds the line.
    void end(const QString& failure) override;
    void judge();

    QString purpose_;
    LineSettings settings_;
    QTimer replyTimer_;
    QByteArray request_;
    QByteArray received_;
    Done done_;
    int silenceMs_ = 0;
};
