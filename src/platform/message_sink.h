// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// Operator messages: modal, the text and an OK button, no icon, the application's title.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void show(const QString& text) = 0;
};
