// SPDX-License-Identifier: MIT
#include "user_folder.h"

#include <QDir>
#include <QStandardPaths>

QString EnterPerUserFolder(QString* error) {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (base.isEmpty()) {
        *error = QStringLiteral("no configuration folder for this user");
        return {};
    }
    const QString folder = QDir(base).filePath(QStringLiteral("modbus-sensor-tool"));
    if (!QDir().mkpath(folder)) {
        *error = QStringLiteral("cannot create %1").arg(folder);
        return {};
    }
    if (!QDir::setCurrent(folder)) {
        *error = QStringLiteral("cannot enter %1").arg(folder);
        return {};
    }
    return folder;
}
