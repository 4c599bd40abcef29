// SPDX-License-Identifier: MIT
#include "desktop_web_launcher.h"

#include <QDesktopServices>
#include <QUrl>

bool DesktopWebLauncher::open(const QString& address) {
    return QDesktopServices::openUrl(QUrl::fromUserInput(address));
}
