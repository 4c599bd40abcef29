// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <cstdint>
#include <optional>
#include <random>
#include <vector>

// How the simulated sensor answers one request frame; no I/O here.
class VirtualSensor {
public:
    struct Options {
        int address = 1;
        std::optional<int> temperature; // tenths of a degree; drifts when absent
        std::optional<int> humidity;    // tenths of a percent; drifts when absent
        int driftStart = 0;             // drifting readings start this many tenths apart
        bool exceptionReply = false;    // answer reads with exception 02
        bool badCrc = false;            // spoil the CRC of every reply
        std::uint32_t seed = 1;
    };

    explicit VirtualSensor(const Options& options);

    // The reply to a complete 8-byte request with a valid CRC, or nothing when the sensor
    // stays quiet (another address, a broadcast read).
    std::optional<QByteArray> answer(const QByteArray& request);

    int address() const { return address_; }
    int temperature() const { return temperature_; }
    int humidity() const { return humidity_; }

private:
    void drift();
    QByteArray withCrc(const QByteArray& body) const;

    Options options_;
    int address_;
    int temperature_;
    int humidity_;
    std::mt19937 random_;
};

// Several sensors on one line. Each hears every frame; when more than one answers, the
// replies would collide on a real bus, so only the first is sent.
class SensorBus {
public:
    // One sensor per address, each with its own drifting readings.
    SensorBus(const VirtualSensor::Options& options, const std::vector<int>& addresses);

    std::optional<QByteArray> answer(const QByteArray& request);
    const std::vector<VirtualSensor>& sensors() const { return sensors_; }

private:
    std::vector<VirtualSensor> sensors_;
};
