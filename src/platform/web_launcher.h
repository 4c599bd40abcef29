// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// Hands a web address to the user's browser without waiting for it.
class WebLauncher {
public:
    virtual ~WebLauncher() = default;
    virtual bool open(const QString& address) = 0;
};
