// SPDX-License-Identifier: MIT
#pragma once

#include "line_settings.h"

#include <QObject>
#include <QPointer>
#include <functional>

class MessageSink;
class QAction;
class QWidget;
class ScanDialog;
class SerialLine;

// Opens the sensor scan (扫描传感器…, Ctrl+F) on the open port while acquisition is
// stopped, a new dialog each time so that it restores the settings the port has then.
class ScanLauncher final : public QObject {
    Q_OBJECT
public:
    // What the launcher asks of the window when the operator opens a scan.
    struct WindowState {
        std::function<bool()> portOpen;
        std::function<bool()> acquiring;
        std::function<LineSettings()> lineSettings;
    };
    ScanLauncher(QWidget& window, SerialLine& line, MessageSink& messages, WindowState state);

    QAction* action() const { return action_; }
    // A scan runs: its replies are not the poll's.
    bool scanning() const;
    // The line went away under a running scan.
    void stopScan();

signals:
    // The operator chose a found sensor.
    void sensorChosen(int address, int baud);

private:
    void open();

    QWidget& window_;
    SerialLine& line_;
    MessageSink& messages_;
    WindowState state_;
    QAction* action_ = nullptr;
    QPointer<ScanDialog> dialog_;
};
