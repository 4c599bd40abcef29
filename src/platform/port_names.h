// SPDX-License-Identifier: MIT
#pragma once

#include <QCoreApplication>
#include <QString>

// Where port number n lives. On Windows it is "COMn". Elsewhere it is the file or symbolic
// link named COMn in folder (the working directory, beside com.txt) when there is one,
// otherwise /dev/ttyUSB{n-1}. Returns an empty text for numbers below 1.
QString PortDevicePath(int port, const QString& folder);

// Port n as an operator needs to know it: the device it reaches and whether that is there.
struct PortLocation {
    QString device;
    bool throughLink = false; // a COMn file or link in the folder
    bool present = false;
};
PortLocation LocatePort(int port, const QString& folder);

// The context of the advice's translations.
class PortAdvice {
    Q_DECLARE_TR_FUNCTIONS(PortAdvice)
};

// How to make device serve as port n: a COMn link in the folder on Unix; empty on Windows,
// which numbers its ports itself.
QString PortLinkAdvice(const QString& device, int port);

// What lets a user open a serial port the system refused; empty where there is no advice.
QString PermissionAdvice();
