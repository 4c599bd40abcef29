// SPDX-License-Identifier: MIT
#pragma once

#include "sensor_model.h"

#include <functional>

#include "line_format.h"

#include <QObject>
#include <QPointer>

class MessageSink;
class QAction;
class QWidget;
class ScanDialog;
class SensorExchange;
class SerialLine;

// Opens the sensor scan (扫描传感器…, Ctrl+F) on the open port while acquisition is
// stopped, a new dialog each time so that it restores the settings the port has then.
class ScanLauncher final : public QObject {
    Q_OBJECT
public:
    ScanLauncher(QWidget& window, SerialLine& line, const SensorExchange& exchange,
                 MessageSink& messages);

    QAction* action() const { return action_; }
    // A scan runs: its replies are not the poll's.
    bool scanning() const;
    // The line went away under a running scan.
    void stopScan();
    // The models a scan tells apart, asked as each scan starts.
    void setModels(std::function<QList<SensorModel>()> models) { models_ = std::move(models); }
    // The models the last scan found, one id per sensor: empty where the answers left a
    // model other than the tool's own possible and undecided.
    QStringList foundModels() const;

signals:
    // The operator chose a found sensor.
    void sensorChosen(int address, const LineSetup& line, const QString& modelId);
    // The operator chose to watch the sensors found; note says why some were left out.
    void watchChosen(const QList<int>& addresses, const LineSetup& line, const QString& note,
                     const QStringList& modelIds);

private:
    // A change of language: a dialog with no scan running is built anew in it.
    void retranslate();
    void open();

    QWidget& window_;
    SerialLine& line_;
    const SensorExchange& exchange_;
    MessageSink& messages_;
    QAction* action_ = nullptr;
    QPointer<ScanDialog> dialog_;
    std::function<QList<SensorModel>()> models_;
};
