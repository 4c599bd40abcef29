// SPDX-License-Identifier: MIT
#include "line_setup_settings.h"

LineSettings ApplyLineSetup(const LineSetup& setup, LineSettings settings) {
    settings.baudRate = setup.baud;
    settings.dataBits = QSerialPort::Data8;
    settings.parity = setup.format.parity == QLatin1Char('E')   ? QSerialPort::EvenParity
                      : setup.format.parity == QLatin1Char('O') ? QSerialPort::OddParity
                                                                : QSerialPort::NoParity;
    settings.stopBits = setup.format.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop;
    return settings;
}

LineSetup LineSetupOf(const LineSettings& settings) {
    const QChar parity = settings.parity == QSerialPort::EvenParity  ? QLatin1Char('E')
                         : settings.parity == QSerialPort::OddParity ? QLatin1Char('O')
                                                                     : QLatin1Char('N');
    return {settings.baudRate, {parity, settings.stopBits == QSerialPort::TwoStop ? 2 : 1}};
}
