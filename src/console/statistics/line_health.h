// SPDX-License-Identifier: MIT
#pragma once

#include "line_statistics.h"

#include <QObject>
#include <QPointer>

class QAction;
class StatisticsWindow;
class QWidget;
class SensorExchange;
class SerialLine;

// The line's health: counts every request and judged reply of the exchange, starting
// afresh whenever the line has really opened, and shows them in the 通讯统计 window, opened
// by its action (context menu, Ctrl+I).
class LineHealth final : public QObject {
    Q_OBJECT
public:
    LineHealth(QWidget& window, const SerialLine& line, const SensorExchange& exchange);

    QAction* action() const { return action_; }
    // The counts, for another job on the line (the bus watch) to add its cycles to.
    LineStatistics& statistics() { return statistics_; }
    void showWindow();

private:
    // A change of language: the window is built anew in it.
    void retranslate();
    QWidget& window_;
    LineStatistics statistics_;
    QAction* action_ = nullptr;
    QPointer<StatisticsWindow> statisticsWindow_;
};
