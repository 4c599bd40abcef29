// SPDX-License-Identifier: MIT
// Arbitrary com.txt contents through the settings reader, and back through the writer.
#include "link_settings.h"
#include "tool_limits.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray content(reinterpret_cast<const char*>(data), static_cast<int>(size));
    const LinkSettings settings = ReadLinkSettings(content, {});
    if (settings.portListIndex < -1 || settings.portListIndex >= Limits::kPortCount)
        std::abort();
    // What is written at close reads back as the same selection and baud text.
    const QByteArray written = FormatLinkSettings(settings.portListIndex + 1, settings.line2);
    const LinkSettings again = ReadLinkSettings(written, {});
    if (!again.fallbackReason.isEmpty() || again.portListIndex != settings.portListIndex ||
        again.line2 != settings.line2)
        std::abort();
    return 0;
}
