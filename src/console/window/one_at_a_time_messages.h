// SPDX-License-Identifier: MIT
#pragma once

#include "message_sink.h"

#include <QStringList>

// Keeps operator messages to one box at a time. Timers and line events go on while a box
// is open, so a message can fall due then: it waits until the box is dismissed, unless it
// says the same as the open box or one already waiting, in which case it is dropped.
class OneAtATimeMessages final : public MessageSink {
public:
    explicit OneAtATimeMessages(MessageSink& boxes) : boxes_(boxes) {}
    using MessageSink::show;
    void show(const QString& text, const QString& reason) override;

private:
    struct Message {
        QString text;
        QString reason;
        bool operator==(const Message& other) const {
            return text == other.text && reason == other.reason;
        }
    };
    MessageSink& boxes_;
    bool open_ = false;
    Message current_;
    QList<Message> waiting_;
};
