// SPDX-License-Identifier: MIT
#include "part_actions.h"

#include <QAction>
#include <QWidget>

QAction* AddPartAction(QWidget& window, QObject* part, const QString& text, const char* name,
                       const QKeySequence& shortcut) {
    auto* action = new QAction(text, part);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(shortcut);
    window.addAction(action);
    return action;
}

void BringToFront(QWidget& partWindow) {
    partWindow.show();
    partWindow.raise();
    partWindow.activateWindow();
}
