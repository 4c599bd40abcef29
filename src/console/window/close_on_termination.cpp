// SPDX-License-Identifier: MIT
#include "window/close_on_termination.h"

#include "termination_signals.h"

#include <QCoreApplication>
#include <QWidget>

void CloseOnTermination(QWidget& window) {
    auto* watcher = new TerminationSignals(&window);
    QObject::connect(watcher, &TerminationSignals::received, &window, [&window] {
        // Exiting first also ends an open message box's loop, and keeps the close path
        // from waiting on a new one.
        QCoreApplication::exit(0);
        window.close();
    });
}
