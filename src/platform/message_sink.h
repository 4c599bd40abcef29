// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// Operator messages: modal, the text and an OK button, no icon, the application's title.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    // The text, and beneath it, when there is one, a short sentence saying why.
    virtual void show(const QString& text, const QString& reason) = 0;
    void show(const QString& text) { show(text, {}); }
};
