// SPDX-License-Identifier: MIT
#pragma once

#include "handover_bus.h"
#include "server_address.h"

#include <QObject>
#include <QPointer>
#include <functional>

class HandoverDialog;
class QAction;
class QWidget;
class SerialDevices;

// Where a port number leads, for a monitoring system: the device of a local port (its stable
// /dev/serial/by-id name where the system has one, COMn on Windows) or the serial server it
// is mapped to. note says what the operator should know (a device that is not there now).
HandoverLine HandoverLineFor(int port, const LineSetup& setup, const ServerMap& servers,
                             const QString& portFolder, const SerialDevices& devices,
                             QString* note);

// 导出配置… (Ctrl+H): hands the bus over to monitoring; the polled sensor, or every watched
// one while the bus watch runs, as Telegraf, Home Assistant, mbpoll and ESPHome read them.
class HandoverPart final : public QObject {
    Q_OBJECT
public:
    struct Source {
        std::function<HandoverLine(QString* note)> line;
        // The polled sensor, or every watched one while the watch runs.
        std::function<QList<HandoverSensor>()> sensors;
        // Every sensor of the bus watch's table, running or stopped.
        std::function<QList<HandoverSensor>()> watched;
    };
    HandoverPart(QWidget& window, Source source);

    QAction* action() const { return action_; }
    void showDialog();
    // From the bus watch window: every watched sensor.
    void showWatched();

private:
    // A change of language: an open dialog is built anew in it.
    void retranslate();
    void show(bool watched);

    QWidget& window_;
    Source source_;
    QAction* action_ = nullptr;
    QPointer<HandoverDialog> dialog_;
    bool watchedShown_ = false; // the dialog shows the watch's sensors
};
