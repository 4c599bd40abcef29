// SPDX-License-Identifier: MIT
#pragma once

#include "sensor_model.h"

#include <QByteArray>
#include <cstdint>
#include <optional>
#include <random>
#include <vector>

// The line as the far end has set it, as far as the transport shows it: a pseudo-terminal
// shows the rate but not the parity (it keeps no parity bit); an RFC 2217 endpoint is told
// both. What is not shown is not held against a frame.
struct HeardLine {
    std::optional<int> baud;
    std::optional<char> parity; // N, E or O
};

// Where a frame starts in what a sensor has heard.
struct FrameStart {
    enum class Kind {
        Wait,    // not complete yet
        Frame,   // a request of length bytes
        Garbage, // no request starts at the first byte
    };
    Kind kind = Kind::Wait;
    int length = 0;
};
// An 8-byte request, or the 11-byte parameter frame; both need their CRC.
FrameStart FindRequestStart(const QByteArray& received);

// How the simulated sensor answers one request frame, speaking one sensor model; no I/O
// here.
class VirtualSensor {
public:
    struct Options {
        SensorModel model = ToolsOwnModel(); // the map, the address way, the rate codes
        int address = 1;
        std::optional<int> temperature; // tenths of a degree; drifts when absent
        std::optional<int> humidity;    // tenths of a percent; drifts when absent
        int driftStart = 0;             // drifting readings start this many tenths apart
        bool exceptionReply = false;    // answer reads with exception 02
        bool badCrc = false;            // spoil the CRC of every reply
        bool sensorError = false;       // readouts that name an error value send it
        // The line it listens at: a frame at another rate or parity is noise to it.
        std::optional<int> baud;
        std::optional<char> parity;
        std::uint32_t seed = 1;
    };

    explicit VirtualSensor(const Options& options);

    // The model of the sensor the tool is made for, from the built-in catalogue.
    static const SensorModel& ToolsOwnModel();

    // The reply to a complete request with a valid CRC, or nothing when the sensor stays
    // quiet (another address, a broadcast read, a write that takes no reply).
    std::optional<QByteArray> answer(const QByteArray& request);
    // Whether a frame on this line reaches it as a frame.
    bool hears(const HeardLine& line) const;
    // Switched off and on: an address or rate that waits for it takes effect.
    void powerCycle();

    int address() const { return address_; }
    int temperature() const { return temperature_; }
    int humidity() const { return humidity_; }
    std::optional<int> baud() const { return baud_; }
    const SensorModel& model() const { return options_.model; }
    // What its register holds now, or nothing where the model has none.
    std::optional<quint16> registerValue(int function, int registerNumber) const;

private:
    void drift();
    QByteArray withCrc(const QByteArray& body) const;
    QByteArray refusal(int function, int code) const;
    std::optional<QByteArray> read(int function, int first, int count);
    std::optional<QByteArray> write(const QByteArray& request, bool broadcast);
    std::optional<QByteArray> parameterFrame(const QByteArray& request);
    std::optional<quint16> readoutWord(const std::optional<ValueMap>& map, int reading,
                                       const std::optional<int>& correction,
                                       int registerNumber) const;
    // The address and rate code take effect now or at the next power cycle.
    void settle(std::optional<int> address, std::optional<int> rateCode);
    void apply(std::optional<int> address, std::optional<int> rateCode);

    Options options_;
    int address_;
    std::optional<int> baud_;
    int temperature_;
    int humidity_;
    qint16 temperatureCorrection_ = 0;
    qint16 humidityCorrection_ = 0;
    std::optional<int> rateCode_; // as last written
    std::optional<int> pendingAddress_;
    std::optional<int> pendingRateCode_;
    std::mt19937 random_;
};

// Several sensors on one line. Each hears every frame; when more than one answers, the
// replies would collide on a real bus, so only the first is sent.
class SensorBus {
public:
    // One sensor per address, each with its own drifting readings.
    SensorBus(const VirtualSensor::Options& options, const std::vector<int>& addresses);
    // Sensors as given, each with its own model and line.
    explicit SensorBus(const std::vector<VirtualSensor::Options>& sensors);

    // The first reply of the sensors that hear the frame on this line.
    std::optional<QByteArray> answer(const QByteArray& request, const HeardLine& line = {});
    // Whether any of them hears a frame on this line.
    bool anyHears(const HeardLine& line) const;
    void powerCycle();
    const std::vector<VirtualSensor>& sensors() const { return sensors_; }

private:
    std::vector<VirtualSensor> sensors_;
};
