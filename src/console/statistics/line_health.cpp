// SPDX-License-Identifier: MIT
#include "statistics/line_health.h"

#include "menu/part_actions.h"
#include "sensor_exchange.h"
#include "serial_line.h"
#include "statistics/statistics_window.h"

#include <QAction>

LineHealth::LineHealth(QWidget& window, const SerialLine& line, const SensorExchange& exchange)
    : QObject(&window), window_(window) {
    connect(&line, &SerialLine::opened, &statistics_, &LineStatistics::reset);
    connect(&exchange, &SensorExchange::requestSent, &statistics_, &LineStatistics::requestSent);
    connect(&exchange, &SensorExchange::bytesReceived, &statistics_,
            &LineStatistics::bytesReceived);
    connect(&exchange, &SensorExchange::cycleJudged, &statistics_,
            [this](const JudgedCycle& cycle) { statistics_.cycleJudged(cycle.verdict); });

    action_ = AddPartAction(
        window, this, [] { return LineHealth::tr("通讯统计"); }, "statisticsAction",
        QKeySequence(Qt::CTRL | Qt::Key_I));
    FollowLanguage(window, this, [this] { retranslate(); });
    connect(action_, &QAction::triggered, this, &LineHealth::showWindow);
}

void LineHealth::showWindow() {
    if (!statisticsWindow_)
        statisticsWindow_ = new StatisticsWindow(statistics_, &window_);
    BringToFront(*statisticsWindow_);
}

void LineHealth::retranslate() {
    RebuildForLanguage(statisticsWindow_, [this] { showWindow(); });
}
