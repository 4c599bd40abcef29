// SPDX-License-Identifier: MIT
#include "readings.h"

#include "frame_sizes.h"

namespace {

int hexDigitValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

// The register whose four digits start at 1-based character position first
// ("HH LL" at first, first+1, first+3, first+4); nullopt if a digit is not upper-case hex.
std::optional<int> registerAt(const QString& transcript, int first) {
    const int offsets[4] = {0, 1, 3, 4};
    int value = 0;
    for (const int offset : offsets) {
        const int index = first - 1 + offset;
        if (index >= transcript.size())
            return std::nullopt;
        const int digit = hexDigitValue(transcript[index]);
        if (digit < 0)
            return std::nullopt;
        value = value * 16 + digit;
    }
    return value;
}

} // namespace

QString FormatFixed(qint64 scaled, int decimals, const QLocale& locale) {
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    const QString sign = scaled < 0 ? QStringLiteral("-") : QString();
    // Unsigned, so the most negative count has a magnitude too.
    const quint64 magnitude = scaled < 0 ? 0 - static_cast<quint64>(scaled) : scaled;
    quint64 unit = 1;
    for (int i = 0; i < decimals; ++i)
        unit *= 10;
    QString text = sign + plain.toString(magnitude / unit);
    if (decimals > 0) {
        const quint64 fraction = magnitude % unit;
        text += plain.decimalPoint();
        for (quint64 place = unit / 10; place > 1 && fraction < place; place /= 10)
            text += plain.zeroDigit();
        text += plain.toString(fraction);
    }
    return text;
}

QString FormatTenths(int tenths, const QLocale& locale) {
    return FormatFixed(tenths, 1, locale);
}

std::optional<Readings> DecodeReadings(const QString& ReceiveHex, bool acquisitionRunning,
                                       const QLocale& locale) {
    using namespace FrameSize;
    const auto length = ReceiveHex.size();
    const bool oneRegister = length == TranscriptLength(kOneRegisterReply);
    if (!acquisitionRunning || (length != TranscriptLength(kSixteenByteReply) &&
                                length != TranscriptLength(kTwoRegisterReply) && !oneRegister))
        return std::nullopt;
    if (ReceiveHex[4] != QLatin1Char('3'))
        return std::nullopt;

    const auto temperature = registerAt(ReceiveHex, 10);
    if (!temperature)
        return std::nullopt;
    // The register is a signed 16-bit count of tenths of a degree.
    const int signedTenths = *temperature < 32768 ? *temperature : *temperature - 65536;

    Readings readings;
    readings.temperature = FormatTenths(signedTenths, locale) + Unit::kCelsius;
    readings.temperatureTenths = signedTenths;
    if (!oneRegister) {
        const auto humidity = registerAt(ReceiveHex, 16);
        if (!humidity)
            return std::nullopt;
        readings.humidity = FormatTenths(*humidity, locale) + Unit::kPercent;
        readings.humidityTenths = *humidity;
    }
    return readings;
}
