// SPDX-License-Identifier: MIT
// Whatever a hostile or broken serial server sends, in pieces of any size, through the
// Telnet COM-PORT-OPTION client.
#include "telnet_com_port.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    // The first byte chooses the piece size, so escapes and subnegotiations get split.
    const std::size_t piece = 1 + data[0] % 16;
    TelnetComPort telnet;
    telnet.start();
    std::size_t taken = 0;
    for (std::size_t offset = 1; offset < size; offset += piece) {
        const std::size_t length = std::min(piece, size - offset);
        QByteArray answer;
        const QByteArray bytes(reinterpret_cast<const char*>(data + offset),
                               static_cast<qsizetype>(length));
        const QByteArray out = telnet.decode(bytes, &answer);
        taken += static_cast<std::size_t>(out.size());
        // Never more data than came in; answers are whole three-byte commands.
        if (taken > size || answer.size() % 3 != 0)
            std::abort();
        if (telnet.failed() && !telnet.decode(bytes, &answer).isEmpty())
            std::abort();
    }
    return 0;
}
