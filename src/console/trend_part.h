// SPDX-License-Identifier: MIT
#pragma once

#include "judged_cycle.h"
#include "reading_series.h"

#include <QObject>
#include <QPointer>
#include <map>

class QAction;
class QWidget;
class TrendWindow;

// The trend: every decoded reading of this run goes into a series, one for the single poll
// and one for each sensor the bus watch has watched, shown by the 趋势图 window (context
// menu, Ctrl+T) while it is open.
class TrendPart final : public QObject {
    Q_OBJECT
public:
    explicit TrendPart(QWidget& window);

    QAction* action() const { return action_; }
    // A cycle of the single poll.
    void keep(const JudgedCycle& cycle);
    // A cycle of the bus watch, kept under its address.
    void keepWatched(const JudgedCycle& cycle);
    const ReadingSeries& series() const { return series_; }
    const ReadingSeries* watchedSeries(int address) const;
    void showWindow();
    // A change of language: the window is built anew in it.
    void retranslate();

private:
    void add(ReadingSeries& series, const JudgedCycle& cycle);
    void offerSources();

    QWidget& window_;
    ReadingSeries series_;
    std::map<int, ReadingSeries> watched_;
    QAction* action_ = nullptr;
    QPointer<TrendWindow> trendWindow_;
};
