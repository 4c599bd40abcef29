// SPDX-License-Identifier: MIT
#pragma once

#include <QKeySequence>
#include <QPointer>
#include <QString>
#include <QWidget>

class QAction;
class QObject;

// A part's entry: an action owned by the part, with its shortcut active in the window. Its
// text is source looked up in context now and after every change of language (mark the
// source with QT_TRANSLATE_NOOP so that lupdate finds it).
QAction* AddPartAction(QWidget& window, QObject* part, const char* context, const char* source,
                       const char* name, const QKeySequence& shortcut);

// The texts of every part action of the window, in the language now chosen.
void RetranslatePartActions(QWidget& window);

// Shows a part's window, in front and with the keyboard, whether new or already open.
void BringToFront(QWidget& partWindow);

// A part's window built in the old language goes; when it was showing, show() builds it
// anew in the new one.
template <typename Window, typename Show>
void RebuildForLanguage(QPointer<Window>& window, Show show) {
    if (!window)
        return;
    const bool shown = window->isVisible();
    delete window.data();
    if (shown)
        show();
}
