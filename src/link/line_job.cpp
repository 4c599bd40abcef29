// SPDX-License-Identifier: MIT
#include "line_job.h"

#include "serial_line.h"

#include <QCoreApplication>

void LineJob::holdLine(const QString& purpose) {
    line_.listen(
        &owner_, [this](const QByteArray& bytes) { onReceived(bytes); }, purpose);
}

void LineJob::giveLineBack() {
    line_.discardReceived();
    line_.release(&owner_);
}

bool LineJob::write(const QByteArray& frame) {
    const CommResult sent = line_.write(frame);
    if (sent.ok())
        return true;
    end(QCoreApplication::translate("LineJob", "串口写入失败：%1").arg(sent.reason));
    return false;
}

void LineJob::endQuietly() {
    owner_.blockSignals(true);
    if (running_)
        end({});
}
