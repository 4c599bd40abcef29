// SPDX-License-Identifier: MIT
#pragma once

#include "sensor_model.h"

#include <QByteArray>
#include <QList>
#include <QLocale>
#include <QString>
#include <optional>

// One readout as its model reads it: a value, or the sensor saying it cannot measure.
struct Readout {
    std::optional<qint64> scaled; // the value in units of 10^-decimals; absent: sensor error
    int decimals = 1;
    QString caption; // the value and its unit, "25.0℃"; empty for a sensor error

    bool sensorError() const { return !scaled; }
    double value() const; // 0 for a sensor error
};

// What the two readouts show. An absent readout means "leave that readout as it is".
struct ModelReadings {
    std::optional<Readout> temperature; // the first readout (AI_SHOW(0))
    std::optional<Readout> humidity;    // the second (AI_SHOW(1)): humidity, or moisture
};

// Decodes one readout from register words that begin at register firstRegister; nothing
// when the words do not hold all of its registers.
std::optional<Readout> DecodeReadout(const ValueMap& map, const QList<quint16>& words,
                                     int firstRegister, const QLocale& locale = QLocale());

// Both readouts from words that begin at the model's read's first register.
ModelReadings DecodeModelRegisters(const SensorModel& model, const QList<quint16>& words,
                                   const QLocale& locale = QLocale());

// The register words of a read reply (address, function, byte count, data, CRC); nothing
// unless its byte count is even and fits the frame's length. The CRC is not looked at.
std::optional<QList<quint16>> ReplyRegisters(const QByteArray& frame);

// ShowReadings' decoding for any model, on an accepted reply held as transcript. The tool's
// own sensor is decoded exactly as DecodeReadings does it, with the same entry rules; any
// other model needs acquisition running and a read reply of its read's function.
std::optional<ModelReadings> DecodeModelReply(const SensorModel& model, const QString& ReceiveHex,
                                              bool acquisitionRunning,
                                              const QLocale& locale = QLocale());

// The registers that hold a value, scaled in 10^-decimals of the unit: what a sensor of this
// map sends for it. Values beyond what the encoding holds are clamped to its limits.
QList<quint16> EncodeReadout(const ValueMap& map, qint64 scaled, int decimals);
// The registers of the map's first sensor-error value; nothing when it names none.
std::optional<QList<quint16>> EncodeSensorError(const ValueMap& map);
