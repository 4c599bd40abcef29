// SPDX-License-Identifier: MIT
#pragma once

#include <QKeySequence>
#include <QString>

class QAction;
class QObject;
class QWidget;

// A part's entry: an action owned by the part, with its shortcut active in the window.
QAction* AddPartAction(QWidget& window, QObject* part, const QString& text, const char* name,
                       const QKeySequence& shortcut);

// Shows a part's window, in front and with the keyboard, whether new or already open.
void BringToFront(QWidget& partWindow);
