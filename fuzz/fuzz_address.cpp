// SPDX-License-Identifier: MIT
// Arbitrary address texts through the address conversion.
#include "address_text.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto address = ParseAddressText(text);
    if (!address)
        return 0;
    // Only a decimal whole number, blanks around it, can give an address.
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    if (!ok || value != *address || text.trimmed().startsWith(QLatin1Char('+')))
        std::abort();
    return 0;
}
