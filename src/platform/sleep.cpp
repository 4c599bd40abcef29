// SPDX-License-Identifier: MIT
#include "sleep.h"

#include <QThread>

void SleepMilliseconds(int milliseconds) {
    QThread::msleep(static_cast<unsigned long>(milliseconds));
}
