// SPDX-License-Identifier: MIT
#include "window/logo.h"

#include <QPainter>
#include <QPainterPath>

QPixmap LogoPixmap() {
    QPixmap pixmap(68, 39);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);

    const QColor teal(0, 122, 138);
    const QColor red(214, 60, 48);
    const QColor blue(40, 110, 200);

    // Thermometer.
    painter.setPen(QPen(teal, 2));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(8, 3, 8, 22), 4, 4);
    painter.setBrush(red);
    painter.drawEllipse(QPointF(12, 28), 6, 6);
    painter.setPen(Qt::NoPen);
    painter.drawRect(QRectF(10.5, 12, 3, 14));

    // Drop.
    QPainterPath drop;
    drop.moveTo(32, 4);
    drop.cubicTo(38, 14, 42, 19, 42, 23);
    drop.arcTo(QRectF(22, 13, 20, 20), 0, -180);
    drop.cubicTo(22, 19, 26, 14, 32, 4);
    painter.setBrush(blue);
    painter.drawPath(drop);

    // Bus waves.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(teal, 2, Qt::SolidLine, Qt::RoundCap));
    QPainterPath wave;
    wave.moveTo(46, 20);
    for (int x = 46; x < 66; x += 6) {
        wave.lineTo(x + 3, 12);
        wave.lineTo(x + 6, 20);
    }
    painter.drawPath(wave);
    painter.drawLine(QPointF(2, 36), QPointF(66, 36));
    return pixmap;
}
