// SPDX-License-Identifier: MIT
#include "line_health.h"

#include "frmmain.h"
#include "statistics_window.h"

#include <QAction>

LineHealth::LineHealth(frmmain& window) : QObject(&window), window_(window) {
    connect(&window, &frmmain::portOpened, &statistics_, &LineStatistics::reset);
    connect(&window, &frmmain::requestSent, &statistics_, &LineStatistics::requestSent);
    connect(&window, &frmmain::bytesReceived, &statistics_, &LineStatistics::bytesReceived);
    connect(&window, &frmmain::cycleJudged, &statistics_,
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
