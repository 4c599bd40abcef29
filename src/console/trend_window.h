// SPDX-License-Identifier: MIT
#pragma once

#include "trend_chart.h"

#include <QWidget>

class QComboBox;

// The trend of this run in a window of its own; closing it loses nothing.
class TrendWindow final : public QWidget {
    Q_OBJECT
public:
    explicit TrendWindow(const ReadingSeries& series, QWidget* parent = nullptr);
    TrendChart& chart() { return *chart_; }
    // A reading was added.
    void refresh();

private:
    TrendChart* chart_;
    QComboBox* span_;
};
