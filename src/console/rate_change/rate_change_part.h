// SPDX-License-Identifier: MIT
#pragma once

#include "rate_change.h"

#include <QObject>
#include <QPointer>
#include <functional>

class MessageSink;
class QAction;
class QWidget;
class RateChangeDialog;
class SensorExchange;
class SerialLine;

// 更改波特率… (Ctrl+G, and from the bus watch's rows): moves sensors to a new rate where their
// model names a rate register and its codes, and the line with them once every one answers
// there (RateChange). It refuses, naming the model, where a model cannot.
class RateChangePart final : public QObject {
    Q_OBJECT
public:
    struct Window {
        std::function<int()> polledAddress;
        std::function<int()> baud; // the rate the link list shows
    };
    RateChangePart(QWidget& window, SerialLine& line, const SensorExchange& exchange,
                   MessageSink& messages, Window shown);

    QAction* action() const { return action_; }
    // The polled sensor, with the poll's model.
    void changePolled();
    // These sensors, one after another, to one rate.
    void change(const QList<RateChangePlan::Sensor>& sensors);
    RateChangeDialog* dialog() const;
    // The window closes: a change under way ends without a word.
    void stop() { change_.stop(); }
    const RateChange& rateChange() const { return change_; }

signals:
    // Every sensor answered at the new rate: the window takes it (link list, com.txt).
    void rateChanged(int baud);

private:
    void retranslate();
    // The port is open and no other job holds it; otherwise the operator is told why.
    bool lineFree();
    void start(const QList<RateChangePlan::Sensor>& sensors, int baud);
    void askForPowerCycle(const QList<int>& addresses);
    void report(const RateChangeOutcome& outcome);

    QWidget& window_;
    SerialLine& line_;
    const SensorExchange& exchange_;
    MessageSink& messages_;
    Window shown_;
    RateChange change_;
    QAction* action_ = nullptr;
    QPointer<RateChangeDialog> dialog_;
};
