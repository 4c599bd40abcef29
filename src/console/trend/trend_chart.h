// SPDX-License-Identifier: MIT
#pragma once

#include "reading_series.h"
#include "sensor_model.h"

#include <QWidget>

#include <functional>
#include <optional>

class QPainter;

// What the two value axes and the reading under the pointer are called: the model's
// readouts, in the language shown.
struct ChartReadouts {
    QString firstName;
    QString firstUnit;
    QString secondName;
    QString secondUnit;
};
// The model's readout names and units; the tool's own (温度 ℃, 湿度 %) for a model that
// names none.
ChartReadouts ReadoutsOf(const SensorModel& model);

// Temperature and humidity against time, drawn from the series as it grows: a value axis
// on each side, labelled time ticks, and the exact reading under the pointer.
class TrendChart final : public QWidget {
    Q_OBJECT
public:
    enum class Span { LastTenMinutes, LastHour, Everything };

    explicit TrendChart(const ReadingSeries& series, QWidget* parent = nullptr);

    void setSpan(Span span);
    // Draws another series from now on (another watched sensor).
    void setSeries(const ReadingSeries& series);
    Span span() const { return span_; }
    void setReadouts(const ChartReadouts& readouts);
    const ChartReadouts& readouts() const { return readouts_; }
    // The clock the window is drawn against; tests set their own.
    void setClock(std::function<qint64()> nowMs) { nowMs_ = std::move(nowMs); }
    // The reading the pointer is nearest to, if any, and the sensor it came from.
    std::optional<ReadingPoint> hovered() const { return hovered_; }
    SensorOnPort hoveredSensor() const { return hoveredSensor_; }

    QSize sizeHint() const override { return {720, 360}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    struct Frame;
    Frame frame() const;
    void drawAxes(QPainter& painter, const Frame& f) const;
    void drawTimeTicks(QPainter& painter, const Frame& f) const;
    void drawSeries(QPainter& painter, const Frame& f) const;
    void drawHovered(QPainter& painter, const Frame& f) const;

    const ReadingSeries* series_;
    std::function<qint64()> nowMs_;
    Span span_ = Span::LastTenMinutes;
    std::optional<ReadingPoint> hovered_; // a copy: the series may drop its oldest points
    SensorOnPort hoveredSensor_;
    ChartReadouts readouts_;
};
