// SPDX-License-Identifier: MIT
#include "tool_settings.h"

#include <QDir>

namespace {
const QString kWatchAddresses = QStringLiteral("watch/addresses");
const QString kWatchTimeout = QStringLiteral("watch/timeout_ms");
} // namespace

ToolSettings::ToolSettings(const QString& folder)
    : file_(QDir(folder).filePath(QLatin1String(kFileName)), QSettings::IniFormat) {}

QString ToolSettings::watchAddresses() const {
    return file_.value(kWatchAddresses).toString();
}

void ToolSettings::setWatchAddresses(const QString& text) {
    file_.setValue(kWatchAddresses, text);
}

int ToolSettings::watchTimeoutMs(int fallback) const {
    bool ok = false;
    const int ms = file_.value(kWatchTimeout).toInt(&ok);
    return ok ? ms : fallback;
}

void ToolSettings::setWatchTimeoutMs(int ms) {
    file_.setValue(kWatchTimeout, ms);
}

bool ToolSettings::sync() {
    file_.sync();
    return file_.status() == QSettings::NoError;
}
