// SPDX-License-Identifier: MIT
#pragma once

#include "handover_bus.h"
#include "judged_cycle.h"
#include "line_format.h"
#include "link_settings_store.h"
#include "menu/services.h"
#include "model_readings.h"
#include "serial_line.h"
#include "window/captions.h"
#include "window/main_controls.h"
#include "window/one_at_a_time_messages.h"

#include <QWidget>

struct JudgedCycle;
class BusWatchPart;
class LanguagePart;
class LineHealth;
class NetworkPortsPart;
class HandoverPart;
class ReadoutAge;
class BroadcastGuard;
class LineSettingsPart;
class LinkLabel;
class PortListTips;
class CorrectionsPart;
class RateChangePart;
class RecordingPart;
class ScanLauncher;
class SensorModelPart;
class SensorExchange;
class TrendPart;
class ToolMenu;

// The tool's one window: it shows its controls and forwards what the operator does to the
// line and the exchange. Handlers keep the names of the events they answer. Every feature
// beyond the controls is a part of its own, owned here.
class frmmain final : public QWidget, private MainControls {
    Q_OBJECT
public:
    explicit frmmain(const Services& services, QWidget* parent = nullptr);
    ~frmmain() override;

    // Event handlers.
    void Form_Load();
    void Form_QueryUnload();
    void Command1_Click();
    void Combo1_Click();
    void Command_OK3_Click();
    void Command_OK1_Click();
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void Label9_Click();
    void Combo2_Click();
    void MSComm1_OnComm(const QByteArray& received);
    // Shows decoded readings in the two readouts.
    void ShowReadings(const ModelReadings& readings);
    // A sensor found by the scan becomes the polled one; another rate or format reopens the
    // port.
    // A model the scan identified becomes the poll's.
    void selectSensor(int address, const LineSetup& line, const QString& modelId = {});
    // Sensors found by the scan, all watched at once at the line they answered at.
    // Each with the model the scan identified; the poll's where it did not decide.
    void watchSensors(const QList<int>& addresses, const LineSetup& line, const QString& note,
                      const QStringList& modelIds = {});

    // The line, the exchange and the record, for those who watch the window (the tests,
    // the benchmark).
    const SerialLine& line() const { return *line_; }
    const SensorExchange& exchange() const { return *exchange_; }
    RecordingPart& recording() const { return *recording_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void connectHandlers();
    void createExtensions();
    // Every text in the language now chosen: controls, state captions, status, parts.
    void retranslate();
    void showHints();
    // The link lists take a rate and format; an open port is reopened with them.
    void useLine(int baud, const LineFormat& format);
    LineFormat shownFormat() const;
    QList<HandoverSensor> handedOverSensors() const;
    QList<HandoverSensor> watchedSensors() const;
    // The chosen model in the readouts' tooltips and the request box's.
    void showModel();
    // The port and the link lists as the operator set them.
    SerialLine::Choice choice() const;

    // What the line and the exchange report, shown.
    void showPortState(bool open);
    void showAcquisition(bool running);
    void showCleared();
    void showCycle(const JudgedCycle& cycle);
    void onPortLost(const QString& reason, const QString& device);
    void showStatus(const StatusText& status);
    void setStatus(const QString& line) { showStatus({line, {}, {}}); }
    void showStatusToolTip();

    Services services_;
    OneAtATimeMessages messages_;
    LinkSettingsStore settings_;
    SerialLine* line_ = nullptr;
    SensorExchange* exchange_ = nullptr;
    StatusText status_;
    std::optional<JudgedCycle> shownCycle_; // what the status shows, when a verdict
    bool unloaded_ = false;

    // Parts, owned through Qt's parent of each.
    LinkLabel* linkLabel_ = nullptr;
    PortListTips* portListTips_ = nullptr;
    ToolMenu* toolMenu_ = nullptr;
    LineHealth* lineHealth_ = nullptr;
    RecordingPart* recording_ = nullptr;
    TrendPart* trend_ = nullptr;
    ScanLauncher* scanLauncher_ = nullptr;
    BusWatchPart* busWatch_ = nullptr;
    NetworkPortsPart* networkPorts_ = nullptr;
    LanguagePart* language_ = nullptr;
    LineSettingsPart* lineSettings_ = nullptr;
    HandoverPart* handover_ = nullptr;
    ReadoutAge* readoutAge_ = nullptr;
    BroadcastGuard* broadcastGuard_ = nullptr;
    SensorModelPart* sensorModel_ = nullptr;
    RateChangePart* rateChange_ = nullptr;
    CorrectionsPart* corrections_ = nullptr;
};
