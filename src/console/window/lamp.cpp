// SPDX-License-Identifier: MIT
#include "window/lamp.h"

#include <QPainter>

Lamp::Lamp(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
}

void Lamp::setFillColor(const QColor& color) {
    if (color == fill_)
        return;
    fill_ = color;
    update();
}

void Lamp::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int diameter = std::min(width(), height()) - 1;
    const QRectF circle((width() - diameter) / 2.0, (height() - diameter) / 2.0, diameter,
                        diameter);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(fill_);
    painter.drawEllipse(circle);
}
