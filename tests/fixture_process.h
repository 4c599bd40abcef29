// SPDX-License-Identifier: MIT
#pragma once

class QProcess;

// Has the system end process's child when the test that started it ends for any reason,
// a crash or ctest's kill included, so no fixture outlives its test. Call before start().
void EndWithTheTest(QProcess& process);
