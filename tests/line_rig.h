// SPDX-License-Identifier: MIT
#pragma once

#include "sensor_exchange.h"
#include "sensor_model/sensor_model_dialog.h"
#include "sensor_model/sensor_model_part.h"

#include <QAction>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <algorithm>

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

    // Picks the model of id in 传感器型号… and, when it offers another line, answers with
    // takeLine; false when the model is not listed.
    bool chooseModel(const QString& id, bool takeLine = true) {
        window->findChild<QAction*>(QStringLiteral("sensorModelAction"))->trigger();
        auto* dialog = window->findChild<SensorModelDialog*>();
        const auto& models = window->findChild<SensorModelPart*>()->catalogue().models();
        const auto found = std::find_if(models.begin(), models.end(),
                                        [&](const SensorModel& m) { return m.id == id; });
        if (!dialog || found == models.end())
            return false;
        dialog->table()->selectRow(static_cast<int>(found - models.begin()));
        dialog->findChild<QPushButton*>(QStringLiteral("useModelButton"))->click();
        if (auto* ask = window->findChild<QMessageBox*>(QStringLiteral("modelLineQuestion")))
            ask->buttons().at(takeLine ? 0 : 1)->click();
        return window->exchange().model().id == id;
    }

    SimProcess sensor;
};

// The verdicts in the status box, as the tests compare them.
inline const QString kBad = Caption::Bad();
inline const QString kGood = Caption::Good();
