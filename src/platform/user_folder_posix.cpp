// SPDX-License-Identifier: MIT
#include "user_folder.h"

#include <QDir>
#include <QStandardPaths>

QString PerUserFolder() {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return base.isEmpty() ? QString() : QDir(base).filePath(QStringLiteral("modbus-sensor-tool"));
}
