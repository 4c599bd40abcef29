// SPDX-License-Identifier: MIT
// Arbitrary typed texts through the bus watch's address list.
#include "address_list.h"
#include "tool_limits.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const AddressList list = ParseAddressList(text);
    if (list.ok() == list.addresses.isEmpty())
        std::abort();
    int previous = 0;
    for (const int address : list.addresses) {
        // Ascending, each once, within the lists' range.
        if (address <= previous || address > Limits::kLastAddress)
            std::abort();
        previous = address;
    }
    // What is written back reads as the same list.
    if (list.ok() &&
        ParseAddressList(FormatAddressList(list.addresses)).addresses != list.addresses)
        std::abort();
    return 0;
}
