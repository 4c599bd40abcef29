// SPDX-License-Identifier: MIT
#pragma once

#include <functional>

class frmmain;

// The whole tool: the application with its name, icon and Qt's Chinese texts, the command
// line, the services and the window, then the event loop. attach, when given, sees the
// window before it shows (the benchmark hangs its probe there). Returns the exit status.
int RunTool(int argc, char* argv[], const std::function<void(frmmain&)>& attach = {});
