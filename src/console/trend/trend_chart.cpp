// SPDX-License-Identifier: MIT
#include "trend/trend_chart.h"

#include "model_texts.h"

#include <QDateTime>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace {

const QColor kTemperatureColour(200, 40, 30);
const QColor kHumidityColour(30, 90, 200);
constexpr int kLeft = 64;
constexpr int kRight = 64;
constexpr int kTop = 28;
constexpr int kBottom = 30;

struct Axis {
    double low = 0;
    double high = 1;
    double step = 1;
};

// Round ticks (1, 2 or 5 times a power of ten) covering low..high in about five steps.
Axis niceAxis(double low, double high) {
    if (!(high > low)) {
        low -= 1;
        high += 1;
    }
    const double rough = (high - low) / 5;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = power;
    for (const double factor : {1.0, 2.0, 5.0, 10.0}) {
        step = factor * power;
        if (step >= rough)
            break;
    }
    return {std::floor(low / step) * step, std::ceil(high / step) * step, step};
}

qint64 niceTimeStep(qint64 spanMs) {
    static const qint64 steps[] = {1000,    2000,    5000,     10000,    15000,    30000,
                                   60000,   120000,  300000,   600000,   900000,   1800000,
                                   3600000, 7200000, 10800000, 21600000, 43200000, 86400000};
    for (const qint64 step : steps) {
        if (spanMs / step <= 8)
            return step;
    }
    return steps[std::size(steps) - 1];
}

QString decimal(double value, int decimals) {
    return QString::number(value, 'f', decimals);
}

int decimalsFor(double step) {
    return step >= 1 ? 0 : static_cast<int>(std::ceil(-std::log10(step)));
}

} // namespace

ChartReadouts ReadoutsOf(const SensorModel& model) {
    return {ModelTexts::readoutName(model, true), ModelTexts::readoutUnit(model, true),
            ModelTexts::readoutName(model, false), ModelTexts::readoutUnit(model, false)};
}

struct TrendChart::Frame {
    QRect plot;
    qint64 fromMs = 0;
    qint64 toMs = 1;
    Axis temperature;
    Axis humidity;
    std::vector<ThinnedColumn> columns;

    double x(qint64 ms) const {
        return plot.left() + double(ms - fromMs) / double(toMs - fromMs) * plot.width();
    }
    static double y(const QRect& plot, const Axis& axis, double value) {
        return plot.bottom() - (value - axis.low) / (axis.high - axis.low) * plot.height();
    }
};

TrendChart::TrendChart(const ReadingSeries& series, QWidget* parent)
    : QWidget(parent), series_(&series), nowMs_([] { return QDateTime::currentMSecsSinceEpoch(); }),
      readouts_(ReadoutsOf({})) {
    setMouseTracking(true);
    setMinimumSize(360, 200);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

void TrendChart::setSpan(Span span) {
    span_ = span;
    hovered_.reset();
    update();
}

void TrendChart::setReadouts(const ChartReadouts& readouts) {
    readouts_ = readouts;
    update();
}

void TrendChart::setSeries(const ReadingSeries& series) {
    series_ = &series;
    hovered_.reset();
    update();
}

TrendChart::Frame TrendChart::frame() const {
    Frame f;
    f.plot = rect().adjusted(kLeft, kTop, -kRight, -kBottom);
    const qint64 now = nowMs_();
    switch (span_) {
    case Span::LastTenMinutes:
        f.fromMs = now - 10 * 60 * 1000;
        f.toMs = now;
        break;
    case Span::LastHour:
        f.fromMs = now - 60 * 60 * 1000;
        f.toMs = now;
        break;
    case Span::Everything:
        f.fromMs = series_->empty() ? now - 60000 : series_->points().front().ms;
        f.toMs = std::max(now, f.fromMs + 60000);
        break;
    }
    f.columns = Thin(*series_, f.fromMs, f.toMs, std::max(1, f.plot.width()));
    double tLow = INFINITY, tHigh = -INFINITY, hLow = INFINITY, hHigh = -INFINITY;
    for (const ThinnedColumn& column : f.columns) {
        if (column.temperature.present) {
            tLow = std::min<double>(tLow, column.temperature.min);
            tHigh = std::max<double>(tHigh, column.temperature.max);
        }
        if (column.humidity.present) {
            hLow = std::min<double>(hLow, column.humidity.min);
            hHigh = std::max<double>(hHigh, column.humidity.max);
        }
    }
    f.temperature = std::isfinite(tLow) ? niceAxis(tLow, tHigh) : Axis{0, 50, 10};
    f.humidity = std::isfinite(hLow) ? niceAxis(hLow, hHigh) : Axis{0, 100, 20};
    return f;
}

void TrendChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const Frame f = frame();
    drawAxes(painter, f);
    drawTimeTicks(painter, f);
    drawSeries(painter, f);
    if (series_->empty()) {
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(f.plot, Qt::AlignCenter,
                         tr("尚无读数：开始采集后，这里显示本次运行的读数"));
        return;
    }
    if (hovered_ && hovered_->ms >= f.fromMs && hovered_->ms <= f.toMs)
        drawHovered(painter, f);
}

// Value axes: temperature on the left, humidity on the right.
void TrendChart::drawAxes(QPainter& painter, const Frame& f) const {
    const QRect& plot = f.plot;
    const QColor grid = palette().color(QPalette::Mid);
    painter.setPen(grid);
    painter.drawRect(plot);
    const int tDecimals = decimalsFor(f.temperature.step);
    for (double v = f.temperature.low; v <= f.temperature.high + f.temperature.step / 2;
         v += f.temperature.step) {
        const int y = qRound(Frame::y(plot, f.temperature, v));
        painter.setPen(grid);
        painter.drawLine(plot.left(), y, plot.right(), y);
        painter.setPen(kTemperatureColour);
        painter.drawText(QRect(0, y - 10, kLeft - 6, 20), Qt::AlignRight | Qt::AlignVCenter,
                         decimal(v, tDecimals));
    }
    const int hDecimals = decimalsFor(f.humidity.step);
    painter.setPen(kHumidityColour);
    for (double v = f.humidity.low; v <= f.humidity.high + f.humidity.step / 2;
         v += f.humidity.step) {
        const int y = qRound(Frame::y(plot, f.humidity, v));
        painter.drawText(QRect(plot.right() + 6, y - 10, kRight - 6, 20),
                         Qt::AlignLeft | Qt::AlignVCenter, decimal(v, hDecimals));
    }
    painter.setPen(kTemperatureColour);
    painter.drawText(QRect(0, 0, kLeft + 80, kTop - 6), Qt::AlignLeft | Qt::AlignBottom,
                     readouts_.firstName + QLatin1Char(' ') + readouts_.firstUnit);
    painter.setPen(kHumidityColour);
    painter.drawText(QRect(width() - kRight - 80, 0, kRight + 80, kTop - 6),
                     Qt::AlignRight | Qt::AlignBottom,
                     readouts_.secondName + QLatin1Char(' ') + readouts_.secondUnit);
}

void TrendChart::drawTimeTicks(QPainter& painter, const Frame& f) const {
    const QRect& plot = f.plot;
    const QFontMetrics metrics(font());
    const QColor grid = palette().color(QPalette::Mid);
    const QColor text = palette().color(QPalette::Text);
    const qint64 step = niceTimeStep(f.toMs - f.fromMs);
    const QString pattern = step < 60000 ? QStringLiteral("HH:mm:ss") : QStringLiteral("HH:mm");
    const qint64 offset = QDateTime::fromMSecsSinceEpoch(f.fromMs).offsetFromUtc() * 1000LL;
    for (qint64 t = ((f.fromMs + offset) / step + 1) * step - offset; t <= f.toMs; t += step) {
        const int x = qRound(f.x(t));
        painter.setPen(grid);
        painter.drawLine(x, plot.top(), x, plot.bottom() + 4);
        painter.setPen(text);
        const QString label = QDateTime::fromMSecsSinceEpoch(t).toString(pattern);
        const int w = metrics.horizontalAdvance(label);
        painter.drawText(QRect(x - w / 2 - 2, plot.bottom() + 6, w + 4, kBottom - 6),
                         Qt::AlignHCenter | Qt::AlignTop, label);
    }
}

// The two series, one column a pixel: the extremes as a stroke, joined to the next.
void TrendChart::drawSeries(QPainter& painter, const Frame& f) const {
    const QRect& plot = f.plot;
    painter.setClipRect(plot.adjusted(0, 0, 1, 1));
    const auto drawSeries = [&](const QColor& colour, const Axis& axis,
                                ColumnValues ThinnedColumn::*values) {
        // A one-pixel cosmetic pen keeps a day of columns on the raster engine's fast path.
        painter.setPen(QPen(colour, 0));
        QPolygonF path;
        path.reserve(static_cast<qsizetype>(4 * f.columns.size()));
        qint64 curve = -1;
        for (std::size_t i = 0; i < f.columns.size(); ++i) {
            const ColumnValues& c = f.columns[i].*values;
            if (!c.present)
                continue;
            // Another curve (another sensor, or after a gap) is not joined to the last.
            if (f.columns[i].firstCurve != curve && !path.isEmpty()) {
                painter.drawPolyline(path);
                path.clear();
            }
            curve = f.columns[i].lastCurve;
            const double x = plot.left() + double(i);
            path << QPointF(x, Frame::y(plot, axis, c.first))
                 << QPointF(x, Frame::y(plot, axis, c.min))
                 << QPointF(x, Frame::y(plot, axis, c.max))
                 << QPointF(x, Frame::y(plot, axis, c.last));
        }
        painter.drawPolyline(path);
    };
    drawSeries(kTemperatureColour, f.temperature, &ThinnedColumn::temperature);
    drawSeries(kHumidityColour, f.humidity, &ThinnedColumn::humidity);
    painter.setClipping(false);
}

// The reading under the pointer, exactly.
void TrendChart::drawHovered(QPainter& painter, const Frame& f) const {
    const QRect& plot = f.plot;
    const QFontMetrics metrics(font());
    const QColor grid = palette().color(QPalette::Mid);
    const QColor text = palette().color(QPalette::Text);
    const double hx = f.x(hovered_->ms);
    painter.setPen(QPen(text, 1, Qt::DashLine));
    painter.drawLine(QPointF(hx, plot.top()), QPointF(hx, plot.bottom()));
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kTemperatureColour);
    painter.drawEllipse(QPointF(hx, Frame::y(plot, f.temperature, hovered_->temperature)), 3.5,
                        3.5);
    QString label = QDateTime::fromMSecsSinceEpoch(hovered_->ms)
                        .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    if (hoveredSensor_.address > 0)
        label += QLatin1Char('\n') +
                 (hoveredSensor_.port > 0
                      ? tr("地址 %1，COM%2").arg(hoveredSensor_.address).arg(hoveredSensor_.port)
                      : tr("地址 %1").arg(hoveredSensor_.address));
    const QString reading = QStringLiteral("\n%1 %2 %3");
    label +=
        reading.arg(readouts_.firstName, decimal(hovered_->temperature, 1), readouts_.firstUnit);
    if (!std::isnan(hovered_->humidity)) {
        painter.setBrush(kHumidityColour);
        painter.drawEllipse(QPointF(hx, Frame::y(plot, f.humidity, hovered_->humidity)), 3.5, 3.5);
        label +=
            reading.arg(readouts_.secondName, decimal(hovered_->humidity, 1), readouts_.secondUnit);
    }
    QRect box =
        metrics.boundingRect(QRect(0, 0, 400, 200), Qt::AlignLeft, label).adjusted(-6, -4, 6, 4);
    box.moveTopLeft(QPoint(qRound(hx) + 10, plot.top() + 8));
    if (box.right() > plot.right())
        box.moveRight(qRound(hx) - 10);
    painter.setBrush(palette().color(QPalette::ToolTipBase));
    painter.setPen(grid);
    painter.drawRect(box);
    painter.setPen(palette().color(QPalette::ToolTipText));
    painter.drawText(box.adjusted(6, 4, -6, -4), Qt::AlignLeft, label);
}

void TrendChart::mouseMoveEvent(QMouseEvent* event) {
    const Frame f = frame();
    const double x = event->position().x();
    const auto before = hovered_ ? hovered_->ms : -1;
    hovered_.reset();
    if (x >= f.plot.left() && x <= f.plot.right()) {
        const auto ms = f.fromMs + static_cast<qint64>((x - f.plot.left()) / f.plot.width() *
                                                       double(f.toMs - f.fromMs));
        const auto near = series_->nearestIndex(ms);
        // Only a reading within a few pixels counts as under the pointer.
        if (near && std::abs(f.x(series_->points()[*near].ms) - x) <= 8) {
            hovered_ = series_->points()[*near];
            hoveredSensor_ = series_->curveOf(*near).sensor;
        }
    }
    if ((hovered_ ? hovered_->ms : -1) != before)
        update();
}

void TrendChart::leaveEvent(QEvent*) {
    hovered_.reset();
    update();
}
