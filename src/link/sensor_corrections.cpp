// SPDX-License-Identifier: MIT
#include "sensor_corrections.h"

#include <QCoreApplication>
#include <cmath>
#include <limits>

namespace {
const ValueMap* readoutOf(const SensorModel& model, bool temperature) {
    const auto& map = temperature ? model.temperature : model.humidity;
    return map ? &*map : nullptr;
}

std::optional<int> registerOf(const SensorModel& model, bool temperature) {
    return temperature ? model.temperatureCorrection : model.humidityCorrection;
}

double unitsPerCount(const SensorModel& model, bool temperature) {
    const ValueMap* map = readoutOf(model, temperature);
    return std::pow(10.0, -(map ? map->scaleDecimals : 1));
}
} // namespace

QPair<double, double> CorrectionRange(const SensorModel& model, bool temperature) {
    if (model.correctionRange)
        return *model.correctionRange;
    const double unit = unitsPerCount(model, temperature);
    return {std::numeric_limits<qint16>::min() * unit, std::numeric_limits<qint16>::max() * unit};
}

std::optional<quint16> CorrectionWord(const SensorModel& model, bool temperature, double offset) {
    if (!registerOf(model, temperature) || !std::isfinite(offset))
        return std::nullopt;
    const auto [lowest, highest] = CorrectionRange(model, temperature);
    if (offset < lowest || offset > highest)
        return std::nullopt;
    return static_cast<quint16>(
        static_cast<qint16>(std::lround(offset / unitsPerCount(model, temperature))));
}

SensorCorrections::SensorCorrections(SerialLine& line, QObject* parent)
    : QObject(parent), turns_(line, tr("校正")) {
    connect(&turns_, &RegisterTurns::lineFailed, this, &SensorCorrections::finish);
}

SensorCorrections::Problem SensorCorrections::read(int address, const SensorModel& model,
                                                   const LineSettings& line) {
    return write(address, model, line, {});
}

SensorCorrections::Problem SensorCorrections::write(int address, const SensorModel& model,
                                                    const LineSettings& line,
                                                    const Corrections& values) {
    if (running())
        return Problem::Busy;
    if (!model.temperatureCorrection && !model.humidityCorrection)
        return Problem::NoRegisters;
    QList<Step> steps;
    for (const bool temperature : {true, false}) {
        if (!registerOf(model, temperature))
            continue;
        const auto& value = temperature ? values.temperature : values.humidity;
        std::optional<quint16> word;
        if (value) {
            word = CorrectionWord(model, temperature, *value);
            if (!word)
                return Problem::OutOfRange;
        }
        steps << Step{temperature, word};
    }
    model_ = model;
    address_ = address;
    steps_ = steps;
    held_ = {};
    turns_.hold(line);
    next();
    return Problem::None;
}

void SensorCorrections::next() {
    if (steps_.isEmpty()) {
        finish({});
        return;
    }
    const Step step = steps_.first();
    const int reg = *registerOf(model_, step.temperature);
    const auto readBack = [this, step, reg] {
        turns_.read(address_, {0x03, reg, 1}, [this, step](const RegisterAnswer& answer) {
            if (answer.kind != RegisterAnswer::Kind::Done || answer.registers.size() != 1) {
                finish(tr("传感器未回答校正值的读取"));
                return;
            }
            const quint16 word = answer.registers.first();
            (step.temperature ? held_.temperature : held_.humidity) =
                static_cast<qint16>(word) * unitsPerCount(model_, step.temperature);
            if (step.write && word != *step.write) {
                finish(tr("读回的校正值与写入的不同"));
                return;
            }
            steps_.removeFirst();
            next();
        });
    };
    if (!step.write) {
        readBack();
        return;
    }
    turns_.write(address_, reg, *step.write, [this, readBack](const RegisterAnswer& answer) {
        if (answer.kind == RegisterAnswer::Kind::Refused) {
            finish(tr("传感器拒绝了校正值（异常码 %1）").arg(answer.exceptionCode));
            return;
        }
        if (answer.kind != RegisterAnswer::Kind::Done) {
            finish(tr("传感器未确认校正值的写入"));
            return;
        }
        readBack();
    });
}

void SensorCorrections::stop() {
    steps_.clear();
    turns_.release();
}

void SensorCorrections::finish(const QString& failure) {
    steps_.clear();
    turns_.release();
    emit finished(held_, failure);
}
