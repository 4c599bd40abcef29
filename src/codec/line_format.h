// SPDX-License-Identifier: MIT
#pragma once

#include <QChar>
#include <QList>
#include <QString>
#include <optional>

// A character format of the line as sensors ship with it: always 8 data bits, a parity
// letter (N, O or E, in the order of the window's parity list) and one or two stop bits.
struct LineFormat {
    QChar parity = QLatin1Char('N');
    int stopBits = 1;

    // "8N1", "8E1", "8N2": the way makers and the operator write it.
    QString text() const;
    // Reads what text() writes; anything else gives nothing.
    static std::optional<LineFormat> Parse(const QString& text);

    bool operator==(const LineFormat& other) const {
        return parity == other.parity && stopBits == other.stopBits;
    }
    bool operator!=(const LineFormat& other) const { return !(*this == other); }
};

// A rate and a format: what a sensor answers at and a line is set to.
struct LineSetup {
    int baud = 9600;
    LineFormat format;

    // "9600 8N1".
    QString text() const;
    bool operator==(const LineSetup& other) const {
        return baud == other.baud && format == other.format;
    }
    bool operator!=(const LineSetup& other) const { return !(*this == other); }
};

namespace LineFormats {
// The parity letters in the order of the parity list's items.
inline const QString kParityLetters = QStringLiteral("NOE");
// The item of the parity list for a letter; -1 for none.
inline int ParityIndex(QChar letter) {
    return kParityLetters.indexOf(letter);
}
// The formats the line dialog and the scan offer, the common one first.
inline const QList<LineFormat> kOffered = {
    {QLatin1Char('N'), 1}, {QLatin1Char('E'), 1}, {QLatin1Char('O'), 1}, {QLatin1Char('N'), 2}};
} // namespace LineFormats
