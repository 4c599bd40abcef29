// SPDX-License-Identifier: MIT
#include "virtual_sensor.h"

#include "crc.h"
#include "frame_sizes.h"
#include "model_readings.h"
#include "sensor_catalogue.h"
#include "tool_limits.h"

#include <algorithm>
#include <cmath>

namespace {

// addr 06 00 00 00 01 02: the parameter frame's head; the new address, the rate code and
// the CRC follow.
constexpr int kParameterFrame = 11;
const QByteArray kParameterHead = QByteArray::fromHex("060000000102");

// The addresses a sensor takes; the tool's own sensor takes any the tool can type.
constexpr int kHighestModbusAddress = 247;

bool isParameterFrame(const QByteArray& bytes) {
    return bytes.size() >= 1 + kParameterHead.size() &&
           bytes.mid(1, kParameterHead.size()) == kParameterHead;
}

} // namespace

FrameStart FindRequestStart(const QByteArray& received) {
    if (received.size() >= FrameSize::kRequest && HasValidCrc(received.left(FrameSize::kRequest)))
        return {FrameStart::Kind::Frame, FrameSize::kRequest};
    if (isParameterFrame(received) || (received.size() < 1 + kParameterHead.size() &&
                                       kParameterHead.startsWith(received.mid(1)))) {
        if (received.size() < kParameterFrame)
            return {};
        if (HasValidCrc(received.left(kParameterFrame)))
            return {FrameStart::Kind::Frame, kParameterFrame};
        return {FrameStart::Kind::Garbage, 0};
    }
    if (received.size() >= FrameSize::kRequest)
        return {FrameStart::Kind::Garbage, 0};
    return {};
}

const SensorModel& VirtualSensor::ToolsOwnModel() {
    static const SensorCatalogue catalogue;
    return catalogue.toolsOwn();
}

VirtualSensor::VirtualSensor(const Options& options)
    : options_(options), address_(options.address), baud_(options.baud),
      temperature_(options.temperature.value_or(235 + options.driftStart)),
      humidity_(options.humidity.value_or(550 - 2 * options.driftStart)), random_(options.seed) {}

QByteArray VirtualSensor::withCrc(const QByteArray& body) const {
    QByteArray frame = AppendCRC(body, static_cast<std::uint8_t>(body.size() - 1));
    if (options_.badCrc)
        frame[frame.size() - 1] = static_cast<char>(frame[frame.size() - 1] ^ 0x5A);
    return frame;
}

QByteArray VirtualSensor::refusal(int function, int code) const {
    QByteArray body;
    body.append(static_cast<char>(address_))
        .append(static_cast<char>(function | Function::kExceptionFlag))
        .append(static_cast<char>(code));
    return withCrc(body);
}

void VirtualSensor::drift() {
    std::uniform_int_distribution<int> step(-1, 1);
    if (!options_.temperature)
        temperature_ = std::clamp(temperature_ + step(random_), 150, 350);
    if (!options_.humidity)
        humidity_ = std::clamp(humidity_ + step(random_), 300, 800);
}

bool VirtualSensor::hears(const HeardLine& line) const {
    const bool rateFits = !baud_ || !line.baud || *line.baud == *baud_;
    const bool parityFits = !options_.parity || !line.parity || *line.parity == *options_.parity;
    return rateFits && parityFits;
}

void VirtualSensor::settle(std::optional<int> address, std::optional<int> rateCode) {
    // A rate written alone follows the rate's own habit; with an address, the address's.
    const bool afterPowerCycle = address ? options_.model.addressChange.afterPowerCycle
                                         : options_.model.rate.afterPowerCycle;
    if (!afterPowerCycle) {
        apply(address, rateCode);
        return;
    }
    if (address)
        pendingAddress_ = address;
    if (rateCode)
        pendingRateCode_ = rateCode;
}

void VirtualSensor::apply(std::optional<int> address, std::optional<int> rateCode) {
    if (address)
        address_ = *address;
    if (!rateCode)
        return;
    rateCode_ = rateCode;
    // A sensor that listens at one rate moves to the new one.
    if (const auto rate = options_.model.rate.baudFor(*rateCode); rate && baud_)
        baud_ = *rate;
}

void VirtualSensor::powerCycle() {
    apply(pendingAddress_, pendingRateCode_);
    pendingAddress_.reset();
    pendingRateCode_.reset();
}

std::optional<quint16> VirtualSensor::readoutWord(const std::optional<ValueMap>& map, int reading,
                                                  const std::optional<int>& correction,
                                                  int registerNumber) const {
    if (!map || registerNumber < map->registerNumber ||
        registerNumber >= map->registerNumber + map->registerCount())
        return std::nullopt;
    std::optional<QList<quint16>> words;
    if (options_.sensorError)
        words = EncodeSensorError(*map);
    if (!words) {
        // A correction counts units of the readout's scale; the readings are tenths.
        const double tenths =
            correction.value_or(0) * std::pow(10.0, 1 - map->scaleDecimals) + reading;
        words = EncodeReadout(*map, std::llround(tenths), 1);
    }
    return words->at(registerNumber - map->registerNumber);
}

std::optional<quint16> VirtualSensor::registerValue(int function, int registerNumber) const {
    const SensorModel& model = options_.model;
    if (!model.hasRegister(function, registerNumber))
        return std::nullopt;
    if (function == model.read.function || function == model.alsoFunction) {
        for (const auto& word :
             {readoutWord(model.temperature, temperature_,
                          model.temperatureCorrection ? std::optional<int>(temperatureCorrection_)
                                                      : std::nullopt,
                          registerNumber),
              readoutWord(model.humidity, humidity_,
                          model.humidityCorrection ? std::optional<int>(humidityCorrection_)
                                                   : std::nullopt,
                          registerNumber)}) {
            if (word)
                return word;
        }
    }
    for (const IdentifyingRegister& identifying : model.identifiedBy) {
        if (identifying.function == function && identifying.registerNumber == registerNumber &&
            identifying.fixedValue)
            return static_cast<quint16>(*identifying.fixedValue);
    }
    if (function != Function::kReadRegisters)
        return 0;
    if (model.addressRegister() == registerNumber)
        return static_cast<quint16>(address_);
    if (model.rate.registerNumber == registerNumber)
        return static_cast<quint16>(
            rateCode_.value_or(model.rate.codeFor(baud_.value_or(model.line.baud)).value_or(0)));
    if (model.temperatureCorrection == registerNumber)
        return static_cast<quint16>(temperatureCorrection_);
    if (model.humidityCorrection == registerNumber)
        return static_cast<quint16>(humidityCorrection_);
    return 0;
}

std::optional<QByteArray> VirtualSensor::read(int function, int first, int count) {
    if (options_.exceptionReply)
        return refusal(function, ExceptionCode::kIllegalAddress);
    if (!options_.model.knowsFunction(function))
        return refusal(function, ExceptionCode::kIllegalFunction);
    if (count < 1 || count > FrameSize::kMaxReadRegisters)
        return refusal(function, ExceptionCode::kIllegalValue);
    for (int reg = first; reg < first + count; ++reg) {
        if (!options_.model.hasRegister(function, reg))
            return refusal(function, ExceptionCode::kIllegalAddress);
    }
    drift();
    QByteArray body;
    body.append(static_cast<char>(address_))
        .append(static_cast<char>(function))
        .append(static_cast<char>(2 * count));
    for (int reg = first; reg < first + count; ++reg) {
        const quint16 word = registerValue(function, reg).value_or(0);
        body.append(static_cast<char>(word >> 8)).append(static_cast<char>(word & 0xFF));
    }
    return withCrc(body);
}

std::optional<QByteArray> VirtualSensor::write(const QByteArray& request, bool broadcast) {
    const SensorModel& model = options_.model;
    const auto byte = [&](int i) { return static_cast<std::uint8_t>(request[i]); };
    const int reg = byte(2) << 8 | byte(3);
    const int value = byte(4) << 8 | byte(5);
    const QByteArray echo = options_.badCrc ? withCrc(request.left(6)) : request;
    const AddressChange& change = model.addressChange;

    if (change.way == AddressChange::Way::Broadcast && reg == change.registerNumber) {
        // The tool's own sensor: the write is echoed, broadcast included, then it answers
        // at its new address.
        if (value < 1 || value > Limits::kHighestAddress)
            return std::nullopt;
        settle(value, std::nullopt);
        return change.echoed ? std::optional<QByteArray>(echo) : std::nullopt;
    }
    const bool addressWrite =
        change.way == AddressChange::Way::RegisterWrite && reg == change.registerNumber;
    if (broadcast) {
        // Every sensor that has the register takes a broadcast write; none answers.
        if (addressWrite && value >= 1 && value <= kHighestModbusAddress)
            settle(value, std::nullopt);
        return std::nullopt;
    }
    if (addressWrite) {
        if (value < 1 || value > kHighestModbusAddress)
            return refusal(Function::kWriteRegister, ExceptionCode::kIllegalValue);
        settle(value, std::nullopt);
        return change.echoed ? std::optional<QByteArray>(echo) : std::nullopt;
    }
    if (model.rate.registerNumber == reg) {
        if (!model.rate.codes.isEmpty() && !model.rate.baudFor(value))
            return refusal(Function::kWriteRegister, ExceptionCode::kIllegalValue);
        settle(std::nullopt, value);
        return echo;
    }
    if (model.temperatureCorrection == reg || model.humidityCorrection == reg) {
        (model.temperatureCorrection == reg ? temperatureCorrection_ : humidityCorrection_) =
            static_cast<qint16>(value);
        return echo;
    }
    const bool writable = model.addressRegister() || model.rate.registerNumber ||
                          model.temperatureCorrection || model.humidityCorrection;
    return refusal(Function::kWriteRegister,
                   writable ? ExceptionCode::kIllegalAddress : ExceptionCode::kIllegalFunction);
}

std::optional<QByteArray> VirtualSensor::parameterFrame(const QByteArray& request) {
    const SensorModel& model = options_.model;
    if (model.addressChange.way != AddressChange::Way::ParameterFrame)
        return std::nullopt;
    const int newAddress = static_cast<std::uint8_t>(request[7]);
    const int rateCode = static_cast<std::uint8_t>(request[8]);
    if (newAddress < 1 || newAddress > kHighestModbusAddress || !model.rate.baudFor(rateCode))
        return refusal(Function::kWriteRegister, ExceptionCode::kIllegalValue);
    const QByteArray reply = withCrc(request.left(6));
    settle(newAddress, rateCode);
    return model.addressChange.echoed ? std::optional<QByteArray>(reply) : std::nullopt;
}

std::optional<QByteArray> VirtualSensor::answer(const QByteArray& request) {
    const FrameStart start = FindRequestStart(request);
    if (start.kind != FrameStart::Kind::Frame || start.length != request.size())
        return std::nullopt;
    const auto byte = [&](int i) { return static_cast<std::uint8_t>(request[i]); };
    const int target = byte(0);
    const int function = byte(1);
    const bool broadcast = target == kBroadcastAddress;
    if (!broadcast && target != address_)
        return std::nullopt;
    if (request.size() != FrameSize::kRequest)
        return broadcast ? std::nullopt : parameterFrame(request);
    if (function == Function::kWriteRegister)
        return write(request, broadcast);
    if (broadcast)
        return std::nullopt;
    if (function == Function::kReadRegisters || function == Function::kReadInputRegisters)
        return read(function, byte(2) << 8 | byte(3), byte(4) << 8 | byte(5));
    return refusal(function, ExceptionCode::kIllegalFunction);
}

namespace {

std::vector<VirtualSensor::Options> atEach(const VirtualSensor::Options& options,
                                           const std::vector<int>& addresses) {
    std::vector<VirtualSensor::Options> sensors;
    for (const int address : addresses) {
        VirtualSensor::Options own = options;
        own.address = address;
        sensors.push_back(own);
    }
    return sensors;
}

} // namespace

SensorBus::SensorBus(const VirtualSensor::Options& options, const std::vector<int>& addresses)
    : SensorBus(atEach(options, addresses)) {}

SensorBus::SensorBus(const std::vector<VirtualSensor::Options>& sensors) {
    for (std::size_t i = 0; i < sensors.size(); ++i) {
        VirtualSensor::Options own = sensors[i];
        own.seed = sensors[i].seed + static_cast<std::uint32_t>(i);
        own.driftStart = 12 * static_cast<int>(i); // told apart at a glance
        sensors_.emplace_back(own);
    }
}

std::optional<QByteArray> SensorBus::answer(const QByteArray& request, const HeardLine& line) {
    std::optional<QByteArray> first;
    for (VirtualSensor& sensor : sensors_) {
        if (!sensor.hears(line))
            continue;
        auto reply = sensor.answer(request);
        if (reply && !first)
            first = std::move(reply);
    }
    return first;
}

bool SensorBus::anyHears(const HeardLine& line) const {
    return std::any_of(sensors_.begin(), sensors_.end(),
                       [&](const VirtualSensor& sensor) { return sensor.hears(line); });
}

void SensorBus::powerCycle() {
    for (VirtualSensor& sensor : sensors_)
        sensor.powerCycle();
}
