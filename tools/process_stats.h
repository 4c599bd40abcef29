// SPDX-License-Identifier: MIT
#pragma once

// Resident memory of this process in KiB, or -1 where the system does not tell.
long ResidentMemoryKiB();
