// SPDX-License-Identifier: MIT
#include "address_text.h"

#include "frame_sizes.h"

std::optional<std::uint8_t> ParseAddressText(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.size() > 3)
        return std::nullopt;
    int value = 0;
    for (const QChar c : trimmed) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
    }
    if (value > kHighestAddress)
        return std::nullopt;
    return static_cast<std::uint8_t>(value);
}
