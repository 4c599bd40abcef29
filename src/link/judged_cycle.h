// SPDX-License-Identifier: MIT
#pragma once

#include "model_readings.h"
#include "reply_check.h"
#include "sensor_model.h"

#include <QDateTime>
#include <QString>
#include <optional>

// One request and what the reply check made of what came back, as the exchange judged it.
struct JudgedCycle {
    QDateTime time;
    int address = -1; // the request's; 0 for the address write
    ReplyVerdict verdict;
    std::optional<ModelReadings> readings; // decoded and shown, for an accepted read
    QString request;                       // SendHex and ReceiveHex at the check
    QString reply;
    bool acquiring = false;    // acquisition ran at the check
    bool addressWrite = false; // the request was the address write, not a poll
    SensorModel model{};       // whose map the request and the readings follow
    int port = 0;              // the open port's number
};
