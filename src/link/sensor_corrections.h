// SPDX-License-Identifier: MIT
#pragma once

#include "register_turns.h"

#include <QObject>
#include <optional>

class SerialLine;

// The offsets a sensor adds to its readings, in the readouts' units; absent where the model
// has no register for one.
struct Corrections {
    std::optional<double> temperature;
    std::optional<double> humidity;
};

// The offsets the model's correction registers take: its own range, or what an int16 holds
// in the readout's scale.
QPair<double, double> CorrectionRange(const SensorModel& model, bool temperature);
// The register's word for an offset; nothing when the model has no such register or the
// offset is out of its range.
std::optional<quint16> CorrectionWord(const SensorModel& model, bool temperature, double offset);

// The model's correction registers of one sensor, read and written at its address on the open
// port (function 03 to read, 06 to write, every write confirmed by reading it back). It holds
// the line while it runs.
class SensorCorrections final : public QObject {
    Q_OBJECT
public:
    enum class Problem { None, OutOfRange, NoRegisters, Busy };

    explicit SensorCorrections(SerialLine& line, QObject* parent = nullptr);

    Problem read(int address, const SensorModel& model, const LineSettings& line);
    // Checks every value first: out of range, nothing is sent.
    Problem write(int address, const SensorModel& model, const LineSettings& line,
                  const Corrections& values);
    bool running() const { return turns_.holding(); }
    // Ends at once without a word (the window closes).
    void stop();

signals:
    // What the sensor holds now; failure says why when it did not answer or did not keep
    // what was written, empty when all went well.
    void finished(const Corrections& held, const QString& failure);

private:
    struct Step {
        bool temperature;
        std::optional<quint16> write; // absent: only read
    };
    void next();
    void finish(const QString& failure);

    RegisterTurns turns_;
    SensorModel model_;
    int address_ = 0;
    QList<Step> steps_;
    Corrections held_;
};
