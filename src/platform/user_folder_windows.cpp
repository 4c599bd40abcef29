// SPDX-License-Identifier: MIT
#include "user_folder.h"

#include <QDir>
#include <QStandardPaths>

QString PerUserFolder() {
    // The roaming application data folder, where Windows programs keep a user's settings.
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QString roaming = qEnvironmentVariable("APPDATA", base);
    return roaming.isEmpty() ? QString()
                             : QDir(roaming).filePath(QStringLiteral("modbus-sensor-tool"));
}
