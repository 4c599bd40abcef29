// SPDX-License-Identifier: MIT
#include "user_folder.h"

#include <QDir>

QString EnterPerUserFolder(QString* error) {
    const QString folder = PerUserFolder();
    if (folder.isEmpty()) {
        *error = QStringLiteral("no folder for this user's settings");
        return {};
    }
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
