// SPDX-License-Identifier: MIT
#include "tool_start.h"

int main(int argc, char* argv[]) {
    return RunTool(argc, argv);
}
