// SPDX-License-Identifier: MIT
#pragma once

#include "line_format.h"
#include "line_settings.h"

// A rate and format as the port's settings, and back.
LineSettings ApplyLineSetup(const LineSetup& setup, LineSettings settings);
LineSetup LineSetupOf(const LineSettings& settings);
