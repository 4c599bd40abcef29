// SPDX-License-Identifier: MIT
#pragma once

#include "sim_process.h"
#include "tool_rig.h"

#include <QPushButton>
#include <QTest>

// The window on the real serial-port service, with the virtual sensor serving COMn in the
// rig's folder, whose com.txt selects that port.
struct SensorRig : ToolRig {
    explicit SensorRig(int portNumber = 1)
        : ToolRig(
              Options{QByteArray::number(portNumber) + "\r\n9600\r\n", true, {}, nullptr, false}),
          sensor(folder, portNumber) {}

    // Starts the sensor with the options and the window, opens the port and, if asked,
    // starts acquisition.
    bool startPolling(const QStringList& sensorOptions = {}, bool acquire = true) {
        if (!sensor.start(sensorOptions))
            return false;
        startWindow();
        parts->Command1->click();
        if (acquire)
            parts->Command_OK3->click();
        return parts->Command1->text() == PortCaption::Close();
    }

    SimProcess sensor;
};

// The verdicts in the status box, as the tests compare them.
inline const QString kBad = Caption::Bad();
inline const QString kGood = Caption::Good();
