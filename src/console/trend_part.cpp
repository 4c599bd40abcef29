// SPDX-License-Identifier: MIT
#include "trend_part.h"

#include "part_actions.h"
#include "trend_window.h"

#include <QAction>

TrendPart::TrendPart(QWidget& window) : QObject(&window), window_(window) {
    setObjectName(QStringLiteral("trend"));
    action_ = AddPartAction(window, this, "TrendPart", QT_TRANSLATE_NOOP("TrendPart", "趋势图"),
                            "trendAction", QKeySequence(Qt::CTRL | Qt::Key_T));
    connect(action_, &QAction::triggered, this, &TrendPart::showWindow);
}

void TrendPart::keep(const JudgedCycle& cycle) {
    add(series_, cycle);
}

void TrendPart::keepWatched(const JudgedCycle& cycle) {
    if (!cycle.readings)
        return;
    const bool isNew = watched_.find(cycle.address) == watched_.end();
    add(watched_[cycle.address], cycle);
    if (isNew)
        offerSources();
}

const ReadingSeries* TrendPart::watchedSeries(int address) const {
    const auto found = watched_.find(address);
    return found == watched_.end() ? nullptr : &found->second;
}

void TrendPart::add(ReadingSeries& series, const JudgedCycle& cycle) {
    // Only a reply judged while acquisition runs is decoded.
    if (!cycle.readings)
        return;
    const Readings& readings = *cycle.readings;
    series.add(cycle.time.toMSecsSinceEpoch(), readings.temperatureTenths / 10.0,
               readings.humidityTenths ? std::optional<double>(*readings.humidityTenths / 10.0)
                                       : std::nullopt);
    if (trendWindow_)
        trendWindow_->refresh();
}

void TrendPart::offerSources() {
    if (!trendWindow_)
        return;
    std::vector<std::pair<int, const ReadingSeries*>> watched;
    for (const auto& [address, series] : watched_)
        watched.emplace_back(address, &series);
    trendWindow_->setWatched(watched);
}

void TrendPart::showWindow() {
    if (!trendWindow_) {
        trendWindow_ = new TrendWindow(series_, &window_);
        offerSources();
    }
    BringToFront(*trendWindow_);
}

void TrendPart::retranslate() {
    RebuildForLanguage(trendWindow_, [this] { showWindow(); });
}
