// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

// The module address typed or picked in an address list: a decimal whole number from 0 to
// 255, blanks around it allowed. Anything else gives nullopt and the caller sends nothing.
std::optional<std::uint8_t> ParseAddressText(const QString& text);
