// SPDX-License-Identifier: MIT
#include "rate_change.h"

#include "line_setup_settings.h"
#include "serial_line.h"

#include <QCoreApplication>
#include <algorithm>

std::optional<RateRefusal> RefuseRate(const SensorModel& model, int baud) {
    if (!model.rate.registerNumber)
        return RateRefusal::NoRegister;
    if (!model.rate.codeFor(baud))
        return RateRefusal::NoCode;
    return std::nullopt;
}

RateChange::RateChange(SerialLine& line, QObject* parent)
    : QObject(parent), turns_(line, tr("更改波特率")) {
    connect(&turns_, &RegisterTurns::lineFailed, this, [this](const QString& reason) {
        outcome_.lineFailure = reason;
        finish();
    });
}

bool RateChange::start(const RateChangePlan& plan) {
    if (running() || plan.sensors.isEmpty() ||
        std::any_of(plan.sensors.begin(), plan.sensors.end(),
                    [&](const auto& sensor) { return RefuseRate(sensor.model, plan.baud); }))
        return false;
    plan_ = plan;
    outcome_ = {};
    outcome_.baud = plan.baud;
    outcome_.oldBaud = plan.line.baudRate;
    written_.clear();
    index_ = 0;
    awaitingPowerCycle_ = false;
    turns_.hold(plan.line);
    writeNext();
    return true;
}

void RateChange::writeNext() {
    if (index_ >= plan_.sensors.size()) {
        if (written_.isEmpty()) {
            finish();
            return;
        }
        QList<int> waiting;
        for (const int i : written_) {
            if (plan_.sensors[i].model.rate.afterPowerCycle)
                waiting << plan_.sensors[i].address;
        }
        if (waiting.isEmpty()) {
            confirm();
            return;
        }
        awaitingPowerCycle_ = true;
        emit powerCycleNeeded(waiting);
        return;
    }
    const auto& sensor = plan_.sensors[index_];
    const int code = *sensor.model.rate.codeFor(plan_.baud);
    turns_.write(sensor.address, *sensor.model.rate.registerNumber, static_cast<quint16>(code),
                 [this](const RegisterAnswer& answer) {
                     if (answer.kind == RegisterAnswer::Kind::Done)
                         written_ << index_;
                     else
                         outcome_.refused << plan_.sensors[index_].address;
                     ++index_;
                     writeNext();
                 });
}

void RateChange::powerCycled() {
    if (!running() || !awaitingPowerCycle_)
        return;
    awaitingPowerCycle_ = false;
    confirm();
}

void RateChange::cancel() {
    if (!running())
        return;
    for (const int i : written_) {
        const int address = plan_.sensors[i].address;
        if (!outcome_.confirmed.contains(address) && !outcome_.silent.contains(address))
            outcome_.silent << address;
    }
    finish();
}

void RateChange::stop() {
    awaitingPowerCycle_ = false;
    turns_.release();
}

void RateChange::confirm() {
    LineSettings newLine = plan_.line;
    newLine.baudRate = plan_.baud;
    if (!turns_.useSettings(newLine)) {
        outcome_.lineFailure = tr("串口不能设为 %1 波特").arg(plan_.baud);
        for (const int i : written_)
            outcome_.silent << plan_.sensors[i].address;
        finish();
        return;
    }
    index_ = 0;
    confirmNext();
}

void RateChange::confirmNext() {
    if (index_ >= written_.size()) {
        finish();
        return;
    }
    const auto& sensor = plan_.sensors[written_[index_]];
    turns_.read(sensor.address, sensor.model.read, [this](const RegisterAnswer& answer) {
        const int address = plan_.sensors[written_[index_]].address;
        (answer.kind == RegisterAnswer::Kind::Done ? outcome_.confirmed : outcome_.silent)
            << address;
        ++index_;
        confirmNext();
    });
}

void RateChange::finish() {
    // A line at the new rate serves only when every sensor is there.
    if (!outcome_.moved())
        turns_.useSettings(plan_.line);
    awaitingPowerCycle_ = false;
    turns_.release();
    emit finished(outcome_);
}
