// SPDX-License-Identifier: MIT
#include "sensor_model.h"

#include "crc.h"
#include "frame_sizes.h"
#include "reply_check.h"

#include <algorithm>

std::optional<int> RateSetting::codeFor(int baud) const {
    for (const auto& [code, rate] : codes) {
        if (rate == baud)
            return code;
    }
    return std::nullopt;
}

std::optional<int> RateSetting::baudFor(int code) const {
    for (const auto& [known, rate] : codes) {
        if (known == code)
            return rate;
    }
    return std::nullopt;
}

bool SensorModel::isToolsOwn() const {
    return id == QLatin1String(ModelId::kToolsOwn);
}

std::optional<int> SensorModel::addressRegister() const {
    // The tool's own sensor takes its address in register 0 but reads back its temperature
    // there: only a register written at the sensor's own address holds the address.
    if (addressChange.way != AddressChange::Way::RegisterWrite)
        return std::nullopt;
    return addressChange.registerNumber;
}

bool SensorModel::hasRegister(int function, int registerNumber) const {
    if (read.covers(function, registerNumber) ||
        (alsoFunction == function &&
         RegisterRead{alsoFunction, read.first, read.count}.covers(function, registerNumber)))
        return true;
    for (const IdentifyingRegister& identifying : identifiedBy) {
        if (identifying.function == function && identifying.registerNumber == registerNumber)
            return true;
    }
    const QList<RegisterRange>& further =
        function == Function::kReadRegisters ? holdingRegisters : inputRegisters;
    if (std::any_of(further.begin(), further.end(),
                    [&](const RegisterRange& range) { return range.contains(registerNumber); }))
        return true;
    if (function != Function::kReadRegisters)
        return false;
    for (const std::optional<int>& named :
         {addressRegister(), rate.registerNumber, temperatureCorrection, humidityCorrection}) {
        if (named == registerNumber)
            return true;
    }
    return false;
}

bool SensorModel::knowsFunction(int function) const {
    if (read.function == function || alsoFunction == function)
        return true;
    if (function == Function::kReadInputRegisters)
        return !inputRegisters.isEmpty();
    return !holdingRegisters.isEmpty() || addressRegister() || rate.registerNumber ||
           temperatureCorrection || humidityCorrection ||
           std::any_of(identifiedBy.begin(), identifiedBy.end(),
                       [&](const IdentifyingRegister& r) { return r.function == function; });
}

namespace {

QByteArray frameOf(std::initializer_list<int> bytes) {
    QByteArray body;
    for (const int byte : bytes)
        body.append(static_cast<char>(byte));
    return AppendCRC(body, static_cast<std::uint8_t>(body.size() - 1));
}

} // namespace

QByteArray ReadRegistersRequest(std::uint8_t address, const RegisterRead& read) {
    return frameOf({address, read.function, read.first >> 8, read.first & 0xFF, read.count >> 8,
                    read.count & 0xFF});
}

QByteArray WriteRegisterRequest(std::uint8_t address, int registerNumber, quint16 value) {
    return frameOf({address, Function::kWriteRegister, registerNumber >> 8, registerNumber & 0xFF,
                    value >> 8, value & 0xFF});
}

QByteArray ModelReadRequest(const SensorModel& model, std::uint8_t address) {
    return ReadRegistersRequest(address, model.read);
}

QByteArray ModelAddressRequest(const SensorModel& model, std::uint8_t currentAddress,
                               std::uint8_t newAddress, int rateCode) {
    const AddressChange& change = model.addressChange;
    const int reg = change.registerNumber;
    switch (change.way) {
    case AddressChange::Way::Broadcast:
        return WriteRegisterRequest(kBroadcastAddress, reg, newAddress);
    case AddressChange::Way::RegisterWrite:
        return WriteRegisterRequest(currentAddress, reg, newAddress);
    case AddressChange::Way::ParameterFrame:
        return frameOf(
            {currentAddress, Function::kWriteRegister, 0, 0, 0, 1, 2, newAddress, rateCode & 0xFF});
    case AddressChange::Way::None:
        break;
    }
    return {};
}

QByteArray ExpectedAddressReply(const SensorModel& model, const QByteArray& request) {
    if (!model.addressChange.echoed || request.size() < FrameSize::kRequest)
        return {};
    if (model.addressChange.way == AddressChange::Way::ParameterFrame)
        return AppendCRC(request, 5);
    return request;
}

QList<int> AcceptedReplyBytes(const SensorModel& model) {
    using namespace FrameSize;
    if (model.isToolsOwn())
        return ToolsReplyBytes();
    return {kReplyHeader + 2 * model.read.count + kCrc, kAddressEcho};
}
