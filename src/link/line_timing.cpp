// SPDX-License-Identifier: MIT
#include "line_timing.h"

namespace LineTiming {

int CharacterBits(const LineSettings& settings) {
    const int parity = settings.parity == QSerialPort::NoParity ? 0 : 1;
    const int stop = settings.stopBits == QSerialPort::OneStop ? 1 : 2;
    return 1 + static_cast<int>(settings.dataBits) + parity + stop;
}

qint64 WireMicroseconds(int bytes, const LineSettings& settings) {
    if (settings.baudRate <= 0)
        return 0;
    return (static_cast<qint64>(bytes) * CharacterBits(settings) * 1'000'000 +
            settings.baudRate - 1) /
           settings.baudRate;
}

qint64 SilenceMicroseconds(const LineSettings& settings) {
    constexpr qint64 kFastLineSilence = 1750;
    if (settings.baudRate > 19200 || settings.baudRate <= 0)
        return kFastLineSilence;
    // 3.5 characters: seven half characters.
    return (7LL * CharacterBits(settings) * 1'000'000 + 2LL * settings.baudRate - 1) /
           (2LL * settings.baudRate);
}

int CeilMilliseconds(qint64 microseconds) {
    return static_cast<int>((microseconds + 999) / 1000);
}

} // namespace LineTiming
