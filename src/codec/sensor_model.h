// SPDX-License-Identifier: MIT
#pragma once

#include "line_format.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <cstdint>
#include <optional>

// A sensor model: the register map and the habits of one kind of sensor, as data. The
// catalogue (src/link) reads models from JSON; everything here is plain values.

// How one readout's value sits in its register or registers.
enum class ValueEncoding {
    Int16,         // two's complement
    UInt16,        //
    SignMagnitude, // a value of signOffset or more means -(value - signOffset)
    Float32,       // IEEE 754 single precision over two registers
};

enum class WordOrder { HighFirst, LowFirst };

// The two names a model or a readout goes by: the tool's two languages.
struct ModelName {
    QString zh;
    QString en;
};

// One readout: where its value is and how to read it.
struct ValueMap {
    int registerNumber = 0; // the wire address, counted from 0
    ValueEncoding encoding = ValueEncoding::Int16;
    WordOrder wordOrder = WordOrder::HighFirst; // float32 only
    int signOffset = 10000;                     // sign-magnitude only
    int scaleDecimals = 1; // the register counts units of 10^-scaleDecimals (integers only)
    int decimals = 1;      // decimals shown
    // Values (before the scale) with which the sensor says it cannot measure.
    QList<double> errorValues;
    ModelName name;
    QString unit;
    // The readings a working sensor gives; identification doubts a model whose read falls
    // outside.
    double plausibleMin = 0;
    double plausibleMax = 0;

    int registerCount() const { return encoding == ValueEncoding::Float32 ? 2 : 1; }
};

// A read of registers: the function (03 holding, 04 input), the first register, how many.
struct RegisterRead {
    int function = 0x03;
    int first = 0;
    int count = 2;

    bool covers(int function_, int registerNumber, int registers = 1) const {
        return function == function_ && registerNumber >= first &&
               registerNumber + registers <= first + count;
    }
};

// Registers from first to last, both included.
struct RegisterRange {
    int first = 0;
    int last = 0;
    bool contains(int registerNumber) const {
        return registerNumber >= first && registerNumber <= last;
    }
};

// How the sensor takes a new address.
struct AddressChange {
    enum class Way {
        Broadcast,      // write of registerNumber to address 0, echoed: the tool's own sensor
        RegisterWrite,  // write of registerNumber at the sensor's current address
        ParameterFrame, // addr 06 00 00 00 01 02 <new address> <rate code>, 6 bytes echoed
        None,           // set by switches, or not published
    };
    Way way = Way::Broadcast;
    int registerNumber = 0;
    bool echoed = true;
    bool afterPowerCycle = false; // the new address holds only after a power cycle
};

// The rate codes the sensor understands, in its rate register or its parameter frame.
struct RateSetting {
    std::optional<int> registerNumber;
    QList<QPair<int, int>> codes; // (code, baud)
    bool afterPowerCycle = false; // the sensor moves to a new rate only after a power cycle

    std::optional<int> codeFor(int baud) const;
    std::optional<int> baudFor(int code) const;
};

// A register whose content tells the model: the sensor's own address, or a fixed value.
struct IdentifyingRegister {
    int function = 0x03;
    int registerNumber = 0;
    std::optional<int> fixedValue; // absent: the register holds the sensor's address
};

struct SensorModel {
    QString id;
    ModelName name;
    QString note; // where the facts come from, what is unsure
    RegisterRead read;
    int alsoFunction = 0; // the read's registers answer this function too; 0 for none
    // Shown in the first readout (AI_SHOW(0)) and the second (AI_SHOW(1)); a soil probe's
    // moisture takes the second with its own name and unit.
    std::optional<ValueMap> temperature;
    std::optional<ValueMap> humidity;
    LineSetup line; // the line it comes set to
    int defaultAddress = 1;
    AddressChange addressChange;
    RateSetting rate;
    std::optional<int> temperatureCorrection; // holding registers, int16 in the readout's scale
    std::optional<int> humidityCorrection;
    // The offsets the correction registers take, in the readouts' units, both included.
    std::optional<QPair<double, double>> correctionRange;
    QList<IdentifyingRegister> identifiedBy;
    // Further registers the sensor has, beyond the read and the registers named above.
    QList<RegisterRange> holdingRegisters;
    QList<RegisterRange> inputRegisters;

    bool isToolsOwn() const;
    // Whether the sensor has this register for this function (03 or 04), as the model
    // knows it: the read, the named registers, the further ranges.
    bool hasRegister(int function, int registerNumber) const;
    bool knowsFunction(int function) const;
    // The holding register that holds the address and takes a new one, when there is one.
    std::optional<int> addressRegister() const;
};

namespace ModelId {
// The tool's own sensor: first in the catalogue, chosen when nothing else is.
constexpr const char* kToolsOwn = "default";
} // namespace ModelId

// The model's read request to the sensor at address. For the tool's own sensor it is
// ReadRequest(address), byte for byte.
QByteArray ModelReadRequest(const SensorModel& model, std::uint8_t address);
QByteArray ReadRegistersRequest(std::uint8_t address, const RegisterRead& read);
// Function 06: value into one register of the sensor at address (0: every sensor).
QByteArray WriteRegisterRequest(std::uint8_t address, int registerNumber, quint16 value);

// The request that gives the sensor at currentAddress the address newAddress, the model's
// way; empty for a model without one. rateCode is the parameter frame's, which sets the rate
// too: the code of the rate the sensor keeps.
QByteArray ModelAddressRequest(const SensorModel& model, std::uint8_t currentAddress,
                               std::uint8_t newAddress, int rateCode = 0);
// What the sensor sends back for it; empty when it sends nothing.
QByteArray ExpectedAddressReply(const SensorModel& model, const QByteArray& request);

// The reply lengths in bytes the reply check accepts after the model's requests. The tool's
// own sensor keeps the lengths the tool has always taken (one, two or eight registers, or
// the address echo); any other model's read is answered by exactly its registers, and its
// address write by an eight-byte echo.
QList<int> AcceptedReplyBytes(const SensorModel& model);
