// SPDX-License-Identifier: MIT
#include "virtual_sensor.h"

#include "crc.h"
#include "frame_sizes.h"

#include <algorithm>

VirtualSensor::VirtualSensor(const Options& options)
    : options_(options), address_(options.address),
      temperature_(options.temperature.value_or(235 + options.driftStart)),
      humidity_(options.humidity.value_or(550 - 2 * options.driftStart)), random_(options.seed) {}

QByteArray VirtualSensor::withCrc(const QByteArray& body) const {
    QByteArray frame = AppendCRC(body, static_cast<std::uint8_t>(body.size() - 1));
    if (options_.badCrc)
        frame[frame.size() - 1] = static_cast<char>(frame[frame.size() - 1] ^ 0x5A);
    return frame;
}

void VirtualSensor::drift() {
    std::uniform_int_distribution<int> step(-1, 1);
    if (!options_.temperature)
        temperature_ = std::clamp(temperature_ + step(random_), 150, 350);
    if (!options_.humidity)
        humidity_ = std::clamp(humidity_ + step(random_), 300, 800);
}

std::optional<QByteArray> VirtualSensor::answer(const QByteArray& request) {
    if (request.size() != FrameSize::kRequest || !HasValidCrc(request))
        return std::nullopt;
    const auto byte = [&](int i) { return static_cast<std::uint8_t>(request[i]); };
    const int target = byte(0);
    const int function = byte(1);
    const int reg = byte(2) << 8 | byte(3);
    const int value = byte(4) << 8 | byte(5);
    const bool broadcast = target == kBroadcastAddress;
    if (!broadcast && target != address_)
        return std::nullopt;

    if (function == Function::kWriteRegister && reg == 0) {
        // The sensor echoes the write, broadcast included, then answers at its new address.
        if (value < 1 || value > 255)
            return std::nullopt;
        address_ = value;
        return options_.badCrc ? withCrc(request.left(6)) : request;
    }
    if (broadcast)
        return std::nullopt;

    QByteArray body;
    body.append(static_cast<char>(address_));
    if (function != Function::kReadRegisters) {
        body.append(static_cast<char>(function | Function::kExceptionFlag)).append('\x01');
        return withCrc(body);
    }
    if (options_.exceptionReply || reg != 0 || value < 1 || value > 8) {
        body.append('\x83').append('\x02');
        return withCrc(body);
    }
    drift();
    const int registers[8] = {temperature_ & 0xFFFF, humidity_ & 0xFFFF, 0, 0, 0, 0, 0, 0};
    body.append('\x03').append(static_cast<char>(2 * value));
    for (int i = 0; i < value; ++i)
        body.append(static_cast<char>(registers[i] >> 8)).append(static_cast<char>(registers[i]));
    return withCrc(body);
}

SensorBus::SensorBus(const VirtualSensor::Options& options, const std::vector<int>& addresses) {
    for (std::size_t i = 0; i < addresses.size(); ++i) {
        VirtualSensor::Options own = options;
        own.address = addresses[i];
        own.seed = options.seed + static_cast<std::uint32_t>(i);
        own.driftStart = 12 * static_cast<int>(i); // told apart at a glance
        VirtualSensor sensor(own);
        sensors_.push_back(sensor);
    }
}

std::optional<QByteArray> SensorBus::answer(const QByteArray& request) {
    std::optional<QByteArray> first;
    for (VirtualSensor& sensor : sensors_) {
        auto reply = sensor.answer(request);
        if (reply && !first)
            first = std::move(reply);
    }
    return first;
}
