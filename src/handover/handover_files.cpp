// SPDX-License-Identifier: MIT
#include "handover_files.h"

QList<HandoverFile> HandoverFiles(const HandoverBus& bus) {
    return {
        {QStringLiteral("telegraf"), QStringLiteral("telegraf-modbus.conf"), TelegrafConfig(bus)},
        {QStringLiteral("home-assistant"), QStringLiteral("modbus.yaml"), HomeAssistantConfig(bus)},
        {QStringLiteral("mbpoll"), QStringLiteral("mbpoll.sh"), MbpollCommands(bus)},
        {QStringLiteral("esphome"), QStringLiteral("esphome-modbus.yaml"), EsphomeConfig(bus)},
    };
}
