// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <optional>

// The number at the start of a text, read the way the settings file has always been read:
// blanks, tabs and line feeds are skipped wherever they stand; then an optional sign,
// digits, an optional decimal point (always '.') with digits, and an optional exponent
// (E or D), up to the first character that cannot continue the number. A text with no
// number gives 0. nullopt means the number does not fit a double (for example 1e400).
std::optional<double> LeadingNumber(const QString& text);
