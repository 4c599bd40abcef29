// SPDX-License-Identifier: MIT
#pragma once

#include "judged_cycle.h"
#include "reading_series.h"

#include <QObject>
#include <QPointer>
#include <map>

class QAction;
class QWidget;
class ReadingSource;
class SerialLine;
class TrendWindow;

// The trend: every decoded reading of this run goes into a series, one for the sources that
// ask one sensor at a time (the single poll) and one for each sensor a source that asks
// several in turn (the bus watch) has watched, shown by the 趋势图 window (context
// menu, Ctrl+T) while it is open. A curve is one sensor on one port; where a source's
// cycles paused (acquisition or the watch stopped) its curves break.
class TrendPart final : public QObject {
    Q_OBJECT
public:
    // No source judges cycles further apart than this while it runs: the poll every 700 ms,
    // the watch's turns within its longest timeout. A longer gap is a pause.
    static constexpr qint64 kPauseMs = 1750;

    TrendPart(QWidget& window, const SerialLine& line);

    QAction* action() const { return action_; }
    // Keeps every cycle the source judges, by the sensors it asks.
    void follow(const ReadingSource& source);
    // A cycle of the single poll.
    void keep(const JudgedCycle& cycle);
    // A cycle of the bus watch, kept under its address.
    void keepWatched(const JudgedCycle& cycle);
    const ReadingSeries& series() const { return series_; }
    const ReadingSeries* watchedSeries(int address) const;
    void showWindow();

private:
    // A change of language: the window is built anew in it.
    void retranslate();
    // Whether the source's cycles paused since its last one.
    static bool pausedSince(qint64& lastMs, const JudgedCycle& cycle);
    void add(ReadingSeries& series, const JudgedCycle& cycle);
    void offerSources();
    void showPolledReadouts();

    QWidget& window_;
    const SerialLine& line_;
    qint64 lastPolledMs_ = -1;
    qint64 lastWatchedMs_ = -1;
    ReadingSeries series_;
    std::map<int, ReadingSeries> watched_;
    // Whose readouts each series holds: the model of its newest cycle.
    SensorModel polledModel_;
    std::map<int, SensorModel> watchedModels_;
    QAction* action_ = nullptr;
    QPointer<TrendWindow> trendWindow_;
};
