// SPDX-License-Identifier: MIT
#include "config_text.h"
#include "handover_files.h"
#include "handover_readouts.h"

#include <QStringList>

namespace {

QString valueType(const HandoverReadout& readout) {
    switch (readout.map.encoding) {
    case ValueEncoding::Int16:
        return QStringLiteral("S_WORD");
    case ValueEncoding::Float32:
        return readout.lowWordFirst() ? QStringLiteral("FP32_R") : QStringLiteral("FP32");
    default: // uint16, and the raw sign-magnitude register
        return QStringLiteral("U_WORD");
    }
}

// The operator's names may hold no letter ESPHome takes: the address keeps ids unique.
QString controllerId(const QString& busId, const HandoverSensor& sensor) {
    return QStringLiteral("%1_%2").arg(busId).arg(sensor.address);
}

QString parityName(QChar parity) {
    return ParityWord(parity).toUpper();
}

} // namespace

QString EsphomeConfig(const HandoverBus& bus) {
    const HandoverLine& line = bus.line;
    const QString bus_id = Identifier(bus.name);
    QStringList out;
    out << QStringLiteral("# ESPHome modbus_controller. The serial side is the ESP's own UART and "
                          "its RS-485");
    out << QStringLiteral("# transceiver wired to the bus, not the port this file was made for: "
                          "set the pins.");
    out << QStringLiteral("uart:");
    out << QStringLiteral("  id: %1_uart").arg(bus_id);
    out << QStringLiteral("  tx_pin: GPIO17  # your board's");
    out << QStringLiteral("  rx_pin: GPIO16  # your board's");
    out << QStringLiteral("  baud_rate: %1").arg(line.setup.baud);
    out << QStringLiteral("  data_bits: %1").arg(HandoverLine::kDataBits);
    out << QStringLiteral("  parity: %1").arg(parityName(line.setup.format.parity));
    out << QStringLiteral("  stop_bits: %1").arg(line.setup.format.stopBits);
    out << QString();
    out << QStringLiteral("modbus:");
    out << QStringLiteral("  id: %1").arg(bus_id);
    out << QStringLiteral("  uart_id: %1_uart").arg(bus_id);
    out << QStringLiteral("  # flow_control_pin: GPIO4  # the transceiver's DE/RE, if it has one");
    out << QString();
    out << QStringLiteral("modbus_controller:");
    for (const HandoverSensor& sensor : bus.sensors) {
        out << QStringLiteral("  - id: %1").arg(controllerId(bus_id, sensor));
        out << QStringLiteral("    address: %1").arg(sensor.address);
        out << QStringLiteral("    modbus_id: %1").arg(bus_id);
        out << QStringLiteral("    update_interval: 30s");
    }
    out << QString();
    out << QStringLiteral("sensor:");
    for (const HandoverSensor& sensor : bus.sensors) {
        for (const HandoverReadout& readout : HandoverReadouts(sensor.model)) {
            out << QStringLiteral("  - platform: modbus_controller");
            out << QStringLiteral("    modbus_controller_id: %1").arg(controllerId(bus_id, sensor));
            out << QStringLiteral("    name: %1")
                       .arg(Quoted(sensor.name + QLatin1Char(' ') + readout.key));
            if (readout.raw())
                out << QStringLiteral("    # %1").arg(readout.rawHint());
            out << QStringLiteral("    register_type: %1")
                       .arg(readout.function == 0x04 ? QStringLiteral("read")
                                                     : QStringLiteral("holding"));
            out << QStringLiteral("    address: %1").arg(readout.map.registerNumber);
            out << QStringLiteral("    value_type: %1").arg(valueType(readout));
            if (readout.raw())
                continue;
            out << QStringLiteral("    unit_of_measurement: %1").arg(Quoted(readout.unit()));
            out << QStringLiteral("    device_class: %1").arg(readout.deviceClass);
            out << QStringLiteral("    accuracy_decimals: %1").arg(readout.map.decimals);
            if (!readout.isFloat()) {
                out << QStringLiteral("    filters:");
                out << QStringLiteral("      - multiply: %1").arg(readout.scaleText());
            }
        }
    }
    return out.join(QLatin1Char('\n')) + QLatin1Char('\n');
}
