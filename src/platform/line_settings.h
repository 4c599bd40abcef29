// SPDX-License-Identifier: MIT
#pragma once

#include <QSerialPort>
#include <QString>
#include <optional>

struct LineSettings {
    qint32 baudRate = 9600;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;
};

// Reads a line-settings text such as "9600,N,8,1" (baud, parity letter N/O/E/M/S,
// data bits 5-8, stop bits 1, 1.5 or 2). Anything else gives nullopt.
std::optional<LineSettings> ParseLineSettings(const QString& text);

// The text form of settings, as ParseLineSettings reads it.
QString FormatLineSettings(const LineSettings& settings);
