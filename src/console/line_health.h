// SPDX-License-Identifier: MIT
#pragma once

#include "line_statistics.h"

#include <QObject>
#include <QPointer>

class QAction;
class StatisticsWindow;
class frmmain;

// The line's health: counts every request and judged reply from the window's line events,
// starting afresh whenever the port opens, and shows them in the 通讯统计 window, opened
// by its action (context menu, Ctrl+I).
class LineHealth final : public QObject {
    Q_OBJECT
public:
    explicit LineHealth(frmmain& window);

    QAction* action() const { return action_; }
    void showWindow();

private:
    frmmain& window_;
    LineStatistics statistics_;
    QAction* action_ = nullptr;
    QPointer<StatisticsWindow> statisticsWindow_;
};
