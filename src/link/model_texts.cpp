// SPDX-License-Identifier: MIT
#include "model_texts.h"

#include "readings.h"

namespace {

QString registers(const RegisterRead& read) {
    return read.count == 1
               ? QString::number(read.first)
               : QStringLiteral("%1-%2").arg(read.first).arg(read.first + read.count - 1);
}

QString functionCode(int function) {
    return QStringLiteral("%1").arg(function, 2, 10, QLatin1Char('0'));
}

} // namespace

// The models carry both names; which one shows follows the translation in use, so a
// change of language needs nothing else.
bool ModelTexts::english() {
    //: Not shown: "en" where the tool speaks English, so that models show their English names.
    return tr("zh") == QLatin1String("en");
}

QString ModelTexts::name(const ModelName& name) {
    return english() && !name.en.isEmpty() ? name.en : name.zh;
}

QString ModelTexts::name(const SensorModel& model) {
    return name(model.name);
}

QString ModelTexts::readoutName(const SensorModel& model, bool first) {
    const std::optional<ValueMap>& map = first ? model.temperature : model.humidity;
    if (map && !map->name.zh.isEmpty())
        return name(map->name);
    return first ? tr("温度") : tr("湿度");
}

QString ModelTexts::readoutUnit(const SensorModel& model, bool first) {
    const std::optional<ValueMap>& map = first ? model.temperature : model.humidity;
    if (map && !map->unit.isEmpty())
        return map->unit;
    return first ? Unit::kCelsius : Unit::kPercent;
}

QString ModelTexts::readMap(const SensorModel& model) {
    QStringList values;
    if (model.temperature)
        values << tr("%1 %2").arg(readoutName(model, true)).arg(model.temperature->registerNumber);
    if (model.humidity)
        values << tr("%1 %2").arg(readoutName(model, false)).arg(model.humidity->registerNumber);
    return tr("功能码 %1，寄存器 %2：%3")
        .arg(functionCode(model.read.function), registers(model.read), values.join(tr("，")));
}

QString ModelTexts::line(const LineSetup& line) {
    return line.text();
}

QString ModelTexts::addressWay(const SensorModel& model) {
    const AddressChange& change = model.addressChange;
    switch (change.way) {
    case AddressChange::Way::Broadcast:
        return tr("广播（地址 0）写寄存器 %1").arg(change.registerNumber);
    case AddressChange::Way::RegisterWrite:
        return change.afterPowerCycle
                   ? tr("在当前地址写寄存器 %1，断电重启后生效").arg(change.registerNumber)
                   : tr("在当前地址写寄存器 %1，立即生效").arg(change.registerNumber);
    case AddressChange::Way::ParameterFrame:
        return tr("在当前地址发送参数帧（地址与波特率）");
    case AddressChange::Way::None:
        break;
    }
    return tr("不能由本工具更改（拨码开关或厂家未公开）");
}

QString ModelTexts::readout(const Readout& readout) {
    return readout.sensorError() ? tr("传感器故障") : readout.caption;
}

QString ModelTexts::summary(const SensorModel& model) {
    return tr("传感器型号：%1\n读取：%2\n出厂线路：%3，地址 %4\n地址更改：%5")
        .arg(name(model), readMap(model), line(model.line))
        .arg(model.defaultAddress)
        .arg(addressWay(model));
}
