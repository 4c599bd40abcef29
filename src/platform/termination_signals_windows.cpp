// SPDX-License-Identifier: MIT
#include "termination_signals.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>

#include <windows.h>

// Windows asks every top-level window with WM_QUERYENDSESSION, then tells it with
// WM_ENDSESSION whether the session really ends; after that message the process may be
// ended at any time, so the close path has to run while it is being handled.
class SessionEndFilter final : public QAbstractNativeEventFilter {
public:
    explicit SessionEndFilter(TerminationSignals& owner) : owner_(owner) {}

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
        if (eventType != "windows_generic_MSG" || raised_)
            return false;
        const MSG* msg = static_cast<const MSG*>(message);
        if (msg->message == WM_ENDSESSION && msg->wParam != FALSE) {
            // Sent to each of the program's windows; the close path runs once.
            raised_ = true;
            ;
        }
        return false; // Qt still sees the message
    }

private:
    TerminationSignals& owner_;
    bool raised_ = false;
};

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
    filter_ = new SessionEndFilter(*this);
    QCoreApplication::instance()->installNativeEventFilter(filter_);
}

TerminationSignals::~TerminationSignals() {
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(filter_);
    delete filter_;
}
