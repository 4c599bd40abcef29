// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// Makes the per-user folder ($XDG_CONFIG_HOME/modbus-sensor-tool, created when missing) the
// working directory, so com.txt and COMn links live there rather than wherever a desktop
// menu happens to start programs. Returns the folder, or an empty text with *error set.
QString EnterPerUserFolder(QString* error);
