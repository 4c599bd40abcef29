// SPDX-License-Identifier: MIT
#pragma once

#include <QLocale>
#include <QString>
#include <optional>

// Captions for the two readouts. An absent caption means "leave that readout as it is".
// The units of the tool's own sensor, shown after its readings.
namespace Unit {
inline const QString kCelsius = QString(QChar(0x2103));
inline const QString kPercent = QStringLiteral("%");
} // namespace Unit

struct Readings {
    QString temperature;
    std::optional<QString> humidity;
    int temperatureTenths = 0; // the values behind the captions
    std::optional<int> humidityTenths;
};

// Decodes registers 0 and 1 of a read reply held as transcript. Returns nothing (leave both
// readouts unchanged) unless the reply is a function-03 reply of 21, 27 or 63 characters
// and acquisition is running. A one-register reply (21 characters) yields only the
// temperature: the characters after it are the frame's CRC, not a humidity.
std::optional<Readings> DecodeReadings(const QString& ReceiveHex, bool acquisitionRunning,
                                       const QLocale& locale = QLocale());

// Tenths of a unit in the pattern "0.0" with the locale's decimal separator, no grouping.
QString FormatTenths(int tenths, const QLocale& locale = QLocale());
// The same for a count of 10^-decimals of a unit: "0.00" for two decimals, "0" for none.
QString FormatFixed(qint64 scaled, int decimals, const QLocale& locale = QLocale());
