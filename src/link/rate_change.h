// SPDX-License-Identifier: MIT
#pragma once

#include "register_turns.h"

#include <QList>
#include <QObject>
#include <optional>

class SerialLine;

// Why a model's sensor cannot be moved to a rate from the tool.
enum class RateRefusal {
    NoRegister, // the model names no rate register
    NoCode,     // it names none for that rate
};
std::optional<RateRefusal> RefuseRate(const SensorModel& model, int baud);

// The sensors to move to one rate, one after another, on the open port.
struct RateChangePlan {
    struct Sensor {
        int address = 0;
        SensorModel model;
    };
    QList<Sensor> sensors;
    int baud = 0;
    LineSettings line; // the open port's settings; the old rate
};

// How a rate change ended, per address.
struct RateChangeOutcome {
    int baud = 0;
    int oldBaud = 0;
    QList<int> confirmed; // answered the read at the new rate
    QList<int> refused;   // did not take the write (no echo, an exception)
    QList<int> silent;    // took it, but did not answer at the new rate
    QString lineFailure;  // the port failed under the change
    // Every sensor answers at the new rate, and so does the line.
    bool moved() const {
        return refused.isEmpty() && silent.isEmpty() && lineFailure.isEmpty() &&
               !confirmed.isEmpty();
    }
};

// 更改波特率: writes each sensor's code for the new rate into its rate register at its
// address (function 06, at the old rate), then sets the line to the new rate (after the
// operator's power cycle where a model needs one) and reads each sensor there. Unless every
// sensor answers at the new rate, the line goes back to the old one. It holds the line while
// it runs.
class RateChange final : public QObject {
    Q_OBJECT
public:
    explicit RateChange(SerialLine& line, QObject* parent = nullptr);

    // False when the plan names no sensor, a model refuses the rate, or a change runs.
    bool start(const RateChangePlan& plan);
    // The operator has switched the sensors off and on: the confirmation goes on.
    void powerCycled();
    // Before the confirmation: the line stays at (or goes back to) the old rate.
    void cancel();
    // Ends at once without a word (the window closes): the line is given back as it stands.
    void stop();
    bool running() const { return turns_.holding(); }
    const RateChangePlan& plan() const { return plan_; }

signals:
    // Every sensor has been written; the new rate holds only after they are switched off
    // and on: powerCycled() goes on.
    void powerCycleNeeded(const QList<int>& addresses);
    void finished(const RateChangeOutcome& outcome);

private:
    void writeNext();
    void confirm();
    void confirmNext();
    void finish();

    RegisterTurns turns_;
    RateChangePlan plan_;
    RateChangeOutcome outcome_;
    QList<int> written_; // indexes into plan_.sensors
    int index_ = 0;
    bool awaitingPowerCycle_ = false;
};
