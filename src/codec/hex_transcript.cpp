// SPDX-License-Identifier: MIT
#include "hex_transcript.h"

void AppendTranscript(QString& transcript, const QByteArray& bytes) {
    static constexpr char digits[] = "0123456789ABCDEF";
    transcript.reserve(transcript.size() + 3 * bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        transcript.append(QLatin1Char(digits[byte >> 4]));
        transcript.append(QLatin1Char(digits[byte & 0x0F]));
        transcript.append(QLatin1Char(' '));
    }
}

QString Transcript(const QByteArray& bytes) {
    QString text;
    AppendTranscript(text, bytes);
    return text;
}
