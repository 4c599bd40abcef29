// SPDX-License-Identifier: MIT
#include "config_text.h"
#include "handover_files.h"
#include "handover_readouts.h"

#include <QStringList>
#include <algorithm>

namespace {

// Readouts one mbpoll read covers: one function, one register width, one word order.
bool sameRead(const HandoverReadout& a, const HandoverReadout& b) {
    return a.function == b.function && a.isFloat() == b.isFloat() &&
           a.lowWordFirst() == b.lowWordFirst();
}

QString typeFlag(const HandoverReadout& readout) {
    const QString table = readout.function == 0x04 ? QStringLiteral("3") : QStringLiteral("4");
    return readout.isFloat() ? table + QStringLiteral(":float") : table;
}

QString meaning(const HandoverReadout& readout) {
    QString text = QStringLiteral("[%1] %2: ").arg(readout.map.registerNumber).arg(readout.key);
    if (readout.raw())
        return text + readout.rawHint();
    if (readout.isFloat())
        return text + QStringLiteral("float32 in %1").arg(readout.unit());
    return text + QStringLiteral("%1 x %2 %3")
                      .arg(readout.map.encoding == ValueEncoding::Int16 ? QStringLiteral("int16")
                                                                        : QStringLiteral("uint16"),
                           readout.scaleText(), readout.unit());
}

QString command(const HandoverBus& bus, const QString& target, const HandoverSensor& sensor,
                const QList<HandoverReadout>& group) {
    const HandoverLine& line = bus.line;
    int first = group.front().map.registerNumber;
    int end = first;
    for (const HandoverReadout& readout : group) {
        first = std::min(first, readout.map.registerNumber);
        end = std::max(end, readout.map.registerNumber + readout.map.registerCount());
    }
    const bool isFloat = group.front().isFloat();
    QStringList args{QStringLiteral("mbpoll")};
    if (line.kind == HandoverLine::Kind::Gateway) {
        args << QStringLiteral("-m") << QStringLiteral("tcp") << QStringLiteral("-p")
             << QString::number(line.tcpPort);
    } else {
        args << QStringLiteral("-m") << QStringLiteral("rtu") << QStringLiteral("-b")
             << QString::number(line.setup.baud) << QStringLiteral("-d")
             << QString::number(HandoverLine::kDataBits) << QStringLiteral("-s")
             << QString::number(line.setup.format.stopBits) << QStringLiteral("-P")
             << ParityWord(line.setup.format.parity);
    }
    args << QStringLiteral("-a") << QString::number(sensor.address) << QStringLiteral("-t")
         << typeFlag(group.front());
    // mbpoll's own word order for 32-bit values is the low word first; -B asks for the high.
    if (isFloat && !group.front().lowWordFirst())
        args << QStringLiteral("-B");
    args << QStringLiteral("-0") << QStringLiteral("-r") << QString::number(first)
         << QStringLiteral("-c") << QString::number(isFloat ? (end - first) / 2 : end - first)
         << QStringLiteral("-1") << ShellWord(target);
    return args.join(QLatin1Char(' '));
}

} // namespace

QString MbpollCommands(const HandoverBus& bus) {
    const HandoverLine& line = bus.line;
    QStringList out;
    out << QStringLiteral("# mbpoll (Debian's mbpoll 1.0): one read per sensor, every flag given,");
    out << QStringLiteral(
        "# since its defaults are Modbus TCP and 19200 8E1. -0: register numbers");
    out << QStringLiteral("# are the wire's, from 0. A negative int16 shows as its unsigned value");
    out << QStringLiteral("# with the signed one in brackets: \"65331 (-205)\" is -205.");
    QString target = line.device;
    if (line.kind == HandoverLine::Kind::RawTcp) {
        // mbpoll has no RTU over TCP: a pseudo-terminal bridged to the server carries the RTU.
        target = QStringLiteral("/tmp/tty_") + Identifier(bus.name);
        out << QStringLiteral("# mbpoll speaks RTU only on a serial device: bridge one to the "
                              "serial server first.");
        out << QStringLiteral("socat pty,link=%1,raw,echo=0 tcp:%2:%3 &")
                   .arg(target, ShellWord(line.host))
                   .arg(line.tcpPort);
    } else if (line.kind == HandoverLine::Kind::Gateway) {
        target = line.host;
    }
    for (const HandoverSensor& sensor : bus.sensors) {
        out << QString();
        out << QStringLiteral("# %1: %2, address %3")
                   .arg(Quoted(sensor.name), sensor.model.name.en)
                   .arg(sensor.address);
        for (const QList<HandoverReadout>& group :
             GroupedReadouts(HandoverReadouts(sensor.model), sameRead)) {
            for (const HandoverReadout& readout : group)
                out << QStringLiteral("# ") + meaning(readout);
            out << command(bus, target, sensor, group);
        }
    }
    return out.join(QLatin1Char('\n')) + QLatin1Char('\n');
}
