// SPDX-License-Identifier: MIT
#include "trend_part.h"

#include "part_actions.h"
#include "trend_window.h"

#include <QAction>

TrendPart::TrendPart(QWidget& window) : QObject(&window), window_(window) {
    setObjectName(QStringLiteral("trend"));
    action_ = AddPartAction(window, this, tr("趋势图"), "trendAction",
                            QKeySequence(Qt::CTRL | Qt::Key_T));
    connect(action_, &QAction::triggered, this, &TrendPart::showWindow);
}

void TrendPart::keep(const JudgedCycle& cycle) {
    // Only a reply judged while acquisition runs is decoded.
    if (!cycle.readings)
        return;
    const Readings& readings = *cycle.readings;
    series_.add(cycle.time.toMSecsSinceEpoch(), readings.temperatureTenths / 10.0,
                readings.humidityTenths ? std::optional<double>(*readings.humidityTenths / 10.0)
                                        : std::nullopt);
    if (trendWindow_)
        trendWindow_->refresh();
}

void TrendPart::showWindow() {
    if (!trendWindow_)
        trendWindow_ = new TrendWindow(series_, &window_);
    BringToFront(*trendWindow_);
}
