// SPDX-License-Identifier: MIT
#include "config_text.h"
#include "handover_files.h"
#include "handover_readouts.h"

#include <QStringList>

namespace {

QString registerKind(int function) {
    return function == 0x04 ? QStringLiteral("input") : QStringLiteral("holding");
}

QString dataType(const HandoverReadout& readout) {
    switch (readout.map.encoding) {
    case ValueEncoding::Int16:
        return QStringLiteral("INT16");
    case ValueEncoding::Float32:
        return QStringLiteral("FLOAT32");
    default: // uint16, and the raw sign-magnitude register
        return QStringLiteral("UINT16");
    }
}

QString controller(const HandoverLine& line) {
    if (line.overTcp())
        return QStringLiteral("tcp://%1:%2").arg(line.host).arg(line.tcpPort);
    // Telegraf takes a Windows port by its name and a Unix device as a file URL.
    if (line.device.startsWith(QLatin1String("COM"), Qt::CaseInsensitive))
        return line.device;
    return QStringLiteral("file://") + line.device;
}

QString transmissionMode(HandoverLine::Kind kind) {
    switch (kind) {
    case HandoverLine::Kind::RawTcp:
        return QStringLiteral("RTUoverTCP");
    case HandoverLine::Kind::Gateway:
        return QStringLiteral("TCP");
    default:
        return QStringLiteral("RTU");
    }
}

bool sameRequest(const HandoverReadout& a, const HandoverReadout& b) {
    return a.function == b.function && a.lowWordFirst() == b.lowWordFirst();
}

// One request: a sensor's readouts that share a function and a word order.
QString request(const HandoverSensor& sensor, const QList<HandoverReadout>& readouts) {
    const HandoverReadout& first = readouts.front();
    QStringList lines;
    lines << QStringLiteral("[[inputs.modbus.request]]");
    lines << QStringLiteral("  slave_id = %1").arg(sensor.address);
    lines << QStringLiteral("  byte_order = \"%1\"")
                 .arg(first.lowWordFirst() ? QStringLiteral("CDAB") : QStringLiteral("ABCD"));
    lines << QStringLiteral("  register = \"%1\"").arg(registerKind(first.function));
    lines << QStringLiteral("  measurement = \"rs485_sensor\"");
    lines << QStringLiteral("  fields = [");
    for (const HandoverReadout& readout : readouts) {
        QString field = QStringLiteral("    { address = %1, name = \"%2\", type = \"%3\"")
                            .arg(readout.map.registerNumber)
                            .arg(readout.raw() ? readout.key + QStringLiteral("_raw") : readout.key,
                                 dataType(readout));
        if (!readout.raw() && !readout.isFloat())
            field += QStringLiteral(", scale = %1").arg(readout.scaleText());
        field += QStringLiteral(" },");
        if (!readout.unit().isEmpty())
            field += QStringLiteral("  # %1").arg(readout.unit());
        if (readout.raw())
            field += QStringLiteral("  # %1").arg(readout.rawHint());
        lines << field;
    }
    lines << QStringLiteral("  ]");
    lines << QStringLiteral("  [inputs.modbus.request.tags]");
    lines << QStringLiteral("    sensor = %1").arg(Quoted(sensor.name));
    lines << QStringLiteral("    model = %1").arg(Quoted(sensor.model.id));
    return lines.join(QLatin1Char('\n'));
}

} // namespace

QString TelegrafConfig(const HandoverBus& bus) {
    const HandoverLine& line = bus.line;
    QStringList out;
    out << QStringLiteral("# Telegraf inputs.modbus (request style, Telegraf 1.21 or later).");
    out << QStringLiteral("# Register addresses are the wire's, counted from 0.");
    out << QStringLiteral("[[inputs.modbus]]");
    out << QStringLiteral("  name = %1").arg(Quoted(bus.name));
    out << QStringLiteral("  timeout = \"1s\"");
    out << QStringLiteral("  controller = %1").arg(Quoted(controller(line)));
    out << QStringLiteral("  transmission_mode = \"%1\"").arg(transmissionMode(line.kind));
    if (!line.overTcp()) {
        out << QStringLiteral("  baud_rate = %1").arg(line.setup.baud);
        out << QStringLiteral("  data_bits = %1").arg(HandoverLine::kDataBits);
        out << QStringLiteral("  parity = \"%1\"").arg(line.setup.format.parity);
        out << QStringLiteral("  stop_bits = %1").arg(line.setup.format.stopBits);
    } else if (line.kind == HandoverLine::Kind::RawTcp) {
        out << QStringLiteral("  # The serial server's own line: %1 baud, %2%3%4.")
                   .arg(line.setup.baud)
                   .arg(HandoverLine::kDataBits)
                   .arg(line.setup.format.parity)
                   .arg(line.setup.format.stopBits);
    }
    out << QStringLiteral("  configuration_type = \"request\"");
    for (const HandoverSensor& sensor : bus.sensors) {
        out << QString();
        out << QStringLiteral("  # %1: %2, address %3")
                   .arg(Quoted(sensor.name), sensor.model.name.en)
                   .arg(sensor.address);
        for (const QList<HandoverReadout>& group :
             GroupedReadouts(HandoverReadouts(sensor.model), sameRequest)) {
            QString text = request(sensor, group);
            text.replace(QLatin1Char('\n'), QStringLiteral("\n  "));
            out << QStringLiteral("  ") + text;
        }
    }
    return out.join(QLatin1Char('\n')) + QLatin1Char('\n');
}
