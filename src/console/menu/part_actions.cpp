// SPDX-License-Identifier: MIT
#include "menu/part_actions.h"

#include <QAction>
#include <QCoreApplication>
#include <QWidget>

namespace {
constexpr const char* kContext = "translationContext";
constexpr const char* kSource = "translationSource";
} // namespace

QAction* AddPartAction(QWidget& window, QObject* part, const char* context, const char* source,
                       const char* name, const QKeySequence& shortcut) {
    auto* action = new QAction(QCoreApplication::translate(context, source), part);
    action->setObjectName(QLatin1String(name));
    action->setProperty(kContext, QByteArray(context));
    action->setProperty(kSource, QByteArray(source));
    action->setShortcut(shortcut);
    window.addAction(action);
    return action;
}

void RetranslatePartActions(QWidget& window) {
    for (QAction* action : window.actions()) {
        const QByteArray context = action->property(kContext).toByteArray();
        const QByteArray source = action->property(kSource).toByteArray();
        if (!source.isEmpty())
            action->setText(QCoreApplication::translate(context.constData(), source.constData()));
    }
}

void BringToFront(QWidget& partWindow) {
    partWindow.show();
    partWindow.raise();
    partWindow.activateWindow();
}
