// SPDX-License-Identifier: MIT
#include "line_format.h"

QString LineFormat::text() const {
    return QStringLiteral("8%1%2").arg(parity).arg(stopBits);
}

std::optional<LineFormat> LineFormat::Parse(const QString& text) {
    const QString trimmed = text.trimmed().toUpper();
    if (trimmed.size() != 3 || trimmed[0] != QLatin1Char('8'))
        return std::nullopt;
    const QChar parity = trimmed[1];
    const int stopBits = trimmed[2].digitValue();
    if (LineFormats::ParityIndex(parity) < 0 || (stopBits != 1 && stopBits != 2))
        return std::nullopt;
    return LineFormat{parity, stopBits};
}

QString LineSetup::text() const {
    return QStringLiteral("%1 %2").arg(baud).arg(format.text());
}
