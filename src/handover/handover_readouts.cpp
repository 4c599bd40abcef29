// SPDX-License-Identifier: MIT
#include "handover_readouts.h"

#include <cmath>

namespace {

QString monitoringUnit(QString unit) {
    // Monitoring systems write the degree sign and the letter; the tool's readout uses ℃.
    return unit.replace(QChar(0x2103), QStringLiteral("\u00b0C"));
}

HandoverReadout readoutOf(const SensorModel& model, const ValueMap& map, bool temperature) {
    HandoverReadout readout;
    readout.function = model.read.function;
    readout.map = map;
    if (temperature) {
        readout.key = QStringLiteral("temperature");
    } else if (map.name.en.contains(QLatin1String("moisture"), Qt::CaseInsensitive)) {
        readout.key = QStringLiteral("moisture");
    } else {
        readout.key = QStringLiteral("humidity");
    }
    readout.deviceClass = readout.key;
    const bool scaled =
        map.encoding == ValueEncoding::Int16 || map.encoding == ValueEncoding::UInt16;
    readout.scale = scaled ? std::pow(10.0, -map.scaleDecimals) : 1.0;
    return readout;
}

} // namespace

QString HandoverReadout::unit() const {
    if (raw())
        return {};
    return monitoringUnit(map.unit);
}

QString HandoverReadout::scaleText() const {
    return QString::number(scale, 'g', 6);
}

QString HandoverReadout::rawHint() const {
    if (!raw())
        return {};
    return QStringLiteral("raw sign-magnitude register: a value v of %1 or more means -(v - %1); "
                          "then multiply by %2 for %3")
        .arg(map.signOffset)
        .arg(QString::number(std::pow(10.0, -map.scaleDecimals), 'g', 6))
        .arg(monitoringUnit(map.unit));
}

QList<HandoverReadout> HandoverReadouts(const SensorModel& model) {
    QList<HandoverReadout> readouts;
    if (model.temperature)
        readouts << readoutOf(model, *model.temperature, true);
    if (model.humidity)
        readouts << readoutOf(model, *model.humidity, false);
    return readouts;
}

QList<QList<HandoverReadout>> GroupedReadouts(QList<HandoverReadout> readouts,
                                              bool (*same)(const HandoverReadout&,
                                                           const HandoverReadout&)) {
    QList<QList<HandoverReadout>> groups;
    while (!readouts.isEmpty()) {
        QList<HandoverReadout> group;
        const HandoverReadout key = readouts.front();
        for (auto it = readouts.begin(); it != readouts.end();) {
            if (same(*it, key)) {
                group << *it;
                it = readouts.erase(it);
            } else {
                ++it;
            }
        }
        groups << group;
    }
    return groups;
}

QString DefaultSensorName(const SensorModel& model, int address) {
    QString id = model.id.toLower();
    for (QChar& c : id) {
        if (!(c.isLetterOrNumber() && c.unicode() < 0x80))
            c = QLatin1Char('_');
    }
    return id + QLatin1Char('_') + QString::number(address);
}
