// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

// A pseudo-terminal whose far end is published as folder/COMn, for the port to open.
class PtyPair {
public:
    PtyPair(const QString& folder, int port);
    ~PtyPair();
    bool ok() const { return master_ >= 0; }
    QString device() const { return device_; }
    void send(const QByteArray& bytes);
    // Whatever the port wrote, waiting up to timeoutMs for at least expected bytes.
    QByteArray receive(int expected, int timeoutMs = 2000);
    void closeMaster();
    // The line settings the port put on the device, as "9600,O,7,2".
    QString lineSettings() const;

private:
    int master_ = -1;
    int keepAlive_ = -1;
    QString device_;
    QString link_;
};
