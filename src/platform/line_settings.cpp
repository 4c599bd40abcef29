// SPDX-License-Identifier: MIT
#include "line_settings.h"

#include <QStringList>

#include <algorithm>
#include <iterator>

namespace {
// How the settings text spells each parity and stop-bit count; the first is the default.
struct ParityLetter {
    QSerialPort::Parity parity;
    const char* letter;
};
constexpr ParityLetter kParities[] = {{QSerialPort::NoParity, "N"},
                                      {QSerialPort::OddParity, "O"},
                                      {QSerialPort::EvenParity, "E"},
                                      {QSerialPort::MarkParity, "M"},
                                      {QSerialPort::SpaceParity, "S"}};
struct StopBitsText {
    QSerialPort::StopBits stopBits;
    const char* text;
};
constexpr StopBitsText kStopBits[] = {
    {QSerialPort::OneStop, "1"}, {QSerialPort::OneAndHalfStop, "1.5"}, {QSerialPort::TwoStop, "2"}};
} // namespace

std::optional<LineSettings> ParseLineSettings(const QString& text) {
    const QStringList fields = text.split(QLatin1Char(','));
    if (fields.size() != 4)
        return std::nullopt;
    LineSettings settings;

    bool isNumber = false;
    const QString baudText = fields[0].trimmed();
    const qint32 baud = baudText.toInt(&isNumber);
    const bool allDigits = !baudText.isEmpty() && std::all_of(baudText.begin(), baudText.end(),
                                                              [](QChar c) { return c.isDigit(); });
    if (!isNumber || !allDigits || baud < 50 || baud > 4000000)
        return std::nullopt;
    settings.baudRate = baud;

    const QString parity = fields[1].trimmed().toUpper();
    const auto parityFact = std::find_if(std::begin(kParities), std::end(kParities),
                                         [&](const auto& fact) { return parity == fact.letter; });
    if (parityFact == std::end(kParities))
        return std::nullopt;
    settings.parity = parityFact->parity;

    const QString dataBits = fields[2].trimmed();
    if (dataBits == QLatin1String("5"))
        settings.dataBits = QSerialPort::Data5;
    else if (dataBits == QLatin1String("6"))
        settings.dataBits = QSerialPort::Data6;
    else if (dataBits == QLatin1String("7"))
        settings.dataBits = QSerialPort::Data7;
    else if (dataBits == QLatin1String("8"))
        settings.dataBits = QSerialPort::Data8;
    else
        return std::nullopt;

    const QString stopBits = fields[3].trimmed();
    const auto stopFact = std::find_if(std::begin(kStopBits), std::end(kStopBits),
                                       [&](const auto& fact) { return stopBits == fact.text; });
    if (stopFact == std::end(kStopBits))
        return std::nullopt;
    settings.stopBits = stopFact->stopBits;
    return settings;
}

QString FormatLineSettings(const LineSettings& settings) {
    const char* parity = kParities[0].letter;
    for (const auto& fact : kParities)
        if (fact.parity == settings.parity)
            parity = fact.letter;
    const char* stopBits = kStopBits[0].text;
    for (const auto& fact : kStopBits)
        if (fact.stopBits == settings.stopBits)
            stopBits = fact.text;
    return QStringLiteral("%1,%2,%3,%4")
        .arg(settings.baudRate)
        .arg(QLatin1String(parity))
        .arg(static_cast<int>(settings.dataBits))
        .arg(QLatin1String(stopBits));
}
