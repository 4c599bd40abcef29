// SPDX-License-Identifier: MIT
#include "leading_number.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace {
bool isSkipped(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n');
}
bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}
} // namespace

std::optional<double> LeadingNumber(const QString& text) {
    // Squeeze out the skipped characters first, so "1 0" reads as 10.
    QString squeezed;
    squeezed.reserve(std::min<qsizetype>(text.size(), 4096));
    for (const QChar c : text) {
        if (!isSkipped(c))
            squeezed.append(c);
    }

    std::string number;
    qsizetype i = 0;
    const auto at = [&](qsizetype k) { return k < squeezed.size() ? squeezed[k] : QChar(); };
    if (at(i) == QLatin1Char('+') || at(i) == QLatin1Char('-'))
        number += static_cast<char>(squeezed[i++].unicode());
    bool anyDigit = false;
    while (isDigit(at(i))) {
        number += static_cast<char>(squeezed[i++].unicode());
        anyDigit = true;
    }
    if (at(i) == QLatin1Char('.')) {
        number += '.';
        ++i;
        while (isDigit(at(i))) {
            number += static_cast<char>(squeezed[i++].unicode());
            anyDigit = true;
        }
    }
    if (!anyDigit)
        return 0.0;

    const QChar e = at(i).toUpper();
    if (e == QLatin1Char('E') || e == QLatin1Char('D')) {
        qsizetype j = i + 1;
        std::string exponent = "e";
        if (at(j) == QLatin1Char('+') || at(j) == QLatin1Char('-'))
            exponent += static_cast<char>(squeezed[j++].unicode());
        bool exponentDigit = false;
        while (isDigit(at(j))) {
            exponent += static_cast<char>(squeezed[j++].unicode());
            exponentDigit = true;
        }
        if (exponentDigit)
            number += exponent;
    }

    const double value = std::strtod(number.c_str(), nullptr);
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}
