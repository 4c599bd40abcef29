// SPDX-License-Identifier: MIT
#include "hex_transcript.h"

#include "frame_sizes.h"

namespace {
constexpr char kDigits[] = "0123456789ABCDEF";
}

QString HexByte(int byte) {
    const auto value = static_cast<unsigned char>(byte);
    const char digits[2] = {kDigits[value >> 4], kDigits[value & 0x0F]};
    return QString::fromLatin1(digits, 2);
}

void AppendTranscript(QString& transcript, const QByteArray& bytes) {
    transcript.reserve(transcript.size() + FrameSize::TranscriptLength(bytes.size()));
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        transcript.append(QLatin1Char(kDigits[byte >> 4]));
        transcript.append(QLatin1Char(kDigits[byte & 0x0F]));
        transcript.append(QLatin1Char(' '));
    }
}

QString Transcript(const QByteArray& bytes) {
    QString text;
    AppendTranscript(text, bytes);
    return text;
}
