// SPDX-License-Identifier: MIT
#include "model_readings.h"

#include "frame_sizes.h"
#include "readings.h"

#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

double powerOfTen(int exponent) {
    return std::pow(10.0, exponent);
}

// Past this a count no longer fits a double exactly: no sensor sends such a value.
constexpr double kLargestCount = 1e15;

// raw × 10^shift as a whole count, halves away from zero. Dividing by a power of ten keeps
// 25 / 10 an exact half where 25 × 0.1 is not.
std::optional<qint64> shifted(double raw, int shift) {
    const double value =
        std::round(shift >= 0 ? raw * powerOfTen(shift) : raw / powerOfTen(-shift));
    if (!std::isfinite(value) || std::abs(value) > kLargestCount)
        return std::nullopt;
    return static_cast<qint64>(value);
}

quint32 floatBits(float value) {
    quint32 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

QList<quint16> floatWords(const ValueMap& map, float value) {
    const quint32 bits = floatBits(value);
    const quint16 high = static_cast<quint16>(bits >> 16);
    const quint16 low = static_cast<quint16>(bits & 0xFFFF);
    return map.wordOrder == WordOrder::HighFirst ? QList<quint16>{high, low}
                                                 : QList<quint16>{low, high};
}

float bitsFloat(quint32 bits) {
    float value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// The value the registers hold, before the scale.
double rawValue(const ValueMap& map, quint16 first, quint16 second) {
    switch (map.encoding) {
    case ValueEncoding::Int16:
        return static_cast<qint16>(first);
    case ValueEncoding::UInt16:
        return first;
    case ValueEncoding::SignMagnitude:
        return first >= map.signOffset ? -(first - map.signOffset) : first;
    case ValueEncoding::Float32: {
        const bool highFirst = map.wordOrder == WordOrder::HighFirst;
        const quint32 high = highFirst ? first : second;
        const quint32 low = highFirst ? second : first;
        return bitsFloat(high << 16 | low);
    }
    }
    return 0;
}

bool isErrorValue(const ValueMap& map, double raw) {
    // A float register holds an error value only as precisely as a float can.
    const bool single = map.encoding == ValueEncoding::Float32;
    return std::any_of(map.errorValues.begin(), map.errorValues.end(), [&](double error) {
        return single ? static_cast<float>(error) == static_cast<float>(raw) : error == raw;
    });
}

QString captionFor(qint64 scaled, const ValueMap& map, const QLocale& locale) {
    return FormatFixed(scaled, map.decimals, locale) + map.unit;
}

Readout fromToolsReadings(int tenths, const QString& caption) {
    return {tenths, 1, caption};
}

} // namespace

double Readout::value() const {
    return scaled ? static_cast<double>(*scaled) / powerOfTen(decimals) : 0.0;
}

std::optional<Readout> DecodeReadout(const ValueMap& map, const QList<quint16>& words,
                                     int firstRegister, const QLocale& locale) {
    const int index = map.registerNumber - firstRegister;
    if (index < 0 || index + map.registerCount() > words.size())
        return std::nullopt;
    const quint16 second = map.registerCount() > 1 ? words[index + 1] : 0;
    const double raw = rawValue(map, words[index], second);
    Readout readout;
    readout.decimals = map.decimals;
    if (!std::isfinite(raw) || isErrorValue(map, raw))
        return readout;
    readout.scaled = shifted(raw, map.decimals - map.scaleDecimals);
    if (readout.scaled)
        readout.caption = captionFor(*readout.scaled, map, locale);
    return readout;
}

ModelReadings DecodeModelRegisters(const SensorModel& model, const QList<quint16>& words,
                                   const QLocale& locale) {
    ModelReadings readings;
    if (model.temperature)
        readings.temperature = DecodeReadout(*model.temperature, words, model.read.first, locale);
    if (model.humidity)
        readings.humidity = DecodeReadout(*model.humidity, words, model.read.first, locale);
    return readings;
}

std::optional<QList<quint16>> ReplyRegisters(const QByteArray& frame) {
    using namespace FrameSize;
    if (frame.size() < kReplyHeader + kCrc)
        return std::nullopt;
    const int count = static_cast<quint8>(frame[2]);
    if (count % 2 != 0 || frame.size() != kReplyHeader + count + kCrc)
        return std::nullopt;
    QList<quint16> words;
    for (int i = 0; i < count; i += 2)
        words << qFromBigEndian<quint16>(frame.constData() + kReplyHeader + i);
    return words;
}

std::optional<ModelReadings> DecodeModelReply(const SensorModel& model, const QString& ReceiveHex,
                                              bool acquisitionRunning, const QLocale& locale) {
    if (model.isToolsOwn()) {
        const auto readings = DecodeReadings(ReceiveHex, acquisitionRunning, locale);
        if (!readings)
            return std::nullopt;
        ModelReadings shown;
        shown.temperature = fromToolsReadings(readings->temperatureTenths, readings->temperature);
        if (readings->humidity)
            shown.humidity = fromToolsReadings(*readings->humidityTenths, *readings->humidity);
        return shown;
    }
    if (!acquisitionRunning)
        return std::nullopt;
    const QByteArray frame = QByteArray::fromHex(ReceiveHex.toLatin1());
    if (frame.size() < FrameSize::kReplyHeader ||
        static_cast<quint8>(frame[1]) != model.read.function)
        return std::nullopt;
    const auto words = ReplyRegisters(frame);
    if (!words || words->size() != model.read.count)
        return std::nullopt;
    return DecodeModelRegisters(model, *words, locale);
}

QList<quint16> EncodeReadout(const ValueMap& map, qint64 scaled, int decimals) {
    const double value = static_cast<double>(scaled) / powerOfTen(decimals);
    if (map.encoding == ValueEncoding::Float32)
        return floatWords(map, static_cast<float>(value * powerOfTen(map.scaleDecimals)));
    const double raw = std::round(value * powerOfTen(map.scaleDecimals));
    switch (map.encoding) {
    case ValueEncoding::Int16:
        return {static_cast<quint16>(std::clamp(raw, -32768.0, 32767.0))};
    case ValueEncoding::UInt16:
        return {static_cast<quint16>(std::clamp(raw, 0.0, 65535.0))};
    case ValueEncoding::SignMagnitude: {
        const double limit = raw < 0 ? 65535.0 - map.signOffset : map.signOffset - 1.0;
        const double magnitude = std::min(std::abs(raw), limit);
        return {static_cast<quint16>(raw < 0 ? map.signOffset + magnitude : magnitude)};
    }
    case ValueEncoding::Float32:
        break;
    }
    return {};
}

std::optional<QList<quint16>> EncodeSensorError(const ValueMap& map) {
    if (map.errorValues.isEmpty())
        return std::nullopt;
    const double raw = map.errorValues.front();
    switch (map.encoding) {
    case ValueEncoding::Int16:
    case ValueEncoding::UInt16:
        return QList<quint16>{static_cast<quint16>(static_cast<qint64>(raw) & 0xFFFF)};
    case ValueEncoding::SignMagnitude:
        return QList<quint16>{
            static_cast<quint16>(raw < 0 ? map.signOffset - static_cast<qint64>(raw) : raw)};
    case ValueEncoding::Float32:
        return floatWords(map, static_cast<float>(raw));
    }
    return std::nullopt;
}
