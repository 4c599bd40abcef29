// SPDX-License-Identifier: MIT
#include "line_settings.h"

#include <QStringList>

#include <algorithm>

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
    if (parity == QLatin1String("N"))
        settings.parity = QSerialPort::NoParity;
    else if (parity == QLatin1String("O"))
        settings.parity = QSerialPort::OddParity;
    else if (parity == QLatin1String("E"))
        settings.parity = QSerialPort::EvenParity;
    else if (parity == QLatin1String("M"))
        settings.parity = QSerialPort::MarkParity;
    else if (parity == QLatin1String("S"))
        settings.parity = QSerialPort::SpaceParity;
    else
        return std::nullopt;

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
    if (stopBits == QLatin1String("1"))
        settings.stopBits = QSerialPort::OneStop;
    else if (stopBits == QLatin1String("1.5"))
        settings.stopBits = QSerialPort::OneAndHalfStop;
    else if (stopBits == QLatin1String("2"))
        settings.stopBits = QSerialPort::TwoStop;
    else
        return std::nullopt;
    return settings;
}

QString FormatLineSettings(const LineSettings& settings) {
    const char* parity = "N";
    switch (settings.parity) {
    case QSerialPort::OddParity:
        parity = "O";
        break;
    case QSerialPort::EvenParity:
        parity = "E";
        break;
    case QSerialPort::MarkParity:
        parity = "M";
        break;
    case QSerialPort::SpaceParity:
        parity = "S";
        break;
    default:
        break;
    }
    const char* stopBits = settings.stopBits == QSerialPort::TwoStop          ? "2"
                           : settings.stopBits == QSerialPort::OneAndHalfStop ? "1.5"
                                                                              : "1";
    return QStringLiteral("%1,%2,%3,%4")
        .arg(settings.baudRate)
        .arg(QLatin1String(parity))
        .arg(static_cast<int>(settings.dataBits))
        .arg(QLatin1String(stopBits));
}
