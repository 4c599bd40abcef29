// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

// Appends two upper-case hex digits and one space per byte. Never clears the text:
// emptying a transcript is the sender's job.
void AppendTranscript(QString& transcript, const QByteArray& bytes);

// One byte (an exception code, say) as two upper-case hex digits, without the space.
QString HexByte(int byte);

// The transcript of bytes on its own.
QString Transcript(const QByteArray& bytes);
