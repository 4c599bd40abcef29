// SPDX-License-Identifier: MIT
#include "watch/bus_watch_part.h"

#include "address_list.h"
#include "menu/part_actions.h"
#include "message_sink.h"
#include "sensor_exchange.h"
#include "serial_line.h"
#include "tool_limits.h"
#include "watch/bus_watch_window.h"
#include "watch/watch_table_model.h"

#include <QAction>

BusWatchPart::BusWatchPart(QWidget& window, SerialLine& line, const SensorExchange& exchange,
                           MessageSink& messages, const QString& settingsFolder)
    : QObject(&window), window_(window), line_(line), exchange_(exchange), messages_(messages),
      settings_(settingsFolder), watch_(line) {
    setObjectName(QStringLiteral("busWatch"));
    table_ = new WatchTableModel(tally_, this);
    action_ = AddPartAction(
        window, this, [] { return SharedText::WatchFeature() + QStringLiteral("…"); },
        "watchAction", QKeySequence(Qt::CTRL | Qt::Key_M));
    FollowLanguage(window, this, [this] { retranslate(); });
    connect(action_, &QAction::triggered, this, &BusWatchPart::showWindow);
    connect(&watch_, &BusWatch::cycleJudged, this, &BusWatchPart::onJudged);
    connect(&watch_, &BusWatch::stopped, this, &BusWatchPart::onStopped);
    // The round under way, as the silent rows count it, with what the last one took.
    connect(&watch_, &BusWatch::roundStarted, this, [this](int round) {
        if (!watchWindow_ || round == 1)
            return;
        watchWindow_->showNote(tr("第 %1 轮；上一轮占用线路 %2 毫秒").arg(round).arg(lastBusyMs_));
    });
    connect(&watch_, &BusWatch::roundEnded, this,
            [this](int, qint64 busyMs) { lastBusyMs_ = busyMs; });
    // Another port opened has other sensors: the table of the last one goes.
    connect(&line_, &SerialLine::opened, this, [this] {
        if (line_.openPortNumber() != tallyPort_ && !tally_.sensors().empty()) {
            tally_.begin({});
            table_->reset();
        }
    });
    // A port closed under the watch ends it; the window says why.
    connect(&line_, &SerialLine::shownOpenChanged, this, [this](bool open) {
        if (!open && watch_.running()) {
            stop();
            if (watchWindow_)
                watchWindow_->showNote(tr("串口已关闭，监视已停止。"));
        }
    });
}

BusWatchPart::~BusWatchPart() {
    // The line outlives no one here: stop before the watch goes with the part.
    watch_.blockSignals(true);
    watch_.stop();
}

void BusWatchPart::showWindow() {
    if (!watchWindow_) {
        watchWindow_ = new BusWatchWindow(*table_, &window_);
        watchWindow_->setAddressText(settings_.watchAddresses());
        watchWindow_->setTimeoutMs(settings_.watchTimeoutMs(WatchPlan{}.timeoutMs));
        watchWindow_->showRunning(watch_.running());
        connect(watchWindow_, &BusWatchWindow::startRequested, this,
                [this](const QList<int>& addresses, int ms) { watch(addresses, ms); });
        connect(watchWindow_, &BusWatchWindow::stopRequested, this, &BusWatchPart::stop);
        connect(watchWindow_, &BusWatchWindow::rateChangeRequested, this,
                &BusWatchPart::askRateChange);
        connect(watchWindow_, &BusWatchWindow::exportRequested, this,
                &BusWatchPart::exportRequested);
        // Closing the window gives the line back.
        connect(watchWindow_, &QDialog::finished, this, &BusWatchPart::stop);
        connect(watchWindow_, &BusWatchWindow::closed, this, &BusWatchPart::stop);
    }
    BringToFront(*watchWindow_);
}

bool BusWatchPart::watch(const QList<int>& addresses, int timeoutMs, const QString& note,
                         const QList<SensorModel>& models) {
    if (!line_.shownOpen()) {
        messages_.show(SharedText::OpenPortFirst());
        return false;
    }
    if (exchange_.acquiring()) {
        messages_.show(SharedText::StopAcquisitionFirst());
        return false;
    }
    if (watch_.running())
        watch_.stop();
    if (!line_.heldFor().isEmpty()) {
        messages_.show(SharedText::LineHeldBy(line_.heldFor()));
        return false;
    }
    const QString text = FormatAddressList(addresses);
    const QList<SensorModel> each = modelsFor(addresses, models);
    settings_.setWatchAddresses(text);
    settings_.setWatchTimeoutMs(timeoutMs);
    settings_.sync();
    showWindow();
    watchWindow_->setAddressText(text);
    watchWindow_->setTimeoutMs(timeoutMs);

    tally_.begin(addresses, each);
    tallyPort_ = line_.openPortNumber();
    table_->reset();
    if (!watch_.start({addresses, timeoutMs, line_.lineSettings(), each}))
        return false;
    watchWindow_->showRunning(true);
    const QString watching = tr("正在监视 %n 个传感器……", "", static_cast<int>(addresses.size()));
    watchWindow_->showNote(note.isEmpty() ? watching : note + QLatin1Char('\n') + watching);
    return true;
}

// The given models, else those kept from the scan, else the poll's; the scan's choices are
// kept for the next start.
QList<SensorModel> BusWatchPart::modelsFor(const QList<int>& addresses,
                                           const QList<SensorModel>& given) {
    const std::map<int, QString> kept = settings_.watchModels();
    std::map<int, QString> keep;
    QList<SensorModel> each;
    for (int index = 0; index < addresses.size(); ++index) {
        const int address = addresses[index];
        const SensorModel* model = index < given.size() ? &given[index] : nullptr;
        if (const auto found = kept.find(address); !model && found != kept.end() && findModel_)
            model = findModel_(found->second);
        if (model)
            keep[address] = model->id;
        each << (model ? *model : exchange_.model());
    }
    settings_.setWatchModels(keep);
    return each;
}

void BusWatchPart::retranslate() {
    if (!watchWindow_)
        return;
    const bool shown = watchWindow_->isVisible();
    // Closing the old window must not stop the watch.
    disconnect(watchWindow_, &QDialog::finished, this, &BusWatchPart::stop);
    RebuildForLanguage(watchWindow_, [this] { showWindow(); });
    if (!shown)
        return;
    watchWindow_->showRunning(watch_.running());
}

BusWatchWindow* BusWatchPart::window() const {
    return watchWindow_;
}

void BusWatchPart::stop() {
    watch_.stop();
}

void BusWatchPart::onJudged(const JudgedCycle& cycle, qint64 replyMs) {
    table_->rowChanged(tally_.add(cycle, replyMs));
    emit cycleJudged(cycle);
}

void BusWatchPart::onStopped(const QString& failure) {
    if (watchWindow_) {
        watchWindow_->showRunning(false);
        watchWindow_->showNote(failure.isEmpty() ? tr("监视已停止。") : failure);
    }
    if (failure.isEmpty())
        return;
    // The watch could not write: the port went from under it.
    line_.closePort();
    messages_.show(failure);
}

// The change needs the line the watch holds: the watch ends first.
void BusWatchPart::askRateChange(const QList<int>& addresses) {
    QList<RateChangePlan::Sensor> sensors;
    for (const SensorTally& sensor : tally_.sensors()) {
        if (addresses.contains(sensor.address))
            sensors << RateChangePlan::Sensor{sensor.address, sensor.model};
    }
    stop();
    emit rateChangeAsked(sensors);
}
