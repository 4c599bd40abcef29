// SPDX-License-Identifier: MIT
#pragma once

#include "trend/trend_chart.h"

#include <QWidget>
#include <vector>

class QComboBox;

// The trend of this run in a window of its own; closing it loses nothing.
class TrendWindow final : public QWidget {
    Q_OBJECT
public:
    explicit TrendWindow(const ReadingSeries& series, QWidget* parent = nullptr);
    TrendChart& chart() { return *chart_; }
    // A reading was added.
    void refresh();
    // A watched sensor that can be shown instead of the single poll.
    struct Watched {
        int address = 0;
        const ReadingSeries* series = nullptr;
        ChartReadouts readouts;
    };
    void setWatched(const std::vector<Watched>& watched);
    // The readouts of the poll's model.
    void setPolledReadouts(const ChartReadouts& readouts);

private:
    void showSource(int index);

    const ReadingSeries& polled_;
    ChartReadouts polledReadouts_ = ReadoutsOf({});
    std::vector<Watched> watched_;
    TrendChart* chart_;
    QComboBox* span_;
    QComboBox* source_;
};
