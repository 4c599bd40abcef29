// SPDX-License-Identifier: MIT
#pragma once

#include "handover_bus.h"

#include <QList>
#include <QString>

// The configurations that hand a bus over to monitoring. Each reads the same registers with
// the same function, data type, word order and scale as the tool's own decoding of the
// sensor's model.

// Telegraf's inputs.modbus, request style: one plugin instance for the whole bus, one
// request per sensor (and per function and word order within it).
QString TelegrafConfig(const HandoverBus& bus);

// Home Assistant's modbus: one hub, one sensor entity per readout.
QString HomeAssistantConfig(const HandoverBus& bus);

// mbpoll (Debian's mbpoll 1.0) command lines, one read per sensor, each flag spelled out.
QString MbpollCommands(const HandoverBus& bus);

// An ESPHome modbus_controller block for an ESP with its own RS-485 transceiver.
QString EsphomeConfig(const HandoverBus& bus);

struct HandoverFile {
    QString id;       // telegraf, home-assistant, mbpoll, esphome
    QString fileName; // suggested file name
    QString text;
};

// All four, in the order the dialog offers them.
QList<HandoverFile> HandoverFiles(const HandoverBus& bus);
