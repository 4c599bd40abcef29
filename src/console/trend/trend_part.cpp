// SPDX-License-Identifier: MIT
#include "trend/trend_part.h"

#include "menu/part_actions.h"
#include "reading_source.h"
#include "serial_line.h"
#include "trend/trend_window.h"

#include <QAction>

TrendPart::TrendPart(QWidget& window, const SerialLine& line)
    : QObject(&window), window_(window), line_(line) {
    setObjectName(QStringLiteral("trend"));
    action_ = AddPartAction(
        window, this, [] { return TrendPart::tr("趋势图"); }, "trendAction",
        QKeySequence(Qt::CTRL | Qt::Key_T));
    FollowLanguage(window, this, [this] { retranslate(); });
    connect(action_, &QAction::triggered, this, &TrendPart::showWindow);
}

void TrendPart::follow(const ReadingSource& source) {
    const bool several = source.sensors() == ReadingSource::Sensors::SeveralInTurn;
    connect(&source, &ReadingSource::cycleJudged, this,
            several ? &TrendPart::keepWatched : &TrendPart::keep);
}

bool TrendPart::pausedSince(qint64& lastMs, const JudgedCycle& cycle) {
    const qint64 ms = cycle.time.toMSecsSinceEpoch();
    const bool paused = lastMs >= 0 && ms - lastMs > kPauseMs;
    lastMs = ms;
    return paused;
}

void TrendPart::keep(const JudgedCycle& cycle) {
    if (cycle.addressWrite)
        return;
    if (pausedSince(lastPolledMs_, cycle))
        series_.breakCurve();
    if (cycle.model.id != polledModel_.id) {
        polledModel_ = cycle.model;
        showPolledReadouts();
    }
    add(series_, cycle);
}

void TrendPart::keepWatched(const JudgedCycle& cycle) {
    if (pausedSince(lastWatchedMs_, cycle)) {
        for (auto& [address, series] : watched_)
            series.breakCurve();
    }
    const auto found = watched_.find(cycle.address);
    if (found != watched_.end()) {
        add(found->second, cycle);
    } else if (cycle.readings) {
        add(watched_[cycle.address], cycle);
    } else {
        return;
    }
    SensorModel& model = watchedModels_[cycle.address];
    if (found == watched_.end() || model.id != cycle.model.id) {
        model = cycle.model;
        offerSources();
    }
}

const ReadingSeries* TrendPart::watchedSeries(int address) const {
    const auto found = watched_.find(address);
    return found == watched_.end() ? nullptr : &found->second;
}

void TrendPart::add(ReadingSeries& series, const JudgedCycle& cycle) {
    // Only a reply judged while acquisition runs is decoded.
    if (!cycle.readings) {
        series.missed();
        return;
    }
    const ModelReadings& readings = *cycle.readings;
    // A sensor that says it cannot measure adds no point.
    if (!readings.temperature || readings.temperature->sensorError()) {
        series.missed();
        return;
    }
    const auto& humidity = readings.humidity;
    series.add(cycle.time.toMSecsSinceEpoch(), readings.temperature->value(),
               humidity && !humidity->sensorError() ? std::optional<double>(humidity->value())
                                                    : std::nullopt,
               {cycle.address, line_.openPortNumber()});
    if (trendWindow_)
        trendWindow_->refresh();
}

void TrendPart::offerSources() {
    if (!trendWindow_)
        return;
    std::vector<TrendWindow::Watched> watched;
    for (const auto& [address, series] : watched_)
        watched.push_back({address, &series, ReadoutsOf(watchedModels_[address])});
    trendWindow_->setWatched(watched);
}

void TrendPart::showPolledReadouts() {
    if (trendWindow_)
        trendWindow_->setPolledReadouts(ReadoutsOf(polledModel_));
}

void TrendPart::showWindow() {
    if (!trendWindow_) {
        trendWindow_ = new TrendWindow(series_, &window_);
        showPolledReadouts();
        offerSources();
    }
    BringToFront(*trendWindow_);
}

void TrendPart::retranslate() {
    RebuildForLanguage(trendWindow_, [this] { showWindow(); });
}
