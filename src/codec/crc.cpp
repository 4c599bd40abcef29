// SPDX-License-Identifier: MIT
#include "crc.h"

#include "frame_sizes.h"

QByteArray AppendCRC(const QByteArray& data, std::uint8_t lastIndex) {
    const int dataLength = lastIndex + 1;
    Q_ASSERT(data.size() >= dataLength);
    QByteArray frame(dataLength + 2, '\0');
    std::uint16_t crc = 0xFFFF;
    for (int i = 0; i < dataLength; ++i) {
        const auto byte = static_cast<std::uint8_t>(data[i]);
        frame[i] = data[i];
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) {
            const bool carry = crc & 1u;
            crc >>= 1;
            if (carry)
                crc ^= 0xA001;
        }
    }
    frame[dataLength] = static_cast<char>(crc & 0xFF);
    frame[dataLength + 1] = static_cast<char>(crc >> 8);
    return frame;
}

bool HasValidCrc(const QByteArray& frame) {
    if (frame.size() <= FrameSize::kCrc)
        return false;
    return AppendCRC(frame, static_cast<std::uint8_t>(frame.size() - FrameSize::kCrc - 1)) == frame;
}

namespace {
QByteArray sixBytes(std::uint8_t b0, std::uint8_t b1, std::uint8_t b5) {
    const char buffer[6] = {static_cast<char>(b0), static_cast<char>(b1), 0, 0, 0,
                            static_cast<char>(b5)};
    return QByteArray(buffer, sizeof buffer);
}
} // namespace

QByteArray ReadRequest(std::uint8_t moduleAddress) {
    return AppendCRC(sixBytes(moduleAddress, Function::kReadRegisters, 0x02), 5);
}

QByteArray AddressWriteRequest(std::uint8_t newAddress) {
    return AppendCRC(sixBytes(kBroadcastAddress, Function::kWriteRegister, newAddress), 5);
}
