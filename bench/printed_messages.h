// SPDX-License-Identifier: MIT
#pragma once

#include "message_sink.h"

#include <QString>
#include <cstdio>

// Operator messages of the benchmark programs, on standard error.
class PrintedMessages final : public MessageSink {
public:
    using MessageSink::show;
    void show(const QString& text, const QString& reason) override {
        std::fprintf(stderr, "%s %s\n", qPrintable(text), qPrintable(reason));
    }
};
