// SPDX-License-Identifier: MIT
#pragma once

// Blocks the calling thread; nothing else runs on it meanwhile.
void SleepMilliseconds(int milliseconds);
