// SPDX-License-Identifier: MIT
#include "line_job.h"

#include "serial_line.h"

void LineJob::holdLine(const QString& purpose) {
    line_->listen(
        &owner_, [this](const QByteArray& bytes) { onReceived(bytes); }, purpose);
}

void LineJob::giveLineBack() {
    if (!line_)
        return;
    line_->discardReceived();
    line_->release(&owner_);
}

bool LineJob::write(const QByteArray& frame) {
    if (!line_)
        return false; // the window is closing
    const CommResult sent = line_->write(frame);
    if (sent.ok())
        return true;
    end(SharedText::WriteFailed(sent.reason));
    return false;
}

void LineJob::endQuietly() {
    owner_.blockSignals(true);
    if (running_)
        end({});
}
