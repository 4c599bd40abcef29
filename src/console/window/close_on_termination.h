// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

// Logout, shutdown and kill close the window as the operator would, so the settings are
// written and the port and its lock released, then end the program with status 0.
void CloseOnTermination(QWidget& window);
