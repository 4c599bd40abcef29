// SPDX-License-Identifier: MIT
#include "fixture_process.h"

#include <QProcess>
#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

void EndWithTheTest(QProcess& process) {
    const pid_t test = getpid();
    process.setChildProcessModifier([test] {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        // The test may have gone between the fork and the line above.
        if (getppid() != test)
            _exit(1);
    });
}
