// SPDX-License-Identifier: MIT
#include "config_text.h"
#include "handover_files.h"
#include "handover_readouts.h"

#include <QStringList>

namespace {

QString hubType(HandoverLine::Kind kind) {
    switch (kind) {
    case HandoverLine::Kind::RawTcp:
        return QStringLiteral("rtuovertcp");
    case HandoverLine::Kind::Gateway:
        return QStringLiteral("tcp");
    default:
        return QStringLiteral("serial");
    }
}

QString dataType(const HandoverReadout& readout) {
    switch (readout.map.encoding) {
    case ValueEncoding::Int16:
        return QStringLiteral("int16");
    case ValueEncoding::Float32:
        return QStringLiteral("float32");
    default: // uint16, and the raw sign-magnitude register
        return QStringLiteral("uint16");
    }
}

QStringList entity(const HandoverSensor& sensor, const HandoverReadout& readout) {
    QStringList lines;
    lines << QStringLiteral("- name: %1")
                 .arg(Quoted(sensor.name + QLatin1Char(' ') + readout.key +
                             (readout.raw() ? QStringLiteral(" raw") : QString())));
    if (readout.raw())
        lines << QStringLiteral("  # %1").arg(readout.rawHint());
    lines << QStringLiteral("  slave: %1").arg(sensor.address);
    lines << QStringLiteral("  address: %1").arg(readout.map.registerNumber);
    lines << QStringLiteral("  input_type: %1")
                 .arg(readout.function == 0x04 ? QStringLiteral("input")
                                               : QStringLiteral("holding"));
    lines << QStringLiteral("  data_type: %1").arg(dataType(readout));
    if (readout.lowWordFirst())
        lines << QStringLiteral("  swap: word");
    lines << QStringLiteral("  scale: %1").arg(readout.scaleText());
    lines << QStringLiteral("  precision: %1").arg(readout.raw() ? 0 : readout.map.decimals);
    if (!readout.raw()) {
        lines << QStringLiteral("  unit_of_measurement: %1").arg(Quoted(readout.unit()));
        lines << QStringLiteral("  device_class: %1").arg(readout.deviceClass);
        lines << QStringLiteral("  state_class: measurement");
    }
    return lines;
}

} // namespace

QString HomeAssistantConfig(const HandoverBus& bus) {
    const HandoverLine& line = bus.line;
    QStringList out;
    out << QStringLiteral("# Home Assistant modbus integration (configuration.yaml).");
    out << QStringLiteral("# Addresses are the wire's, counted from 0.");
    out << QStringLiteral("modbus:");
    out << QStringLiteral("  - name: %1").arg(Quoted(bus.name));
    out << QStringLiteral("    type: %1").arg(hubType(line.kind));
    if (line.overTcp()) {
        out << QStringLiteral("    host: %1").arg(Quoted(line.host));
        out << QStringLiteral("    port: %1").arg(line.tcpPort);
        if (line.kind == HandoverLine::Kind::RawTcp)
            out << QStringLiteral("    # The serial server's own line: %1 baud, %2%3%4.")
                       .arg(line.setup.baud)
                       .arg(HandoverLine::kDataBits)
                       .arg(line.setup.format.parity)
                       .arg(line.setup.format.stopBits);
    } else {
        out << QStringLiteral("    method: rtu");
        out << QStringLiteral("    port: %1").arg(Quoted(line.device));
        out << QStringLiteral("    baudrate: %1").arg(line.setup.baud);
        out << QStringLiteral("    bytesize: %1").arg(HandoverLine::kDataBits);
        out << QStringLiteral("    parity: \"%1\"").arg(line.setup.format.parity);
        out << QStringLiteral("    stopbits: %1").arg(line.setup.format.stopBits);
    }
    out << QStringLiteral("    sensors:");
    for (const HandoverSensor& sensor : bus.sensors) {
        out << QStringLiteral("      # %1: %2, address %3")
                   .arg(Quoted(sensor.name), sensor.model.name.en)
                   .arg(sensor.address);
        for (const HandoverReadout& readout : HandoverReadouts(sensor.model)) {
            for (const QString& l : entity(sensor, readout))
                out << QStringLiteral("      ") + l;
        }
    }
    return out.join(QLatin1Char('\n')) + QLatin1Char('\n');
}
