// SPDX-License-Identifier: MIT
#include "line_health.h"

#include "sensor_exchange.h"
#include "serial_line.h"
#include "statistics_window.h"

#include <QAction>

LineHealth::LineHealth(QWidget& window, const SerialLine& line, const SensorExchange& exchange)
    : QObject(&window), window_(window) {
    connect(&line, &SerialLine::shownOpenChanged, &statistics_, [this](bool open) {
        if (open)
            statistics_.reset();
    });
    connect(&exchange, &SensorExchange::requestSent, &statistics_, &LineStatistics::requestSent);
    connect(&exchange, &SensorExchange::bytesReceived, &statistics_,
            &LineStatistics::bytesReceived);
    connect(&exchange, &SensorExchange::cycleJudged, &statistics_,
            [this](const JudgedCycle& cycle) { statistics_.cycleJudged(cycle.verdict); });

    action_ = new QAction(tr("通讯统计"), this);
    action_->setObjectName(QStringLiteral("statisticsAction"));
    action_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    connect(action_, &QAction::triggered, this, &LineHealth::showWindow);
    window.addAction(action_);
}

void LineHealth::showWindow() {
    if (!statisticsWindow_)
        statisticsWindow_ = new StatisticsWindow(statistics_, &window_);
    statisticsWindow_->show();
    statisticsWindow_->raise();
    statisticsWindow_->activateWindow();
}
