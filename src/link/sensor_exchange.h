// SPDX-License-Identifier: MIT
#pragma once

#include "judged_cycle.h"
#include "port_status_text.h"
#include "reading_source.h"
#include "sensor_model.h"
#include "serial_control.h"

#include <QString>
#include <QTimer>
#include <functional>
#include <optional>

class MessageSink;
class SerialLine;

// The exchange with the sensor: the poll tick (Timer2), the address change and the reply
// check (Timer1), over the shared transcripts of the last request (SendHex) and of all that
// arrived since (ReceiveHex). Each request ends in one judged cycle, which the window, the
// record, the trend and the statistics take from cycleJudged, as from any source of
// readings. It knows no widget: the window hands it the address texts and shows what it
// reports.
class SensorExchange final : public ReadingSource {
    Q_OBJECT
public:
    static constexpr int kPollIntervalMs = 700;   // Timer2
    static constexpr int kReplyWindowMs = 500;    // Timer1: a request to its judgement
    static constexpr int kAfterBroadcastMs = 100; // quiet while a sensor stores its address

    struct Inputs {
        std::function<QString()> pollAddress; // the polled address as the operator typed it
        std::function<void(int)> sleep;       // milliseconds, on this thread
    };
    SensorExchange(SerialLine& line, MessageSink& messages, Inputs inputs,
                   QObject* parent = nullptr);

    // Starts acquisition when stopped, stops it when running.
    void toggleAcquisition();
    bool acquiring() const { return acquiring_; }
    // Sends the read request to the polled address; without an open port or a valid
    // address it stops acquisition and tells the operator why.
    void Timer2_Timer();
    // Judges what has arrived since the last request.
    void Timer1_Timer();
    // Gives the sensor a new address the chosen model's way: the tool's own sensor by the
    // broadcast, whose echo is judged like a reply; a model with an address register by a
    // write at the polled address, then a read at the new address that confirms it.
    void writeAddress(const QString& newAddressText);
    // After the power cycle a model needs: the read at the new address that confirms it.
    void confirmAddress(int newAddress);
    // The model whose map the poll and the address change follow.
    void setModel(const SensorModel& model);
    const SensorModel& model() const { return model_; }
    // Bytes from the line, appended to ReceiveHex.
    void receive(const QByteArray& received);
    // The line went while the port showed open: close it, stop, say why.
    void lineLost(const QString& reason, const QString& device);
    // Stops both timers for good, the caption as it is (the window closes).
    void halt();

    const QString& sendHex() const { return SendHex; }
    const QString& receiveHex() const { return ReceiveHex; }

signals:
    void acquisitionChanged(bool running);
    // A send begins: both transcripts are empty.
    void cleared();
    // SendHex holds the request about to be written.
    void requestMade(const QString& request);
    // The line failed under a request or went away: it is closed, and this says why.
    void lineFailed(const StatusText& status);
    // The sensor took its new address: it answered a read there.
    void addressConfirmed(int newAddress);
    // The written address holds only after the sensor is switched off and on again.
    void powerCycleNeeded(int newAddress);

private:
    bool lineFree();
    void stopAcquisition(const QString& message);
    void clear();
    bool send(const QByteArray& frame);
    void lineClosed(PortProblem problem, const CommResult& result, const QString& message);
    bool writeModelAddress(int newAddress);
    void sendConfirmation(int newAddress);
    void afterAddressWrite(const ReplyVerdict& verdict);

    SerialLine& line_;
    MessageSink& messages_;
    Inputs inputs_;
    QTimer Timer1{this};
    QTimer Timer2{this};
    QString SendHex;
    QString ReceiveHex;
    int sentAddress_ = -1; // of the last request
    bool sentAddressWrite_ = false;
    bool acquiring_ = false;
    SensorModel model_;
    // The new address while its write or its confirming read is under way.
    std::optional<int> movingTo_;
    bool confirming_ = false; // the request out is the read at the new address
};

// Why a judged cycle's reply was refused, for the status box's tooltip; empty when accepted.
QString RefusalReason(const JudgedCycle& cycle);
