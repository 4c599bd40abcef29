// SPDX-License-Identifier: MIT
#include "window/readout_age.h"

#include "reading_source.h"

#include <QEvent>
#include <QLabel>
#include <algorithm>
#include <climits>

namespace {
// The readouts' green, at about half its brightness: still legible, plainly not live.
const QColor kStaleText(70, 125, 70);
} // namespace

ReadoutAge::ReadoutAge(QLabel& temperature, QLabel& humidity, QObject* parent)
    : QObject(parent), temperature_(temperature), humidity_(humidity),
      freshPalette_(temperature.palette()), now_([] { return QDateTime::currentDateTime(); }) {
    setObjectName(QStringLiteral("readoutAge"));
    temperature_.installEventFilter(this);
    humidity_.installEventFilter(this);
}

void ReadoutAge::follow(const ReadingSource& source) {
    connect(&source, &ReadingSource::cycleJudged, this, &ReadoutAge::judged);
}

void ReadoutAge::judged(const JudgedCycle& cycle) {
    if (cycle.addressWrite)
        return;
    if (cycle.verdict.accepted() && cycle.readings) {
        readAt_ = cycle.time;
        refusedInARow_ = 0;
        if (stale_)
            showFresh();
        return;
    }
    ++refusedInARow_;
    if (refusedInARow_ >= kStaleCycles && readAt_.isValid()) {
        if (!stale_) {
            stale_ = true;
            QPalette dimmed = freshPalette_;
            dimmed.setColor(QPalette::WindowText, kStaleText);
            temperature_.setPalette(dimmed);
            humidity_.setPalette(dimmed);
        }
        showAge();
    }
}

void ReadoutAge::setModelTips(const QString& temperature, const QString& humidity) {
    temperatureTip_ = temperature;
    humidityTip_ = humidity;
    if (stale_) {
        showAge();
        return;
    }
    temperature_.setToolTip(temperatureTip_);
    humidity_.setToolTip(humidityTip_);
}

void ReadoutAge::showAge() {
    const qint64 seconds = std::max<qint64>(0, readAt_.secsTo(now_()));
    const int n = static_cast<int>(std::min<qint64>(seconds, INT_MAX));
    QString age;
    if (seconds < 120)
        age = tr("%n 秒前", "", n);
    else if (seconds < 120 * 60)
        age = tr("%n 分钟前", "", n / 60);
    else
        age = tr("%n 小时前", "", n / 3600);
    const QString tip =
        tr("读数来自 %1（%2）").arg(readAt_.toString(QStringLiteral("HH:mm:ss")), age);
    const auto beneath = [&tip](const QString& modelTip) {
        return modelTip.isEmpty() ? tip : modelTip + QLatin1Char('\n') + tip;
    };
    temperature_.setToolTip(beneath(temperatureTip_));
    humidity_.setToolTip(beneath(humidityTip_));
}

void ReadoutAge::showFresh() {
    stale_ = false;
    temperature_.setPalette(freshPalette_);
    humidity_.setPalette(freshPalette_);
    temperature_.setToolTip(temperatureTip_);
    humidity_.setToolTip(humidityTip_);
}

bool ReadoutAge::eventFilter(QObject* watched, QEvent* event) {
    if (stale_ && (event->type() == QEvent::ToolTip || event->type() == QEvent::LanguageChange))
        showAge();
    return QObject::eventFilter(watched, event);
}
