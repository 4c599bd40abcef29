// SPDX-License-Identifier: MIT
#include "message_queue.h"

void OneAtATimeMessages::show(const QString& text) {
    if (open_) {
        if (text != current_ && !waiting_.contains(text))
            waiting_ << text;
        return;
    }
    open_ = true;
    current_ = text;
    for (;;) {
        boxes_.show(current_);
        if (waiting_.isEmpty())
            break;
        current_ = waiting_.takeFirst();
    }
    open_ = false;
    current_.clear();
}
