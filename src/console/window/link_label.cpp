// SPDX-License-Identifier: MIT
#include "window/link_label.h"

#include "web_launcher.h"
#include "window/link_colour.h"

#include <QLabel>
#include <QMouseEvent>

LinkLabel::LinkLabel(QLabel& label, WebLauncher& web) : QObject(&label), label_(label), web_(web) {
    Timer3.setObjectName(QStringLiteral("Timer3"));
    Timer3.setInterval(kRecolourMs);
    connect(&Timer3, &QTimer::timeout, this, &LinkLabel::tick);
    label_.installEventFilter(this);
}

void LinkLabel::recolour() {
    QPalette palette = label_.palette();
    palette.setColor(QPalette::WindowText, NextLinkColour());
    label_.setPalette(palette);
}

bool LinkLabel::openAddress() {
    return web_.open(label_.text());
}

bool LinkLabel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &label_ && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        emit clicked();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
