// SPDX-License-Identifier: MIT
#include "statistics/line_health.h"

#include "menu/part_actions.h"
#include "reading_source.h"
#include "serial_line.h"
#include "statistics/statistics_window.h"

#include <QAction>

LineHealth::LineHealth(QWidget& window, const SerialLine& line)
    : QObject(&window), window_(window) {
    connect(&line, &SerialLine::opened, &statistics_, &LineStatistics::reset);

    action_ = AddPartAction(
        window, this, [] { return LineHealth::tr("通讯统计"); }, "statisticsAction",
        QKeySequence(Qt::CTRL | Qt::Key_I));
    FollowLanguage(window, this, [this] { retranslate(); });
    connect(action_, &QAction::triggered, this, &LineHealth::showWindow);
}

void LineHealth::follow(const ReadingSource& source) {
    connect(&source, &ReadingSource::requestSent, &statistics_, &LineStatistics::requestSent);
    connect(&source, &ReadingSource::bytesReceived, &statistics_, &LineStatistics::bytesReceived);
    connect(&source, &ReadingSource::cycleJudged, &statistics_,
            [this](const JudgedCycle& cycle) { statistics_.cycleJudged(cycle.verdict); });
}

void LineHealth::showWindow() {
    if (!statisticsWindow_)
        statisticsWindow_ = new StatisticsWindow(statistics_, &window_);
    BringToFront(*statisticsWindow_);
}

void LineHealth::retranslate() {
    RebuildForLanguage(statisticsWindow_, [this] { showWindow(); });
}
