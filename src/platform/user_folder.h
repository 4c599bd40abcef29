// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// Where the tool keeps com.txt and COMn links when started from the desktop menu:
// $XDG_CONFIG_HOME/modbus-sensor-tool on Linux, %APPDATA%\modbus-sensor-tool on Windows.
// Empty when the system names no such place.
QString PerUserFolder();

// Makes the per-user folder (created when missing) the working directory, so com.txt and
// COMn links live there rather than wherever a desktop menu happens to start programs.
// Returns the folder, or an empty text with *error set.
QString EnterPerUserFolder(QString* error);
