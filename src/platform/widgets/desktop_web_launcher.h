// SPDX-License-Identifier: MIT
#pragma once

#include "web_launcher.h"

// Opens addresses with the desktop's browser (QDesktopServices).
class DesktopWebLauncher final : public WebLauncher {
public:
    bool open(const QString& address) override;
};
