// SPDX-License-Identifier: MIT
// Arbitrary byte streams, split into arbitrary receive events, through the accumulator into
// the reply check and the decoder, against an arbitrary sent frame.
#include "crc.h"
#include "hex_transcript.h"
#include "message_sink.h"
#include "readings.h"
#include "receive_accumulator.h"
#include "reply_check.h"
#include "serial_control.h"
#include "serial_devices.h"
#include "serial_line.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

class ScriptedPort final : public SerialControl {
public:
    QByteArray pending;
    int event = CommEventCode::kReceive;
    CommResult setCommPort(int) override { return {}; }
    void setOutBufferSize(int) override {}
    void setInBufferSize(int) override {}
    void setInputMode(int) override {}
    void setInputLen(int) override {}
    void setInBufferCount(int) override {}
    void setSThreshold(int) override {}
    void setRThreshold(int) override {}
    CommResult setSettings(const QString&) override { return {}; }
    CommResult setPortOpen(bool) override { return {}; }
    bool portOpen() const override { return true; }
    CommResult output(const QByteArray&) override { return {}; }
    int commEvent() const override { return event; }
    QByteArray input() override { return std::exchange(pending, {}); }
    void raise() { emit OnComm(); }
};

class NoMessages final : public MessageSink {
public:
    void show(const QString&, const QString&) override {}
};

class NoDevices final : public SerialDevices {
public:
    std::vector<SerialDeviceInfo> available() const override { return {}; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    const auto* bytes = reinterpret_cast<const char*>(data);
    QString SendHex;
    switch (data[0] % 3) {
    case 0:
        AppendTranscript(SendHex, ReadRequest(data[1]));
        break;
    case 1:
        AppendTranscript(SendHex, AddressWriteRequest(data[1]));
        break;
    default:
        AppendTranscript(SendHex, QByteArray(bytes + 1, static_cast<int>(std::min<std::size_t>(
                                                            1 + data[1] % 9, size - 1))));
        break;
    }

    // The rest: [length byte][event code byte][chunk] ...
    ScriptedPort port;
    NoMessages messages;
    NoDevices devices;
    SerialLine line(port, messages, devices);
    QString ReceiveHex;
    QObject poll;
    line.listen(&poll, [&ReceiveHex](const QByteArray& received) {
        AccumulateReceived(ReceiveHex, received);
    });
    QByteArray stream;
    std::size_t at = 2;
    while (at < size) {
        const std::size_t length = std::min<std::size_t>(data[at] % 32, size - at - 1);
        const int event = (at + 1 < size && data[at + 1] == 0xFF) ? 1009 : CommEventCode::kReceive;
        at += 1;
        port.pending = QByteArray(bytes + at, static_cast<int>(length));
        port.event = event;
        if (event == CommEventCode::kReceive)
            stream += port.pending;
        port.raise();
        at += length;
    }

    const QString expected = Transcript(stream).left(ReceiveLimit::kMaxCharacters);
    if (ReceiveHex != expected)
        std::abort();
    const bool passes = CheckReply(SendHex, ReceiveHex);
    const auto length = ReceiveHex.size();
    if (passes && length != 21 && length != 24 && length != 27 && length != 63)
        std::abort();
    // An accepted reply carries its own CRC.
    if (passes && AppendCRC(stream, static_cast<std::uint8_t>(stream.size() - 3)) != stream)
        std::abort();
    for (const bool running : {true, false}) {
        const auto readings = DecodeReadings(ReceiveHex, running, QLocale::c());
        if (readings &&
            (!running || length == 24 || !readings->temperature.endsWith(QChar(0x2103))))
            std::abort();
    }
    return 0;
}
