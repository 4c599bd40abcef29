// SPDX-License-Identifier: MIT
#pragma once

#include "pty_link.h"

#include <QByteArray>
#include <QString>

// A pseudo-terminal whose far end is published as folder/COMn, for the port to open.
class PtyPair {
public:
    PtyPair(const QString& folder, int port);
    bool ok() const { return line_.master() >= 0; }
    QString device() const { return QString::fromStdString(line_.device()); }
    void send(const QByteArray& bytes);
    // Whatever the port wrote, waiting up to timeoutMs for at least expected bytes.
    QByteArray receive(int expected, int timeoutMs = 2000);
    void closeMaster() { line_.closeMaster(); }
    // The line settings the port put on the device, as "9600,O,7,2".
    QString lineSettings() const;

private:
    PtyLink line_;
};
