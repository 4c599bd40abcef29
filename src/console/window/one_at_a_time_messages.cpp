// SPDX-License-Identifier: MIT
#include "window/one_at_a_time_messages.h"

void OneAtATimeMessages::show(const QString& text, const QString& reason) {
    const Message message{text, reason};
    if (open_) {
        if (!(message == current_) && !waiting_.contains(message))
            waiting_ << message;
        return;
    }
    open_ = true;
    current_ = message;
    for (;;) {
        boxes_.show(current_.text, current_.reason);
        if (waiting_.isEmpty())
            break;
        current_ = waiting_.takeFirst();
    }
    open_ = false;
    current_ = {};
}
