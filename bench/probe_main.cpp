// SPDX-License-Identifier: MIT
// The tool as it ships, started through its own start function, with the probe attached to
// its window. The probe's arguments are taken off the command line first.
#include "probe.h"
#include "tool_start.h"
#include "window/frmmain.h"

#include <QStringList>

int main(int argc, char* argv[]) {
    QStringList probeArguments;
    for (int i = 1; i < argc; ++i)
        probeArguments << QString::fromLocal8Bit(argv[i]);
    int toolArgc = 1;
    return RunTool(toolArgc, argv,
                   [&probeArguments](frmmain& window) { InstallProbe(window, probeArguments); });
}
