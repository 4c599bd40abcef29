// SPDX-License-Identifier: MIT
#pragma once

#include "fakes.h"
#include "frmmain.h"
#include "qt_serial_control.h"
#include "sim_process.h"
#include "window_controls.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <memory>

// The window on the real serial-port service, with the virtual sensor serving COMn in a
// temporary folder whose com.txt selects that port.
struct Rig : FakePlatform {
    explicit Rig(int port = 1) : sensor(dir.path(), port) {
        QFile file(dir.filePath(QStringLiteral("com.txt")));
        file.open(QIODevice::WriteOnly);
        file.write(QByteArray::number(port) + "\r\n9600\r\n");
    }
    void startWindow() {
        serial = std::make_unique<QtSerialControl>(dir.path());
        window = std::make_unique<frmmain>(
            services(*serial, dir.path(), [](int ms) { QThread::msleep(ms); }));
        parts = std::make_unique<WindowControls>(*window);
    }
    // Starts the sensor with the options and the window, opens the port and, if asked,
    // starts acquisition.
    bool startPolling(const QStringList& sensorOptions = {}, bool acquire = true) {
        if (!sensor.start(sensorOptions))
            return false;
        startWindow();
        parts->Command1->click();
        if (acquire)
            parts->Command_OK3->click();
        return parts->Command1->text() == QStringLiteral("关闭串口");
    }
    frmmain& w() { return *window; }
    WindowControls& ui() { return *parts; }
    QString status() const { return parts->Message_Show->toPlainText(); }
    // Waits for the next verdict of the reply check and returns it (or why there was none).
    QString nextVerdict(int timeoutMs = 1500) {
        if (!QTest::qWaitFor([&] { return status().isEmpty(); }, timeoutMs))
            return QStringLiteral("(status never cleared)");
        if (!QTest::qWaitFor([&] { return !status().isEmpty(); }, timeoutMs))
            return QStringLiteral("(no verdict)");
        return status();
    }

    QTemporaryDir dir;
    SimProcess sensor;
    std::unique_ptr<QtSerialControl> serial;
    std::unique_ptr<frmmain> window;
    std::unique_ptr<WindowControls> parts;
};

using Caption::kBad;
using Caption::kGood;
