// SPDX-License-Identifier: MIT
#pragma once

#include "model_readings.h"
#include "sensor_model.h"

#include <QCoreApplication>
#include <QString>

// What the operator reads about a model: its name and its readouts' names in the language
// the tool's texts are in, its read map, its line and its way of taking a new address.
class ModelTexts {
    Q_DECLARE_TR_FUNCTIONS(ModelTexts)
public:
    static bool english();
    static QString name(const SensorModel& model);
    static QString name(const ModelName& name);
    // "温度" / "湿度" unless the model names the readout otherwise.
    static QString readoutName(const SensorModel& model, bool first);
    static QString readoutUnit(const SensorModel& model, bool first);
    // "功能码 04，寄存器 1-2：温度 1，湿度 2"
    static QString readMap(const SensorModel& model);
    // "9600 8N1"
    static QString line(const LineSetup& line);
    static QString addressWay(const SensorModel& model);
    // A readout's caption, or what a sensor that cannot measure shows.
    static QString readout(const Readout& readout);
    // Name, read map, line and address way on lines of their own, for tooltips.
    static QString summary(const SensorModel& model);
};

// The model's name in the operator's language.
inline QString ModelDisplayName(const SensorModel& model) {
    return ModelTexts::name(model);
}
