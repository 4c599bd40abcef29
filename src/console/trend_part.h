// SPDX-License-Identifier: MIT
#pragma once

#include "judged_cycle.h"
#include "reading_series.h"

#include <QObject>
#include <QPointer>

class QAction;
class QWidget;
class TrendWindow;

// The trend: every decoded reading of this run goes into the series, shown by the 趋势图
// window (context menu, Ctrl+T) while it is open.
class TrendPart final : public QObject {
    Q_OBJECT
public:
    explicit TrendPart(QWidget& window);

    QAction* action() const { return action_; }
    void keep(const JudgedCycle& cycle);
    const ReadingSeries& series() const { return series_; }
    void showWindow();

private:
    QWidget& window_;
    ReadingSeries series_;
    QAction* action_ = nullptr;
    QPointer<TrendWindow> trendWindow_;
};
