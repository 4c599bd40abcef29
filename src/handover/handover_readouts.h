// SPDX-License-Identifier: MIT
#pragma once

#include "sensor_model.h"

#include <QList>
#include <QString>

// One value a monitoring system reads from a sensor, in the terms all four formats share.
struct HandoverReadout {
    QString key;         // temperature, humidity or moisture: field and entity names
    QString deviceClass; // Home Assistant's: temperature, humidity or moisture
    int function = 0x03; // 03 holding, 04 input
    ValueMap map;
    // What the register value is multiplied by: 10^-scaleDecimals for integers, 1 for
    // float32, and 1 for sign-magnitude, which no target decodes: it goes out raw.
    double scale = 1;

    bool raw() const { return map.encoding == ValueEncoding::SignMagnitude; }
    bool isFloat() const { return map.encoding == ValueEncoding::Float32; }
    bool lowWordFirst() const { return isFloat() && map.wordOrder == WordOrder::LowFirst; }
    // The unit as monitoring systems write it ("°C", "%"); empty for a raw value.
    QString unit() const;
    // "0.1", "0.01", "1": the scale as the files write it.
    QString scaleText() const;
    // For a raw value: how to turn it into the reading, one line of English.
    QString rawHint() const;
};

// The readouts of a model, temperature first, each read with the model's read function.
QList<HandoverReadout> HandoverReadouts(const SensorModel& model);

// The readouts split into runs that one read can cover, in their order: same(a, b) says
// whether a and b go together.
QList<QList<HandoverReadout>> GroupedReadouts(QList<HandoverReadout> readouts,
                                              bool (*same)(const HandoverReadout&,
                                                           const HandoverReadout&));

// The name a sensor gets unless the operator gives another: the model's id and the address,
// "xy_md02_7".
QString DefaultSensorName(const SensorModel& model, int address);
