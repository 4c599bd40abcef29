// SPDX-License-Identifier: MIT
#pragma once

#include "bus_watch.h"
#include "rate_change.h"
#include "tool_settings.h"
#include "watch_tally.h"

#include <QObject>
#include <QPointer>
#include <functional>

class BusWatchWindow;
class MessageSink;
class QAction;
class QWidget;
class SensorExchange;
class SerialLine;
class WatchTableModel;

// The bus watch (多传感器监视…, Ctrl+M): several sensors polled in turn on the open port,
// one row each. It refuses while the port is closed, acquisition runs or a scan holds the
// line; the addresses and the timeout are kept in the tool's settings file.
class BusWatchPart final : public QObject {
    Q_OBJECT
public:
    BusWatchPart(QWidget& window, SerialLine& line, const SensorExchange& exchange,
                 MessageSink& messages, const QString& settingsFolder);
    ~BusWatchPart() override;

    QAction* action() const { return action_; }
    void showWindow();
    // Starts watching addresses now (from the scan, or the window's start), each with its
    // model from models, kept with the addresses; addresses without one take the model kept
    // for them, or else the model the poll uses.
    bool watch(const QList<int>& addresses, int timeoutMs, const QString& note = {},
               const QList<SensorModel>& models = {});
    // The reply timeout the operator chose last.
    int timeoutMs() const { return settings_.watchTimeoutMs(WatchPlan{}.timeoutMs); }
    // Stops the watch and gives the line back; says nothing.
    void stop();
    bool running() const { return watch_.running(); }
    const WatchTally& tally() const { return tally_; }
    // The addresses watched and their models.
    const WatchPlan& plan() const { return watch_.plan(); }
    // Where a kept model id is looked up.
    void setModelFinder(std::function<const SensorModel*(const QString& id)> find) {
        findModel_ = std::move(find);
    }
    // The watch as a source of readings, for the parts that follow every source.
    const ReadingSource& source() const { return watch_; }
    BusWatchWindow* window() const;

signals:
    // A judged turn, once the table has counted it.
    void cycleJudged(const JudgedCycle& cycle);
    // 更改波特率… on rows of the table: the watch has stopped; the rows' sensors with their
    // models.
    void rateChangeAsked(const QList<RateChangePlan::Sensor>& sensors);
    // The window's 导出配置…: hand every watched sensor (plan()) over to monitoring.
    void exportRequested();

private:
    // A change of language: the window is built anew in it; the watch goes on.
    void retranslate();
    void onJudged(const JudgedCycle& cycle, qint64 replyMs);
    void onStopped(const QString& failure);
    void askRateChange(const QList<int>& addresses);
    QList<SensorModel> modelsFor(const QList<int>& addresses, const QList<SensorModel>& given);

    QWidget& window_;
    SerialLine& line_;
    const SensorExchange& exchange_;
    MessageSink& messages_;
    ToolSettings settings_;
    BusWatch watch_;
    WatchTally tally_;
    int tallyPort_ = 0; // the port the table's sensors answered on
    qint64 lastBusyMs_ = 0;
    WatchTableModel* table_ = nullptr;
    QAction* action_ = nullptr;
    QPointer<BusWatchWindow> watchWindow_;
    std::function<const SensorModel*(const QString& id)> findModel_;
};
