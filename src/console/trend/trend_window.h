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
    // The watched sensors that can be shown instead of the single poll, by address.
    void setWatched(const std::vector<std::pair<int, const ReadingSeries*>>& watched);

private:
    void showSource(int index);

    const ReadingSeries& polled_;
    std::vector<std::pair<int, const ReadingSeries*>> watched_;
    TrendChart* chart_;
    QComboBox* span_;
    QComboBox* source_;
};
