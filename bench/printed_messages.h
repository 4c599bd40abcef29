// SPDX-License-Identifier: MIT
#pragma once

#include "message_sink.h"

#include <QString>
#include <cstdio>

// Operator messages of the benchmark programs, on standard error.
class PrintedMessages final : public MessageSink {
public:
    void show(const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
};
