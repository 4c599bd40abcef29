// SPDX-License-Identifier: MIT
#pragma once

#include "sensor_catalogue.h"
#include "tool_settings.h"

#include <QObject>
#include <QPointer>
#include <functional>

class QAction;
class QWidget;
class SensorExchange;
class SensorModelDialog;

// 传感器型号… (Ctrl+E): the model the poll and the address change follow, chosen from the
// catalogue and kept in the tool's settings file. A model that comes set to another line
// than the one chosen offers to reopen at its line. It also sees the address change through
// where the model needs a power cycle.
class SensorModelPart final : public QObject {
    Q_OBJECT
public:
    struct Line {
        std::function<LineSetup()> current;        // the line as the link lists have it
        std::function<void(const LineSetup&)> use; // sets the lists, reopens an open port
    };
    SensorModelPart(QWidget& window, SensorExchange& exchange, const QString& settingsFolder,
                    Line line);

    QAction* action() const { return action_; }
    const SensorCatalogue& catalogue() const { return catalogue_; }
    void showDialog();
    // Makes the model of id the poll's; false for an id the catalogue does not know.
    bool choose(const QString& id);
    // The chosen model, for the status box's tooltip; empty for the tool's own.
    QString note() const;
    // What a readout shows under this model, for its tooltip (first: AI_SHOW(0)).
    QString readoutTip(bool first) const;
    SensorModelDialog* dialog() const { return dialog_; }

signals:
    // The poll follows another model: tooltips and the request box show it.
    void modelChanged();
    // A new dialog, for the parts that add to it.
    void dialogBuilt(SensorModelDialog& dialog);

private:
    void retranslate();
    void reload();
    void offerLine(const SensorModel& model);
    void askForPowerCycle(int newAddress);

    QWidget& window_;
    SensorExchange& exchange_;
    QString folder_;
    Line line_;
    ToolSettings settings_;
    SensorCatalogue catalogue_;
    QAction* action_ = nullptr;
    QPointer<SensorModelDialog> dialog_;
};
