// SPDX-License-Identifier: MIT
#pragma once

#include "judged_cycle.h"

#include <QDateTime>
#include <QObject>
#include <QPalette>
#include <functional>

class QLabel;
class ReadingSource;

// Lets the two readouts tell their age. They keep their text, as they always have; after
// kStaleCycles polls in a row without an accepted reading their colour dims and their
// tooltip says when the value shown was read ("12 秒前"). The next accepted reading brings
// the colour back. A model's own tooltips (its readout's name and read map) stay, the age
// beneath them.
class ReadoutAge final : public QObject {
    Q_OBJECT
public:
    static constexpr int kStaleCycles = 3;

    ReadoutAge(QLabel& temperature, QLabel& humidity, QObject* parent = nullptr);

    // Ages the readouts by the source whose readings they show.
    void follow(const ReadingSource& source);
    // A poll judged; address writes are no polls and leave the readouts alone.
    void judged(const JudgedCycle& cycle);
    bool stale() const { return stale_; }
    // What each readout's tooltip says whatever the age: empty for the tool's own sensor.
    void setModelTips(const QString& temperature, const QString& humidity);
    // The clock the age is told against; tests set their own.
    void setClock(std::function<QDateTime()> now) { now_ = std::move(now); }

protected:
    // The age is told when the tooltip is asked for, and again in a new language.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showAge();
    void showFresh();

    QLabel& temperature_;
    QLabel& humidity_;
    QPalette freshPalette_;
    std::function<QDateTime()> now_;
    QString temperatureTip_;
    QString humidityTip_;
    QDateTime readAt_; // of the reading shown
    int refusedInARow_ = 0;
    bool stale_ = false;
};
