// SPDX-License-Identifier: MIT
#pragma once

#include "line_job.h"
#include "line_setup_settings.h"
#include "model_identification.h"
#include "scan_reply.h"
#include "tool_limits.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QTimer>

// Which addresses to ask at which rates and formats, and how long to wait for each.
struct ScanPlan {
    int firstAddress = Limits::kFirstAddress;
    int lastAddress = Limits::kLastAddress;
    QList<int> rates;
    QList<LineFormat> formats; // each with every rate; none means the line's own
    int timeoutMs = 100;       // long enough for a sensor at 4800 Bd, short enough to scan 254
    LineSettings line;         // the open port's settings; restored after
    // The models to tell apart at each address that answers, the tool's own first; none
    // asks only the ordinary read, as a scan always did.
    QList<SensorModel> models{};
};

struct ScanFinding {
    int address = 0;
    int baud = 0;
    LineFormat format;
    ScanReply reply;
    qint64 replyMs = 0;
    // What identification made of it (Known: modelId; Unknown: the candidates).
    Identification model{};
    // For a model named other than the tool's own: its readouts, decoded its way.
    std::optional<ModelReadings> readings{};
};

// The found sensors the bus watch can poll together: all of them when they answered at one
// rate and format, otherwise only those at the port's (mixedLines tells the operator why).
struct WatchChoice {
    LineSetup line;
    QList<int> addresses;
    bool mixedLines = false;
};
WatchChoice ChooseWatchable(const QList<ScanFinding>& findings, const LineSetup& portLine);

// Looks for sensors on the open port: sends the ordinary read request to every address of
// the plan at every rate, one at a time, and reports each that answers. Runs on the event
// loop; never writes anything but read requests; the line settings are put back when it
// ends, however it ends.
class SensorScan final : public QObject, public LineJob {
    Q_OBJECT
public:
    explicit SensorScan(SerialLine& line, QObject* parent = nullptr);
    ~SensorScan() override;

    // False when the plan asks nothing or its timeout is out of range.
    bool start(const ScanPlan& plan);
    void cancel();
    int total() const;
    int done() const { return index_; }
    // Time still needed if no one else answers.
    qint64 msLeft() const;

    // Addresses a Modbus gateway answered for in place of a sensor; none of them is found.
    struct GatewayAnswers {
        int targetNoResponse = 0; // exception 0B: an empty address
        int pathUnavailable = 0;  // exception 0A: the gateway refused
    };
    const GatewayAnswers& gatewayAnswers() const { return gatewayAnswers_; }

    // The line time of a read request at the line's settings, in whole milliseconds
    // (rounded up): parity and stop bits count.
    static int RequestTimeMs(const LineSettings& line);

signals:
    void found(const ScanFinding& finding);
    void progressed(int done, int total, qint64 msLeft);
    // completed is false for a cancel or a failure; failure says what went wrong.
    void finished(bool completed, const QString& failure);

private:
    void sendNext();
    void onReceived(const QByteArray& bytes) override;
    void advance();
    void replyTimedOut();
    // Hands the answers so far to identification: asks its next read or reports the finding.
    void identify();
    void end(const QString& failure) override { finish(false, failure); }
    void finish(bool completed, const QString& failure);
    int addressCount() const { return plan_.lastAddress - plan_.firstAddress + 1; }

    ScanPlan plan_;
    QTimer replyTimer_;
    QTimer nextTimer_;
    QElapsedTimer sinceRequest_;
    QByteArray received_;
    int index_ = 0;
    QList<LineSettings> lines_; // every rate with every format, in the order asked
    int currentAddress_ = 0;
    LineSettings current_;
    LineSettings lineNow_; // what the line is set to now
    GatewayAnswers gatewayAnswers_;
    // While the sensor at currentAddress_ is being identified: its first reply, the answers
    // so far and the read now asked.
    std::optional<ScanFinding> finding_;
    QList<ProbeAnswer> answers_;
    RegisterRead probe_;
};
