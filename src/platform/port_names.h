// SPDX-License-Identifier: MIT
#pragma once

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

// Whether a COMn file or link in the folder chooses the device (Unix); Windows numbers its
// ports itself.
bool PortsLinkedFromFolder();
