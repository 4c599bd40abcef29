// SPDX-License-Identifier: MIT
#include "termination_signals.h"

// Windows ends a session with WM_QUERYENDSESSION and WM_ENDSESSION, not signals. Qt's
// Windows plugin answers WM_ENDSESSION by quitting, which closes the windows on the spot,
// so the close path (and com.txt) runs before the process is ended: nothing is left to do
// here. scripts/check-windows ends a Wine session under the tool to keep that so.
TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {}
TerminationSignals::~TerminationSignals() = default;
